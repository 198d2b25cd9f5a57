// frmMain_IniWrite: every setting to a setup file, in the written layout.

#include <sys/stat.h>

#include <cerrno>
#include <string>
#include <vector>

#include "AppInfo.hpp"
#include "Format.hpp"
#include "MonitorTexts.hpp"
#include "Settings.hpp"
#include "SetupFile.hpp"
#include "TextFile.hpp"
#include "cErrHandler.hpp"
#include "cIniFile.hpp"

namespace zelvo {
namespace {

// True when the file carries no write permission for anyone (the read-only
// attribute; checked on the mode bits so that it holds for every user).
bool IsReadOnly(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) throw FileError(errno, path);
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

class SettingsWriter {
  public:
    explicit SettingsWriter(cIniFile& ini) : ini_(ini) {}

    void Put(const char* section, const std::string& key, const std::string& value) {
        if (ini_.WriteIniStr(section, key, value) == 0) refused_.push_back(key);
    }
    void Put(const char* section, const std::string& key, int32_t value) {
        Put(section, key, std::to_string(value));
    }

    // A key the store refused is not lost silently: once every other key has been
    // written, the refusals are reported as one failure.
    void ReportRefusals(const std::string& path) const {
        if (refused_.empty()) return;
        std::string keys;
        for (const std::string& key : refused_) keys += (keys.empty() ? "" : ", ") + key;
        throw ZelvoError(err::PathFileAccess,
                         "Path/File access error: not written to " + path + ": " + keys);
    }

  private:
    cIniFile& ini_;
    std::vector<std::string> refused_;
};

std::string SensorLine(const MainState& s, size_t ch) {
    return s.ChannelName[ch] + ";" + FormatNumber(s.ChannelDensity[ch] * 1000, "#00") + ";" +
           FormatNumber(s.ChannelZFactor[ch] * 1000, "#000") + ";" +
           FormatNumber(s.ChannelTooling[ch] * 100, "#00") + ";" + s.ChannelSerial[ch];
}

void WriteAll(const MainState& s, SettingsWriter& w) {
    const int32_t filterSize = s.ChannelFilter[0] ? s.ChannelFilter[0]->Size() : 1;
    w.Put("Application", "IniVer", WrittenIniVer());
    w.Put("Application", "OnTop", s.OnTop);
    w.Put("Application", "Locked", s.Locked ? "-1" : "0");
    w.Put("Application", "Units", s.Units);
    w.Put("Application", "Rate", s.Rate);
    w.Put("Application", "Filter", filterSize);
    w.Put("Application", "View", s.View);
    w.Put("Application", "ShowLast", s.ShowLast);
    w.Put("Application", "Freq",
          FormatNumber(s.FreqMax, "0000000") + ";" + FormatNumber(s.FreqMin, "0000000") + ";" +
              FormatNumber(s.FreqInit, "0000000"));
    w.Put("Application", "Period", FormatNumber(s.Period * 100, "#00"));
    w.Put("Application", "RunNum", s.RunNum);

    w.Put("Graph", "File", s.GraphFile);
    w.Put("Graph", "FileThick", s.GraphFileThick);
    w.Put("Graph", "FileFreq", s.GraphFileFreq);
    w.Put("Graph", "YMin", s.YMin);
    w.Put("Graph", "YMinThick", s.YMinThick);
    w.Put("Graph", "YMinFreq", s.YMinFreq);
    w.Put("Graph", "YMax", s.YMax);
    w.Put("Graph", "YMaxThick", s.YMaxThick);
    w.Put("Graph", "YMaxFreq", s.YMaxFreq);
    w.Put("Graph", "XRange", s.XRange);
    w.Put("Graph", "XUnits", s.XUnits);
    w.Put("Graph", "XScroll", s.XScroll);

    w.Put("DataLog", "LogEnabled", s.LogEnabled);
    w.Put("DataLog", "LogType", s.LogType);
    w.Put("DataLog", "LogFile", s.LogFile);

    for (size_t ch = 0; ch < kChannelCount; ++ch) {
        w.Put("Zelvo", "Sensor " + std::to_string(ch + 1), SensorLine(s, ch));
    }
}

}  // namespace

bool IniWrite(const MainState& state, const std::string& sFileName) {
    bool written = false;
    const bool finished = RunProcedure(std::string(kFormName) + "_IniWrite", [&] {
        if (sFileName.empty()) return;
        const std::string path = SetupFilePath(sFileName);
        cIniFile ini;
        ini.IniFile(path);
        if (ini.IniFile().empty()) {
            if (!FileExists(path)) WriteFileBytes(path, "");
            ini.IniFile(path);
            if (ini.IniFile().empty()) {
                throw ZelvoError(err::PathFileAccess, "Path/File access error: " + path);
            }
        }
        if (IsReadOnly(path)) {
            Desktop().MessageBox(sFileName + texts::kReadOnly, GetAppInfo().title, MsgButtons::OK,
                                 MsgIcon::Exclamation);
            return;
        }
        SetSetupFile(sFileName);
        SettingsWriter writer(ini);
        WriteAll(state, writer);
        writer.ReportRefusals(path);
        written = true;
    });
    return finished && written;
}

}  // namespace zelvo
