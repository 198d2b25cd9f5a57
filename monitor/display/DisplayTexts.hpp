// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's own texts: captions, tool tips, menu items, grid headers and
// the about box, kept in one place so that they can be found and checked.

namespace zelvo::texts {

// Run bar.
inline constexpr const char* kStartStopTip = "Start/Stop measurements and zeroes thickness.";
inline constexpr const char* kPauseTip = "Halt readings without zeroing thickness.";
inline constexpr const char* kRunTimeLabel = "Run Time";
inline constexpr const char* kRunTimeZero = "00:00:00";
inline constexpr const char* kRunNumberLabel = "Run #";
inline constexpr const char* kDataLogOff = "DataLog Off";
inline constexpr const char* kDataLogOn = "DataLog On";

// DataLog frame.
inline constexpr const char* kFileFrame = "DataLog";
inline constexpr const char* kOverwrite = "Overwrite";
inline constexpr const char* kOverwriteTip = "Overwrite the DataLog at the start of each run.";
inline constexpr const char* kAppend = "Append";
inline constexpr const char* kAppendTip = "Append each run to the DataLog file.";
inline constexpr const char* kRunNumbered = "Run#";
inline constexpr const char* kRunNumberedTip =
    "Create a new DataLog with the run number appended to the file name.";
inline constexpr const char* kView = "&View";
inline constexpr const char* kViewTip = "View the log file.";
inline constexpr const char* kSelect = "&Select";
inline constexpr const char* kSelectTip = "Select directory and name for the log file.";
inline constexpr const char* kFileNameDesign = "ZELVO.LOG";
inline constexpr const char* kFileNameTip = "DataLog file name and path.";

// Measurement frame.
inline constexpr const char* kInitFrame = "Measurement";
inline constexpr const char* kPeriodTip = "Measurement period for readings.";
inline constexpr const char* kPeriodLabel = "Period";
inline constexpr const char* kSecondsLabel = "sec.";
inline constexpr const char* kPeriodLabelTip = "Measurement period in seconds.";
inline constexpr const char* kCrystalLabel = "Crystal Frequency (MHz)";
inline constexpr const char* kMaxLabel = "Max.";
inline constexpr const char* kMinLabel = "Min.";
inline constexpr const char* kInitialLabel = "Initial";
inline constexpr const char* kMaxTip = "Maximum valid sensor frequency.";
inline constexpr const char* kMinTip = "Minimum valid sensor frequency.";
inline constexpr const char* kInitialTip = "Starting (new) sensor frequency.";

// Display frame.
inline constexpr const char* kDisplayFrame = "Display";
inline constexpr const char* kUnitsKa = "Thickness (kA)";
inline constexpr const char* kUnitsKaTip = "Display thickness in kA.";
inline constexpr const char* kUnitsMass = "Mass (nm/cc)";
inline constexpr const char* kUnitsMassTip = "Display mass in ug/cm^2.";
inline constexpr const char* kUnitsA = "Thickness (A)";
inline constexpr const char* kUnitsATip = "Display thickness in A.";
inline constexpr const char* kFilterLabel = "Filter";
inline constexpr const char* kFilterTip = "Number of readings used in rate filter.";
inline constexpr const char* kResolutionLabel = "Resolution";
inline constexpr const char* kResolutionTip = "Rate display resolution.";
inline constexpr const char* kRowsLabel = "# Zelvos";
inline constexpr const char* kRowsTip = "Number of sensors displayed on main form.";
inline constexpr const char* kLock = "Lock Parameters";
inline constexpr const char* kLockTip = "Lock the material parameters on main screen.";
inline constexpr const char* kOnTop = "Application On Top";
inline constexpr const char* kOnTopTip = "Place Zelvo application above other applications.";

// Zelvos frame.
inline constexpr const char* kZelvoFrame = "Zelvos";
inline constexpr const char* kFind = "&Find";
inline constexpr const char* kFindTip = "Search for connected Zelvos.";

// Menus.
inline constexpr const char* kFileMenu = "&File";
inline constexpr const char* kOpenItem = "&Open Configuration";
inline constexpr const char* kSaveItem = "&Save Configuration";
inline constexpr const char* kSaveAsItem = "Save Configuration &As";
inline constexpr const char* kPrintItem = "&Print Screen";
inline constexpr const char* kRunReportItem = "Run Report…";
inline constexpr const char* kExitItem = "E&xit";
inline constexpr const char* kViewMenu = "&View";
inline constexpr const char* kRateGraphItem = "&Rate Graph";
inline constexpr const char* kThickGraphItem = "&Thickness Graph";
inline constexpr const char* kFreqGraphItem = "&Frequency Graph";
inline constexpr const char* kSetupItem = "&Setup";
inline constexpr const char* kHelpMenu = "&Help";
inline constexpr const char* kHelpItem = "&Help";
inline constexpr const char* kAboutItem = "&About";

// The design caption, replaced by the setup file's caption at start-up.
inline constexpr const char* kDesignCaption = "Zelvo";

// Chart settings strip: labels, tool tips, X-axis units and scroll modes.
inline constexpr const char* kYMax = "Y Max.";
inline constexpr const char* kYMaxTip = "Maximum value of the Y axis.";
inline constexpr const char* kYMin = "Y Min.";
inline constexpr const char* kYMinTip = "Minimum value of the Y axis.";
inline constexpr const char* kXRange = "X Range";
inline constexpr const char* kXRangeTip = "X axis width. Enter zero to auto scale.";
inline constexpr const char* kXUnitsLabel = "X Units";
inline constexpr const char* kXUnitsTip = "Units of graph X axis.";
inline constexpr const char* kXScrollLabel = "X Scroll";
inline constexpr const char* kXScrollTip = "Amount to scroll graph when X axis is exceeded.";
inline constexpr const char* kXUnits[] = {"Sec.", "Min.", "Hr."};
inline constexpr const char* kXScroll[] = {"Strip", "25%", "50%", "75%", "100%"};
// Chart X-axis titles by X unit, and the refusal of a negative X width.
inline constexpr const char* kXAxisTitles[] = {"Time (Sec.)", "Time (Min.)", "Time (Hr.)"};
inline constexpr const char* kXRangeNegative = "X Axis Range must be greater than zero.";
// Print Screen without a printer, and with a job the printer refused.
inline constexpr const char* kNoPrinter =
    "No printer found. Add a printer to the system, then choose Print Screen again.";
inline constexpr const char* kPrintRefused =
    "The printer did not accept the page. Check the printer, then choose Print Screen again.";
// Rate resolutions.
inline constexpr const char* kRateItems[] = {"0.0", "0.00"};

// Setup-file dialogs.
inline constexpr const char* kOpenSetupTitle = "Open Setup File";
inline constexpr const char* kSaveSetupTitle = "Save Setup As";
inline constexpr const char* kSetupFilter = "Setup files (*.cfg)|*.cfg";
inline constexpr const char* kSetupDefaultExt = "dat";
// Log file dialog.
inline constexpr const char* kSaveLogTitle = "Save LogFile As";
inline constexpr const char* kLogFilter = "Log files (*.LOG)|*.LOG|All Files (*.*)|*.*";
inline constexpr const char* kDefaultLogName = "Zelvo.LOG";

// About box.
inline constexpr const char* kAboutCaption = "About ";
inline constexpr const char* kVersionLabel = "Version ";
inline constexpr const char* kOsLabel = "Linux Version: ";
inline constexpr const char* kDirectoryLabel = "Directory: ";
inline constexpr const char* kOk = "OK";

}  // namespace zelvo::texts
