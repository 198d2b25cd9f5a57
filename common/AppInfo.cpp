#include "AppInfo.hpp"

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

}  // namespace zelvo
