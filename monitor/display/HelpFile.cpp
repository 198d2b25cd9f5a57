#include "HelpFile.hpp"

#include <filesystem>

#include "AboutRules.hpp"
#include "AppInfo.hpp"
#include "FileUtil.hpp"

namespace zelvo {

std::vector<std::string> ManualCandidates(const std::string& programFolder) {
    // The program's data folder, not share/doc: a system may leave documentation
    // folders out of what it installs, and Help must still find its manual.
    return {JoinPath(programFolder, "../share/zelvomon/manual/index.html"), ZELVO_SOURCE_MANUAL};
}

std::string ManualFile(const std::string& programFolder,
                       const std::function<bool(const std::string&)>& exists) {
    const std::vector<std::string> candidates = ManualCandidates(programFolder);
    for (const std::string& candidate : candidates) {
        if (exists(candidate)) return candidate;
    }
    return candidates.front();
}

std::string ManualFile() {
    std::string program;
    // Without the program's own path only the source tree's manual can be offered.
    if (ProgramFile(program)) return ZELVO_SOURCE_MANUAL;
    return ManualFile(GetPathPart(program), [](const std::string& path) {
        std::error_code error;
        return std::filesystem::exists(path, error);
    });
}

}  // namespace zelvo
