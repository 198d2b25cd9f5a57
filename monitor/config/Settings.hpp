#pragma once
// Reading and writing every setting of the monitor from and to a setup file in
// the application folder (frmMain_IniRead, frmMain_IniWrite).

#include <string>

#include "MainState.hpp"
#include "MainView.hpp"

namespace zelvo {

// Layout versions of setup files.
inline constexpr int32_t kLayoutHundredths = 105;   // from here on: hundredths, Hz, ";"
inline constexpr int32_t kLayoutThousandths = 109;  // from here on: density in thousandths

// The layout version written: major x 100 + minor x 10 + revision.
int32_t WrittenIniVer();

// Reads every setting from the file; the View setting is applied through the
// window at once. A missing file gives "<name> Not Found." and the defaults of the
// oldest layout. The name becomes the current setup file. A value that cannot be
// taken keeps its variable's previous value; the remaining keys are still read and
// the first failure is reported through the error handler.
void IniRead(MainState& state, IMainWindow& window, const std::string& sFileName);

// Writes every setting to the file (created when missing). A read-only file gives
// "<name> is Read Only!" and nothing is written. Otherwise the name becomes the
// current setup file. Returns true when every setting was written.
bool IniWrite(const MainState& state, const std::string& sFileName);

}  // namespace zelvo
