#include "AppInfo.hpp"

#include <unistd.h>

#include <cerrno>
#include <vector>

namespace zelvo {
namespace {
AppInfo& Current() {
    static AppInfo info;
    return info;
}
}  // namespace

const AppInfo& GetAppInfo() {
    return Current();
}
void SetAppInfo(const AppInfo& info) {
    Current() = info;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

std::optional<ZelvoError> ProgramFile(std::string& path) {
    std::vector<char> buffer(4096);
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length < 0) return FileError(errno, "/proc/self/exe");
    path.assign(buffer.data(), static_cast<size_t>(length));
    return std::nullopt;
}

}  // namespace zelvo
