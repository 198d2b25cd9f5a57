#include "SimLibrary.hpp"

#include <algorithm>

#include "AppInfo.hpp"

namespace zelvo {

std::vector<std::string> SimLibraryCandidates(const std::string& programFolder) {
    const std::string up = JoinPath(programFolder, "..");
    return {JoinPath(programFolder, kSimLibraryName),
            JoinPath(JoinPath(up, "sensor"), kSimLibraryName),
            JoinPath(JoinPath(JoinPath(up, ".."), "sensor"), kSimLibraryName),
            JoinPath(JoinPath(up, "lib"), kSimLibraryName),
            JoinPath(JoinPath(JoinPath(up, "lib"), "zelvomon"), kSimLibraryName)};
}

std::optional<ZelvoError> FindSimLibrary(const std::string& programFolder,
                                         const std::function<bool(const std::string&)>& exists,
                                         std::string& path) {
    const std::vector<std::string> candidates = SimLibraryCandidates(programFolder);
    for (const std::string& candidate : candidates) {
        if (exists(candidate)) {
            path = candidate;
            return std::nullopt;
        }
    }
    std::string looked;
    for (const std::string& candidate : candidates) looked += "\n  " + candidate;
    return ZelvoError(err::FileNotFound, std::string("The simulated bridge library ") +
                                             kSimLibraryName +
                                             " is in none of these places:" + looked);
}

bool WantsSimulator(const std::vector<std::string>& arguments) {
    return std::find(arguments.begin(), arguments.end(), "--simulate") != arguments.end();
}

}  // namespace zelvo
