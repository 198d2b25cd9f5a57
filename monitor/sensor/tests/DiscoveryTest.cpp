// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Discovery: product ID filter, failed opens, the line rate, the limit of 32,
// record placement across discoveries (also with a new sensor enumerated ahead of
// connected ones), and bridge libraries that cannot be bound or lack an entry
// point.

#include "SensorFixture.hpp"

namespace zelvo::testing {
namespace {

class DiscoveryTest : public SensorTest {
  protected:
    // The first four entries of the discovery list.
    std::vector<std::string> Listed() const { return {serials_.begin(), serials_.begin() + 4}; }
    using Serials = std::vector<std::string>;
};

TEST_F(DiscoveryTest, OpensOnlyZelvosThatOpenAndTakeTheLineRate) {
    cZelvo& zelvo = StartAndFind(
        "devices=7;d1.pid=6001;d2.pid=5c3e;d3.fault=open;d4.fault=baud;d5.serial=ab12;"
        "d6.serial=AB12");
    EXPECT_EQ(found_, 4);
    EXPECT_EQ(zelvo.FoundCount(), 4);
    // Lower-case product ID accepted; serial numbers in upper case; a second device
    // with the same serial number takes over its record.
    EXPECT_EQ(Listed(), (Serials{"ZS0001", "ZS0003", "AB12", ""}));
    EXPECT_GT(zelvo.Record(3).Handle, 0);
    ReadingResult r{};
    EXPECT_EQ(zelvo.GetReading("AB12", r), 0);
    EXPECT_EQ(sim_.LastCommand(6), "!A0");
    EXPECT_EQ(zelvo.Record(0).Handle, 0);
    // Each opened sensor was sent its stored period of 0.25 s.
    EXPECT_EQ(sim_.LastCommand(0), "!C12500000");
    EXPECT_EQ(zelvo.Record(1).GateCycles, 1250000);
    EXPECT_EQ(sim_.CommandCount(1), 0);               // not a Zelvo
    EXPECT_EQ(sim_.Control("linerate 0"), "115200");  // the line rate set on open
    EXPECT_TRUE(desktop_.Messages().empty());
}

TEST_F(DiscoveryTest, StopsAtThirtyTwoSensors) {
    cZelvo& zelvo = StartAndFind("devices=40");
    EXPECT_EQ(found_, 32);
    EXPECT_EQ(serials_[31], "ZS0032");
    EXPECT_EQ(sim_.CommandCount(32), 0);
    ReadingResult r{};
    EXPECT_EQ(zelvo.GetReading("ZS0032", r), 0);
    EXPECT_EQ(zelvo.GetReading("ZS0033", r), ZelvoStatus::NotFound);
    EXPECT_THROW(zelvo.Record(33), ZelvoError);
}

TEST_F(DiscoveryTest, ConnectedSensorsKeepTheirRecordsAndNewOnesTakeFreeRecords) {
    cZelvo& zelvo = StartAndFind("devices=2;d0.serial=A;d1.serial=B");
    ASSERT_EQ(zelvo.Material("B", 2.5, 1.0, 100), 0);
    ReadingResult r{};
    ASSERT_EQ(zelvo.GetReading("A", r), 0);  // A zeroes itself
    const ZelvoRecord a = zelvo.Record(1);
    ASSERT_NE(a.ZeroOffset, 0.0);

    // C, new, is enumerated ahead of them: A and B keep their records, material and
    // zero point; C takes the first free record.
    sim_.Configure("devices=3;d0.serial=C;d1.serial=A;d2.serial=B");
    ASSERT_EQ(zelvo.FindZelvos(serials_), 3);
    EXPECT_EQ(Listed(), (Serials{"A", "B", "C", ""}));
    EXPECT_EQ(zelvo.Record(1).ZeroOffset, a.ZeroOffset);
    EXPECT_EQ(zelvo.Record(1).ZeroFrequency, a.ZeroFrequency);
    EXPECT_EQ(zelvo.Record(2).Density, 2.5);
    EXPECT_EQ(zelvo.Record(3).Density, 1.0);

    // A leaves: B and C keep records 2 and 3; record 1 is cleared.
    sim_.Control("unplug 1");
    ASSERT_EQ(zelvo.FindZelvos(serials_), 2);
    EXPECT_EQ(Listed(), (Serials{"", "B", "C", ""}));
    EXPECT_EQ(zelvo.Record(1).SerialNumber, "");

    // D, enumerated first, takes free record 1; E, after the others, takes record 4.
    sim_.Configure("devices=4;d0.serial=D;d1.serial=C;d2.serial=B;d3.serial=E");
    ASSERT_EQ(zelvo.FindZelvos(serials_), 4);
    EXPECT_EQ(Listed(), (Serials{"D", "B", "C", "E"}));
    EXPECT_EQ(zelvo.Record(2).Density, 2.5);

    // Everything gone: all records emptied, readings report "not found".
    sim_.Configure("devices=0");
    EXPECT_EQ(zelvo.FindZelvos(serials_), 0);
    for (const std::string& s : serials_) EXPECT_EQ(s, "");
    EXPECT_EQ(zelvo.GetReading("B", r), ZelvoStatus::NotFound);
}

TEST_F(DiscoveryTest, AMissingLibraryIsReportedByTheCallingProcedure) {
    bridge_.SetLibraryName("/nonexistent/libvdlink.so");
    cZelvo& zelvo = Start("devices=2");
    EXPECT_EQ(zelvo.FindZelvos(serials_), 0);
    ASSERT_EQ(desktop_.Messages().size(), 1u);
    const RecordedMessage& m = desktop_.Messages()[0];
    EXPECT_EQ(m.icon, MsgIcon::Critical);
    EXPECT_NE(m.text.find("procedure: \r\nZelvo_FindZelvos"), std::string::npos) << m.text;
    EXPECT_NE(m.text.find("Error (48)"), std::string::npos);
    EXPECT_EQ(ErrHandler().StackPointer(), 0);
    // The program goes on; the library is tried again on the next call.
    bridge_.SetLibraryName(SimControl::LibraryPath());
    EXPECT_EQ(zelvo.FindZelvos(serials_), 2);
}

TEST_F(DiscoveryTest, AMissingExchangeEntryPointIsReportedOnceAndTheSensorsAreNotFound) {
    SimControl partial(SimControl::LibraryWithoutRead());
    partial.Configure("devices=2");
    bridge_.SetLibraryName(SimControl::LibraryWithoutRead());
    cZelvo& zelvo = StartAndFind("devices=0");
    EXPECT_EQ(found_, 2);
    ReadingResult r{};
    for (int tick = 0; tick < 3; ++tick) {
        EXPECT_EQ(zelvo.GetReading("ZS0001", r), ZelvoStatus::NotFound);
        EXPECT_EQ(zelvo.GetReading("ZS0002", r), ZelvoStatus::NotFound);
    }
    EXPECT_EQ(zelvo.Period("ZS0001", 1.0), ZelvoStatus::NotFound);
    ASSERT_EQ(desktop_.Messages().size(), 1u);
    const std::string& text = desktop_.Messages()[0].text;
    for (const char* part : {"Zelvo_CommZelvo", "Error (453)", "VD_Read"}) {
        EXPECT_NE(text.find(part), std::string::npos) << part;
    }
    EXPECT_NE(zelvo.CommState(), ZelvoStatus::Busy);
    EXPECT_EQ(ErrHandler().StackPointer(), 0);
}

TEST_F(DiscoveryTest, AHandleOpenedBeforeAMissingLineRateEntryIsClosed) {
    SimControl partial(SimControl::LibraryWithoutSetBaudRate());
    partial.Configure("devices=2");
    bridge_.SetLibraryName(SimControl::LibraryWithoutSetBaudRate());
    cZelvo& zelvo = StartAndFind("devices=0");
    EXPECT_EQ(found_, 0);
    EXPECT_EQ(partial.Control("handles"), "0");
    ASSERT_EQ(desktop_.Messages().size(), 1u);
    EXPECT_NE(desktop_.Messages()[0].text.find("VD_SetBaudRate"), std::string::npos);
    EXPECT_EQ(zelvo.Record(1).Handle, 0);
}

}  // namespace
}  // namespace zelvo::testing
