// frmMain_IniRead: every setting from a setup file, in the order of the key table.

#include <optional>

#include "AppInfo.hpp"
#include "MonitorTexts.hpp"
#include "Settings.hpp"
#include "SettingsConvert.hpp"
#include "SetupFile.hpp"
#include "Strings.hpp"
#include "TextFile.hpp"
#include "cErrHandler.hpp"
#include "cIniFile.hpp"

namespace zelvo {
namespace {

class SettingsReader {
  public:
    SettingsReader(cIniFile& ini, MainState& state, IMainWindow& window)
        : ini_(ini), s_(state), window_(window) {}

    // Reads every key. A key that cannot be taken keeps its variable; the first
    // such failure is thrown once all keys have been read.
    void ReadAll() {
        Key([&] { s_.IniVer = WholeSetting("IniVer", Str("Application", "IniVer", "0")); });
        const bool oldest = s_.IniVer < kLayoutHundredths;
        const char* sep = oldest ? "," : ";";

        Key([&] { s_.OnTop = Whole16Setting("OnTop", Str("Application", "OnTop", "0")); });
        Key([&] { s_.Locked = FlagSetting("Locked", Str("Application", "Locked", "0")); });
        Key([&] {
            int32_t run = WholeSetting("RunNum", Str("Application", "RunNum", "1"));
            RequireRange("RunNum", run, 1, 9999);
            s_.RunNum = run;
        });
        Key([&] {
            int32_t last = WholeSetting("ShowLast", Str("Application", "ShowLast", "3"));
            RequireRange("ShowLast", last, 0, kChannelCount - 1);
            s_.ShowLast = last;
        });
        Key([&] { s_.Units = WholeSetting("Units", Str("Application", "Units", "0")); });
        Key([&] { s_.Rate = WholeSetting("Rate", Str("Application", "Rate", "0")); });
        for (int ch = 0; ch < kChannelCount; ++ch) {
            Key([&] {
                FilterOf(s_, ch).Size(Whole16Setting("Filter", Str("Application", "Filter", "1")));
            });
        }
        Key([&] {
            double period =
                NumberSetting("Period", Str("Application", "Period", oldest ? ".25" : "25"));
            if (!oldest) period /= 100;
            RequireRange("Period", period, 0.1, 2.0);
            s_.Period = period;
        });
        const char* freqDefault = oldest ? "6.000,4.000,5.000,1" : "6100000;5000000;6000000;1";
        const double freqScale = oldest ? 1000000.0 : 1.0;
        double* freqs[3] = {&s_.FreqMax, &s_.FreqMin, &s_.FreqInit};
        for (int16_t field = 1; field <= 3; ++field) {
            Key([&] {
                *freqs[field - 1] =
                    NumberSetting("Freq", Str("Application", "Freq", freqDefault, field, sep)) *
                    freqScale;
            });
        }

        Key([&] { s_.GraphFile = Str("Graph", "File", "zelvo.oc2"); });
        Key([&] { s_.GraphFileThick = Str("Graph", "FileThick", "zelvo_Thick.oc2"); });
        Key([&] { s_.GraphFileFreq = Str("Graph", "FileFreq", "zelvo_Freq.oc2"); });
        Whole("Graph", "YMin", "0", s_.YMin);
        Whole("Graph", "YMinThick", "0", s_.YMinThick);
        Whole("Graph", "YMinFreq", "5000000", s_.YMinFreq);
        Whole("Graph", "YMax", "20", s_.YMax);
        Whole("Graph", "YMaxThick", "200", s_.YMaxThick);
        Whole("Graph", "YMaxFreq", "6000000", s_.YMaxFreq);
        Whole("Graph", "XRange", "60", s_.XRange);
        Whole("Graph", "XUnits", "0", s_.XUnits);
        Whole("Graph", "XScroll", "1", s_.XScroll);
        Key([&] { SetView(s_, window_, Whole16Setting("View", Str("Application", "View", "0"))); });

        Whole("DataLog", "LogEnabled", "0", s_.LogEnabled);
        Key([&] { s_.LogType = Whole16Setting("LogType", Str("DataLog", "LogType", "0")); });
        Key([&] { s_.LogFile = Str("DataLog", "LogFile", "Zelvo.log"); });

        for (int ch = 0; ch < kChannelCount; ++ch) ReadSensorLine(ch, oldest ? "," : ";");

        if (failure_) throw *failure_;
    }

  private:
    // One sensor line: name; density; Z factor; tooling; serial.
    void ReadSensorLine(int ch, const char* sep) {
        const std::string key = "Sensor " + std::to_string(ch + 1);
        // A missing line means density 1, Z factor 1 and tooling 100 % in every
        // layout, in the layout's own stored form.
        std::string fallback;
        if (s_.IniVer < kLayoutHundredths) {
            fallback = key + ",1,1,100,0";
        } else if (s_.IniVer < kLayoutThousandths) {
            fallback = key + ";100;1000;10000;0";
        } else {
            fallback = key + ";1000;1000;10000;0";
        }
        const double densityScale = s_.IniVer < kLayoutHundredths    ? 1.0
                                    : s_.IniVer < kLayoutThousandths ? 0.01
                                                                     : 0.001;
        const double zScale = s_.IniVer < kLayoutHundredths ? 1.0 : 0.001;
        const double toolingScale = s_.IniVer < kLayoutHundredths ? 1.0 : 0.01;
        const size_t i = static_cast<size_t>(ch);

        Key([&] { s_.ChannelName[i] = Trim(Str("Zelvo", key, fallback, 1, sep)); });
        Key([&] {
            s_.ChannelDensity[i] =
                NumberSetting(key, Str("Zelvo", key, fallback, 2, sep)) * densityScale;
        });
        Key([&] {
            s_.ChannelZFactor[i] = NumberSetting(key, Str("Zelvo", key, fallback, 3, sep)) * zScale;
        });
        Key([&] {
            s_.ChannelTooling[i] =
                NumberSetting(key, Str("Zelvo", key, fallback, 4, sep)) * toolingScale;
        });
        Key([&] { s_.ChannelSerial[i] = Trim(Str("Zelvo", key, fallback, 5, sep)); });
    }

    std::string Str(const std::string& section, const std::string& key, const std::string& fallback,
                    int16_t element = 0, const char* sep = "") {
        return ini_.ReadIniStr(section, key, fallback, element, sep);
    }

    void Whole(const char* section, const char* key, const char* fallback, int32_t& target) {
        Key([&] { target = WholeSetting(key, Str(section, key, fallback)); });
    }

    template <class Body>
    void Key(Body&& body) {
        try {
            body();
        } catch (...) {
            if (!failure_) failure_ = CurrentError();
        }
    }

    cIniFile& ini_;
    MainState& s_;
    IMainWindow& window_;
    std::optional<ZelvoError> failure_;
};

}  // namespace

int32_t WrittenIniVer() {
    const AppInfo& app = GetAppInfo();
    return app.major * 100 + app.minor * 10 + app.revision;
}

void IniRead(MainState& state, IMainWindow& window, const std::string& sFileName) {
    RunProcedure(std::string(kFormName) + "_IniRead", [&] {
        if (sFileName.empty()) return;
        const std::string path = SetupFilePath(sFileName);
        cIniFile ini;
        ini.IniFile(path);
        if (ini.IniFile().empty()) {
            Desktop().MessageBox(
                sFileName + texts::kNotFound + kCrLf + texts::kContinuingWithDefaults,
                GetAppInfo().title, MsgButtons::OK, MsgIcon::Information);
        }
        SetSetupFile(sFileName);
        // A file that exists but cannot be read is one failure, not one per key.
        if (!ini.IniFile().empty()) (void)ReadFileBytes(path);
        SettingsReader(ini, state, window).ReadAll();
    });
}

}  // namespace zelvo
