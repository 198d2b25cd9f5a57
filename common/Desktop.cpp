#include "Desktop.hpp"

#include "ConsoleDesktop.hpp"

namespace zelvo {
namespace {
IDesktop* installed = nullptr;
}  // namespace

IDesktop& Desktop() {
    static ConsoleDesktop console;
    return installed ? *installed : console;
}

void SetDesktop(IDesktop* desktop) {
    installed = desktop;
}

}  // namespace zelvo
