// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The monitor core's own texts: messages, captions and row texts, kept in one
// place so that they can be found and checked.

namespace zelvo::texts {

// Settings and setup files.
inline constexpr const char* kNotFound = " Not Found.";
inline constexpr const char* kContinuingWithDefaults = "Continuing with defaults.";
inline constexpr const char* kReadOnly = " is Read Only!";
inline constexpr const char* kCaptionStart = "Zelvo - [";
inline constexpr const char* kCaptionEnd = "]";

// Data log: follow the count of lines a write failure cost; then the file and times.
inline constexpr const char* kLostLine = " line of the data log could not be written to ";
inline constexpr const char* kLostLines = " lines of the data log could not be written to ";

// Data log: follows the name of a file that the log leaves untouched.
inline constexpr const char* kNotADataLog =
    " is not a data log of this program; it is left as it is and the run is not logged.\r\n"
    "Choose another log file.";

// Start-up.
inline constexpr const char* kOnlyOneInstance = "Only one instance of this application at a time.";

// Run buttons.
inline constexpr const char* kStartCaption = "&Start";
inline constexpr const char* kStopCaption = "&Stop";
inline constexpr const char* kPauseCaption = "&Pause";
inline constexpr const char* kResumeCaption = "&Resume";

// A run that cannot start: one line per channel, "<name> (<serial>): <step>: <failure>".
inline constexpr const char* kRunNotStarted =
    "The run was not started. These channels could not be prepared:";
inline constexpr const char* kPreparePeriod = "measurement period: ";
inline constexpr const char* kPrepareMaterial = "material: ";
inline constexpr const char* kPrepareZero = "zero: ";
inline constexpr const char* kPrepareBusy = "the sensor was busy.";
inline constexpr const char* kPrepareNoReply = "no reply from the sensor.";
inline constexpr const char* kPrepareRefused = "the value was refused.";
inline constexpr const char* kPrepareNotConnected = "the sensor is not connected.";
inline constexpr const char* kPrepareWrongReply = "the sensor gave a wrong reply.";
inline constexpr const char* kPrepareStatus = "sensor status ";

// Row texts of failed readings.
inline constexpr const char* kOverflow = "OVFLW";
inline constexpr const char* kCommandError = "CMND ERR";
inline constexpr const char* kCrystalFail = "XTAL FAIL";
inline constexpr const char* kRowNotFound = "Not Found";
inline constexpr const char* kCommError = "COMM ERR";
inline constexpr const char* kUnknownError = "UNK ERR";

// Discovery.
inline constexpr const char* kNoZelvos = "No Zelvos detected.";
inline constexpr const char* kConnectZelvo = "Connect Zelvo to USB port and press Find.";
inline constexpr const char* kZelvoNumber = "Zelvo #";
inline constexpr const char* kIsAssignedTo = " is assigned to ";
inline constexpr const char* kButNotConnected = " but is not connected.";
inline constexpr const char* kRemoveAssignment = "Remove the assignment?";
// A displayed channel's sensor left the bus, or came back: "<name> (<serial>)" and
// the text, then the run time in seconds and " s".
inline constexpr const char* kSensorLeft = " left at ";
inline constexpr const char* kSensorCameBack = " came back at ";
// Said instead of the question when no person can answer it.
inline constexpr const char* kAssignmentKept =
    "The assignment is kept; the channel takes the sensor back when it returns.";
inline constexpr const char* kConnectedNotAssigned =
    " is connected, but not assigned to any channel.";
inline constexpr const char* kAssignToUnused = "Assign it to unused channel ";
inline constexpr const char* kFrequencyLimitsFailed =
    "Could not set your Zelvo frequency limits.  Using defaults.";
// After a discovery message: the ports left out, one "<port> (<serial>): <reason>"
// line each.
inline constexpr const char* kPortsSkipped = "Ports skipped:";

}  // namespace zelvo::texts
