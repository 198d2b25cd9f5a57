// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The console desktop's clock and dates, as the console program's data log uses them.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <clocale>
#include <regex>
#include <string>

#include "ConsoleDesktop.hpp"

namespace zelvo {
namespace {

// Sets an environment variable for the life of the object.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = ::getenv(name)) old_ = old;
        ::setenv(name, value, 1);
    }
    ~ScopedEnv() {
        if (old_.empty()) {
            ::unsetenv(name_);
        } else {
            ::setenv(name_, old_.c_str(), 1);
        }
    }

  private:
    const char* name_;
    std::string old_;
};

TEST(ConsoleDesktopTest, DatesFollowTheUsersTimeLocale) {
    ScopedEnv lcAll("LC_ALL", "de_DE.UTF-8");
    if (std::setlocale(LC_TIME, "") == nullptr) GTEST_SKIP() << "no German locale here";
    std::setlocale(LC_TIME, "C");  // the process stays in the C locale, as the program does
    ConsoleDesktop desktop;
    EXPECT_TRUE(std::regex_match(desktop.ShortDateNow(), std::regex(R"(\d\d\.\d\d\.\d{4})")))
        << desktop.ShortDateNow();
    EXPECT_TRUE(std::regex_match(desktop.GeneralDateTimeNow(),
                                 std::regex(R"(\d\d\.\d\d\.\d{4} \d\d:\d\d:\d\d)")))
        << desktop.GeneralDateTimeNow();
}

TEST(ConsoleDesktopTest, TheTimeOfDayNeverStepsBackAcrossASecond) {
    // Whole seconds and their fraction come from one reading of the clock: across a
    // change of the second, no reading is earlier than the one before it.
    ConsoleDesktop desktop;
    double last = desktop.SecondsSinceMidnight();
    int secondChanges = 0;
    while (secondChanges < 1) {
        const double now = desktop.SecondsSinceMidnight();
        if (now < last && last - now < 43200) {  // not the wrap at midnight
            FAIL() << "time of day stepped back from " << last << " to " << now;
        }
        if (static_cast<long>(now) != static_cast<long>(last)) ++secondChanges;
        last = now;
    }
}

}  // namespace
}  // namespace zelvo
