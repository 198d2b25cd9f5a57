// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Page setup and Print Screen: the default printer's settings taken at start-up,
// the printer chosen and set up before the window's picture is printed, and
// every refusal skipped without a word.

#include <gtest/gtest.h>

#include "DisplayTexts.hpp"
#include "FakeDesktop.hpp"
#include "modPrintForm.hpp"

namespace zelvo {
namespace {

class ServiceDouble : public IPageSetupService {
  public:
    std::optional<PageSetupResult> PageSetup(const PageSetupRequest& request) override {
        requests.push_back(request);
        return answer;
    }
    std::optional<PageSetupResult> answer;
    std::vector<PageSetupRequest> requests;
};

class PrintersDouble : public IPrinters {
  public:
    bool AnyPrinter() override { return !names.empty(); }
    std::vector<std::string> DeviceNames() override { return names; }
    std::string CurrentDeviceName() override { return current; }
    bool SelectPrinter(const std::string& name) override { return Step("select " + name, true); }
    bool SetCopies(int16_t v) override { return Step("copies " + std::to_string(v), v > 0); }
    bool SetDuplex(int16_t v) override { return Step("duplex " + std::to_string(v), v > 0); }
    bool SetOrientation(int16_t v) override {
        return Step("orientation " + std::to_string(v), v > 0);
    }
    bool SetPaperSize(int16_t v) override { return Step("paper " + std::to_string(v), v > 0); }
    bool SetPrintQuality(int16_t v) override { return Step("quality " + std::to_string(v), v > 0); }
    void ProcessEvents() override { steps.push_back("events"); }
    bool PrintFormImage(const std::string& job) override {
        return Step("print " + job, captureWorks);
    }

    bool Step(const std::string& step, bool accepted) {
        steps.push_back(step);
        return accepted;
    }
    std::vector<std::string> names;
    std::string current;
    bool captureWorks = true;
    std::vector<std::string> steps;
};

DeviceMode LaserMode() {
    DeviceMode dm;
    dm.deviceName = std::string("Lab-Laser\0junk", 14);
    dm.orientation = 2, dm.paperSize = 9, dm.paperLength = 2970, dm.paperWidth = 2100;
    dm.scale = 100, dm.color = 1, dm.duplex = 2, dm.collate = 1, dm.yResolution = 600;
    dm.ttOption = 3, dm.printQuality = -4;
    return dm;
}

TEST(PrintTest, StartUpTakesTheDefaultPrintersSettingsWhenAPrinterExists) {
    ServiceDouble service;
    service.answer = PageSetupResult{LaserMode(), {1, 2, 3, 4}, {10, 20, 30, 40}};
    PrintersDouble printers;
    cPageSetupDialog page;
    PageSetupAtStartUp(page, service, printers);  // no printer: the service is not asked
    EXPECT_TRUE(service.requests.empty());
    EXPECT_EQ(page.DeviceName(), "");

    printers.names = {"Lab-Laser"};
    page.Flags = 0x7FFFFFFF;
    page.hWndParent = 77;
    PageSetupAtStartUp(page, service, printers);
    ASSERT_EQ(service.requests.size(), 1u);
    EXPECT_EQ(service.requests[0].flags, 0x400);
    EXPECT_EQ(service.requests[0].owner, 77);
    EXPECT_EQ(page.DeviceName(), "Lab-Laser");
    EXPECT_EQ(
        std::tie(page.Orientation, page.PaperSize, page.PaperLength, page.PaperWidth,
                 page.PrintScale, page.Duplex, page.YResolution, page.TTOption, page.PrintQuality),
        std::make_tuple(int16_t(2), int16_t(9), int16_t(2970), int16_t(2100), int16_t(100),
                        int16_t(2), int16_t(600), int16_t(3), int16_t(-4)));
    EXPECT_TRUE(page.Color && page.Collate);
    EXPECT_EQ(page.Copies, 0);  // never filled
    EXPECT_EQ(page.MarginMin, (MarginRect{1, 2, 3, 4}));
    EXPECT_EQ(page.Margin, (MarginRect{10, 20, 30, 40}));
}

TEST(PrintTest, ShowMasksTheFlagsAndKeepsEverythingWhenTheServiceFailsOrReturnsNoDeviceMode) {
    ServiceDouble service;
    cPageSetupDialog page;
    page.Flags = 0x7FFFFFFF;
    page.PaperSize = 5;
    page.Margin = {1, 1, 1, 1};
    EXPECT_FALSE(page.Show(service));
    EXPECT_EQ(service.requests[0].flags, 0x5FFF);
    EXPECT_EQ(service.requests[0].margins, (MarginRect{1, 1, 1, 1}));
    EXPECT_EQ(page.PaperSize, 5);
    EXPECT_EQ(page.Margin, (MarginRect{1, 1, 1, 1}));

    service.answer = PageSetupResult{std::nullopt, {5, 5, 5, 5}, {6, 6, 6, 6}};
    EXPECT_TRUE(page.Show(service));
    EXPECT_EQ(page.PaperSize, 5);
    EXPECT_EQ(page.Margin, (MarginRect{6, 6, 6, 6}));

    DeviceMode longName = LaserMode();
    longName.deviceName = std::string(40, 'P');
    service.answer = PageSetupResult{longName, {}, {}};
    EXPECT_TRUE(page.Show(service));
    EXPECT_EQ(page.DeviceName(), std::string(32, 'P'));
}

TEST(PrintTest, PrintScreenTakesTheDefaultPrinterOfNowSetsItUpAndPrintsWhateverIsRefused) {
    struct Row {
        std::string current;
        std::vector<std::string> names;
        std::vector<std::string> firstSteps;
    };
    const std::vector<std::string> rest = {
        "copies 0",   "duplex 2", "orientation 2",          "paper 9",
        "quality -4", "events",   "print Zelvo - [lab.cfg]"};
    for (const Row& r : {Row{"Lab-Laser", {"Lab-Laser"}, {}},
                         Row{"Office", {"Office", "Lab-Laser", "Lab-Laser"}, {"select Lab-Laser"}},
                         Row{"Office", {"Office", "Plotter"}, {}}}) {
        ServiceDouble service;
        DeviceMode office;
        office.deviceName = "Office";
        service.answer = PageSetupResult{office, {}, {}};
        PrintersDouble printers;
        printers.names = r.names;
        printers.current = r.current;
        cPageSetupDialog page;
        PageSetupAtStartUp(page, service, printers);
        service.answer = PageSetupResult{LaserMode(), {}, {}};  // the default changed since
        EXPECT_TRUE(mnuPrint_Click(page, service, printers, "Zelvo - [lab.cfg]"));
        std::vector<std::string> expected = r.firstSteps;
        expected.insert(expected.end(), rest.begin(), rest.end());
        EXPECT_EQ(printers.steps, expected) << r.current;
    }
}

TEST(PrintTest, WithoutAPrinterOrWithTheJobRefusedTheOperatorIsToldOnce) {
    testing::FakeDesktop desktop;
    ServiceDouble service;
    PrintersDouble printers;
    cPageSetupDialog page;
    EXPECT_FALSE(mnuPrint_Click(page, service, printers, "Zelvo"));
    EXPECT_TRUE(printers.steps.empty());
    ASSERT_EQ(desktop.Messages().size(), 1u);
    EXPECT_EQ(desktop.Messages()[0].text, texts::kNoPrinter);
    EXPECT_EQ(desktop.Messages()[0].title, "Zelvo");

    printers.names = {"Office"};
    printers.current = "Office";
    printers.captureWorks = false;
    EXPECT_FALSE(mnuPrint_Click(page, service, printers, "Zelvo"));
    ASSERT_EQ(desktop.Messages().size(), 2u);
    EXPECT_EQ(desktop.Messages()[1].text, texts::kPrintRefused);
}

}  // namespace
}  // namespace zelvo
