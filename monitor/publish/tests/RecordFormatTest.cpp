// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Sweep records as the console writes them and as they are published.

#include <gtest/gtest.h>

#include <clocale>

#include "RecordFormat.hpp"
#include "SweepTopics.hpp"

namespace {

using namespace zelvo;

// 2026-12-07T05:01:02.345Z
const auto kTime = std::chrono::system_clock::time_point(std::chrono::milliseconds(1796619662345));

// Two displayed channels: the first read in this sweep, the second failed with
// the row text given.
SweepRecord TwoChannels(int32_t units, const std::string& secondRowText) {
    MainState state;
    state.ShowLast = 1;
    state.RunNum = 12;
    state.Units = units;
    state.ChannelName[0] = "Au, top";
    state.ChannelSerial = {"ZS0001", "ZS0002"};
    state.ChannelReadInSweep[0] = true;
    FilterOf(state, 0).Push(1.234);
    state.ChannelValues[kValueThickness][0] = 0.5;
    state.ChannelValues[kValueFrequency][0] = 5999000.25;
    state.ChannelValues[kValueLife][0] = 98.76;
    state.ChannelValues[kValueFrequency][1] = 1;  // a stale value, never written out
    return MakeSweepRecord(
        state, [&](int row) { return row == 1 ? secondRowText : "5999000.25"; }, 1.5, kTime);
}

// The same with a target reached on the first channel and the second's crystal worn.
SweepRecord WithEvents() {
    SweepRecord record = TwoChannels(0, "");
    record.channels[0].events = {{SupervisionEvent::Target, 0.5004, 0.5}};
    record.channels[1].events = {{SupervisionEvent::Life, 9.96, 10}};
    return record;
}

TEST(RecordFormatTest, JsonLineNamesUnitsAndGivesNullForAFailedChannel) {
    EXPECT_EQ(JsonLine(TwoChannels(0, "XTAL FAIL")),
              R"({"time":"2026-12-07T05:01:02.345Z","run_time_s":1.500,"run":12,"channels":[)"
              R"({"channel":1,"name":"Au, top","serial":"ZS0001","rate_A_per_s":1.23,)"
              R"("thickness_kA":0.500,"frequency_Hz":5999000.25,"life_pct":98.8,"status":"ok"},)"
              R"({"channel":2,"name":"Sensor 2","serial":"ZS0002","rate_A_per_s":null,)"
              R"("thickness_kA":null,"frequency_Hz":null,"life_pct":null,"status":"XTAL FAIL"}],)"
              R"("events":[]})");
    const std::string line = JsonLine(WithEvents());
    EXPECT_EQ(line.substr(line.find("],\"events\"")),
              R"(],"events":[{"channel":1,"event":"target","value":0.500,"limit":0.500},)"
              R"({"channel":2,"event":"life","value":10.0,"limit":10.0}]})");
}

TEST(RecordFormatTest, StatusIsTheRowTextOrNoReading) {
    const struct {
        std::string cell;
        std::string status;
    } cases[] = {{"XTAL FAIL", "XTAL FAIL"}, {"OVFLW", "OVFLW"},      {"Not Found", "Not Found"},
                 {"COMM ERR", "COMM ERR"},   {"", "no reading"},      {"5999000.00", "no reading"},
                 {"UNK ERR", "UNK ERR"},     {"CMND ERR", "CMND ERR"}};
    for (const auto& c : cases) {
        const SweepRecord record = TwoChannels(0, c.cell);
        EXPECT_EQ(record.channels[0].status, "ok");
        EXPECT_EQ(record.channels[1].status, c.status) << c.cell;
    }
}

TEST(RecordFormatTest, CsvHeaderNamesTheUnitsOnceAndLinesMatchIt) {
    const struct {
        int32_t units;
        const char* rate;
        const char* thickness;
    } cases[] = {{0, "rate_A_per_s", "thickness_kA"},
                 {1, "mass_rate_ng_per_cm2_s", "mass_ug_per_cm2"},
                 {2, "rate_A_per_s", "thickness_A"}};
    for (const auto& c : cases) {
        const SweepRecord record = TwoChannels(c.units, "");
        EXPECT_EQ(CsvHeader(record),
                  std::string("time,run_time_s,run,ch1_name,ch1_serial,ch1_") + c.rate + ",ch1_" +
                      c.thickness +
                      ",ch1_frequency_Hz,ch1_life_pct,ch1_status,ch2_name,ch2_serial,"
                      "ch2_" +
                      c.rate + ",ch2_" + c.thickness +
                      ",ch2_frequency_Hz,ch2_life_pct,ch2_status,events");
    }
    EXPECT_EQ(CsvLine(TwoChannels(0, "")),
              "2026-12-07T05:01:02.345Z,1.500,12,\"Au, top\",ZS0001,1.23,0.500,5999000.25,98.8,ok,"
              "Sensor 2,ZS0002,,,,,no reading,");
    const std::string line = CsvLine(WithEvents());
    EXPECT_EQ(line.substr(line.rfind(',')), ",1:target;2:life");
}

TEST(RecordFormatTest, NumbersUseAPointWhateverTheLocale) {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no de_DE locale";
    const SweepRecord record = TwoChannels(0, "");
    const std::string csv = CsvLine(record);
    const std::string json = JsonLine(record);
    const std::string text = TextLine(record);
    std::setlocale(LC_ALL, "C");
    EXPECT_NE(csv.find("1.23,0.500,5999000.25,98.8"), std::string::npos) << csv;
    EXPECT_NE(json.find("\"life_pct\":98.8"), std::string::npos) << json;
    EXPECT_EQ(text.rfind("1.50s | Au, top: rate=1.23 thick=0.500 freq=5999000.25 life=98.8", 0), 0u)
        << text;
}

TEST(RecordFormatTest, NamesAreEscapedForJsonAndCsv) {
    EXPECT_EQ(JsonString("a\"b\\c\td\x01"), R"("a\"b\\c\u0009d\u0001")");
    MainState state;
    state.ShowLast = 0;
    state.ChannelName[0] = "say \"hi\"";
    const SweepRecord record = MakeSweepRecord(
        state, [](int) { return ""; }, 0, kTime);
    EXPECT_NE(CsvLine(record).find(",\"say \"\"hi\"\"\","), std::string::npos) << CsvLine(record);
}

TEST(RecordFormatTest, Windows1252NamesArriveAsUtf8InRecordsAndTopics) {
    MainState state;
    state.ShowLast = 0;
    state.ChannelName[0] = "M\xFCller \x80";  // as the setup file holds them: u-umlaut, euro
    state.ChannelSerial[0] = "ZS\xB5";        // micro sign
    state.MqttTopic = "lab/K\xF6ln";
    const SweepRecord record = MakeSweepRecord(
        state, [](int) { return ""; }, 0, kTime);
    const std::string name = "\"M\xC3\xBCller \xE2\x82\xAC\",\"serial\":\"ZS\xC2\xB5\"";
    EXPECT_NE(JsonLine(record).find(name), std::string::npos) << JsonLine(record);
    EXPECT_NE(CsvLine(record).find(",M\xC3\xBCller \xE2\x82\xAC,ZS\xC2\xB5,"), std::string::npos);
    const PublishMessage reading = SweepMessages(TopicPrefix(state, "zelvo.cfg"), record)[0];
    EXPECT_EQ(reading.topic, "lab/K\xC3\xB6ln/1/reading");
    EXPECT_NE(reading.payload.find(name), std::string::npos);
    // A setup file's name that is not the host's UTF-8 is read as Windows-1252.
    EXPECT_EQ(TopicPrefix(MainState(), "K\xF6ln.cfg"), "zelvo/K\xC3\xB6ln");
}

TEST(RecordFormatTest, FormatNames) {
    EXPECT_EQ(RecordFormatNamed("text"), RecordFormat::Text);
    EXPECT_EQ(RecordFormatNamed("csv"), RecordFormat::Csv);
    EXPECT_EQ(RecordFormatNamed("jsonl"), RecordFormat::Jsonl);
    EXPECT_EQ(RecordFormatNamed("json"), std::nullopt);
    EXPECT_EQ(RecordFormatNamed("CSV"), std::nullopt);
}

TEST(SweepTopicsTest, EachChannelHasItsReadingAndARetainedStatus) {
    const SweepRecord record = TwoChannels(0, "COMM ERR");
    const std::vector<PublishMessage> messages = SweepMessages("zelvo/lab", record);
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_EQ(messages[0].topic, "zelvo/lab/1/reading");
    EXPECT_FALSE(messages[0].retained);
    EXPECT_EQ(messages[0].payload, ChannelJson(record, record.channels[0]));
    EXPECT_EQ(messages[0].payload.rfind(R"({"time":"2026-12-07T05:01:02.345Z","run_time_s":1.500,)"
                                        R"("run":12,"channel":1,"name":"Au, top")",
                                        0),
              0u)
        << messages[0].payload;
    EXPECT_EQ(messages[1].topic, "zelvo/lab/1/status");
    EXPECT_EQ(messages[1].payload, "ok");
    EXPECT_TRUE(messages[1].retained);
    EXPECT_EQ(messages[3].topic, "zelvo/lab/2/status");
    EXPECT_EQ(messages[3].payload, "COMM ERR");
    EXPECT_EQ(MonitorStatusTopic("zelvo/lab"), "zelvo/lab/status");

    // An event once, on its channel's own topic, after the channel's reading and status.
    const std::vector<PublishMessage> events = SweepMessages("zelvo/lab", WithEvents());
    ASSERT_EQ(events.size(), 6u);
    EXPECT_EQ(events[2].topic, "zelvo/lab/1/event");
    EXPECT_FALSE(events[2].retained);
    EXPECT_EQ(events[2].payload,
              R"({"time":"2026-12-07T05:01:02.345Z","run":12,"channel":1,"serial":"ZS0001",)"
              R"("event":"target","value":0.500,"limit":0.500})");
    EXPECT_EQ(events[5].topic, "zelvo/lab/2/event");
}

TEST(SweepTopicsTest, PrefixIsTheSettingOrTheSetupFileName) {
    MainState state;
    EXPECT_EQ(TopicPrefix(state, "zelvo.cfg"), "zelvo/zelvo");
    EXPECT_EQ(TopicPrefix(state, "chamber2.cfg"), "zelvo/chamber2");
    state.MqttTopic = "plant/coater";
    EXPECT_EQ(TopicPrefix(state, "chamber2.cfg"), "plant/coater");
}

}  // namespace
