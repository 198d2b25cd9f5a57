// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every text the wizard's pages show: captions, labels, examples and help.
// The messages of the checks and the field limits come from the core with the checks.

namespace kitforge {

inline constexpr const char* kWizardTitle = "Custom USB Driver Installation Wizard";

inline constexpr const char* kCancelText = "Cancel";
inline constexpr const char* kBackText = "< Back";
inline constexpr const char* kNextText = "Next >";
inline constexpr const char* kFinishText = "Finish";

// CInstallTypePage
inline constexpr const char* kInstallTypeHeading =
    "Custom USB Driver Installation Wizard\nVersion 3.7";
inline constexpr const char* kInstallTypeQuestion =
    "Select which type of custom driver installation package to create:";
inline constexpr const char* kVcpOption =
    "Virtual COM Port Driver Installation\n(NR7x - Driver version 4.40)";
inline constexpr const char* kLinkvaneOption =
    "Linkvane Driver Installation\n(NR7x or Tessik - Driver version 3.1";
inline constexpr const char* kOutputKindQuestion =
    "Select how you would like to install your custom driver:";
inline constexpr const char* kInstallerOption =
    "Customized Executable Installer\n(This executable can be run in quiet mode)";
inline constexpr const char* kInfOnlyOption = "INF Files only";

// CCertificationPage
inline constexpr const char* kCertificationWarning =
    "WARNING: This Custom Setup Wizard will generate a custom installation for Ostrelix USB "
    "Drivers. As a result the driver installation will no longer be certified for Microsoft "
    "Windows XP/S2K3/Vista.";
inline constexpr const char* kCertificationReseller =
    "If you want to certify this custom driver set, a reseller certification must be performed "
    "by Microsoft for the new driver installation.";
inline constexpr const char* kCertificationNote =
    "Note: An uncertified installation will not cause any problems other than the warning "
    "message displayed by Win XP/S2K3 when installing uncertified drivers. Uncertified drivers "
    "cannot be installed on Vista except under certain testing conditions.";
inline constexpr const char* kCertificationMoreInfo =
    "For more info on Windows Certification goto:\n"
    "  https://learn.microsoft.com/windows-hardware/drivers/\n"
    "  https://www.ostrelix.com/support/drivers";

// CCompanyPage
inline constexpr const char* kCompanyNameLabel = "Company Name (Long Name for .inf File Entries):";
inline constexpr const char* kCompanyNameExample = "Example: \"Ostrelix\"";
inline constexpr const char* kAbbreviationLabel =
    "Company Abbreviation (Short Name for .inf File Entries):";
inline constexpr const char* kAbbreviationExample = "Example: \"ostx\" ";
inline constexpr const char* kVcpInfLabel = "Prefix for .inf File Names:";
inline constexpr const char* kLinkvaneInfLabel = "File Name for .inf:";
inline constexpr const char* kVcpInfExample = "Example: \"ostxxxxx.inf\"";
inline constexpr const char* kLinkvaneInfExample = "Example: \"Vdlink.inf\"";
inline constexpr const char* kVidLabel = "VID (Vendor ID):";
inline constexpr const char* kPidLabel = "PID (Product ID):";
inline constexpr const char* kVidExample = "Example: 2E1A (Hex value)";
inline constexpr const char* kVcpPidExample = "Example: B3A0 (Hex value)";
inline constexpr const char* kLinkvanePidExample = "Example: B3A1 (Hex value)";

// CDeviceNamesPage
inline constexpr const char* kUsbDeviceNameLabel = "USB Device Name:";
inline constexpr const char* kComDeviceNameLabel = "COM Device Name:";
inline constexpr const char* kVcpUsbDeviceExample =
    "Example: \"NR7x USB Composite Device\"\n(Name appears in Device Manager under the USB tab)";
inline constexpr const char* kLinkvaneUsbDeviceExample =
    "Example: \"Linkvane Device\"\n(Name appears in Device Manager under the USB tab)";
inline constexpr const char* kComDeviceExample =
    "Example: \"NR7x USB to UART Bridge Controller\" (Name appears in Device Manager under the "
    "Ports tab)";

// CInstallerNamesPage
inline constexpr const char* kProductNameLabel = "Product Name:";
inline constexpr const char* kInstallerNameLabel = "Name for Installation File:";
inline constexpr const char* kVcpProductExample =
    "Example: \"Ostrelix USB to UART Bridge\"\n(Name appears in Add/Remove Programs listing)";
inline constexpr const char* kLinkvaneProductExample =
    "Example: \"Ostrelix Linkvane Device\"\n(Name appears in Add/Remove Programs listing)";
inline constexpr const char* kVcpInstallerExample =
    "Example: \"NR7xVCPInstaller\" (Name will show up in the driver installation as "
    "NR7xVCPInstaller.exe)";
inline constexpr const char* kLinkvaneInstallerExample =
    "Example: \"LinkvaneInstaller\" (Name will show up in the driver installation as "
    "LinkvaneInstaller.exe)";

// CInstallerOptionsPage
inline constexpr const char* kInstallerOptionsGroup = "Installer Options";
inline constexpr const char* kUninstallerOptionsGroup = "Uninstaller Options";
inline constexpr const char* kHelpButtonText = "?";
inline constexpr const char* kDisplayInstallOption = "Display GUI window during Install";
inline constexpr const char* kCopyFilesOption = "Copy Files to Target Directory during Install";
inline constexpr const char* kTargetDirLabel = "Target Directory:";
inline constexpr const char* kTargetDirExample =
    "Example: \"C:\\Program Files\\Ostrelix\\Product Name\"\n\nNote: This MUST be different for "
    "each product released.";
inline constexpr const char* kDisplayUninstallOption = "Display GUI window during Uninstall";
inline constexpr const char* kRemoveFilesOption =
    "Remove Files from Target Directory during Uninstall";

inline constexpr const char* kDisplayInstallHelp =
    "Display GUI window during Install:\n\nCheck this option when using the generated Installer "
    "as a stand-alone application.\nThe Installer will display several GUI windows during the "
    "installation process.\n\nUncheck this option to run the Installer in Quiet Mode. When "
    "running in Quiet Mode,\nno GUI will be displayed. This is useful when using another "
    "application to launch\nthis Installer.";
inline constexpr const char* kCopyFilesHelp =
    "Copy Files to Target Directory during Install:\n\nCheck this option if a copy of the "
    "drivers will be needed on the hard drive. This is useful\nwhen installing the drivers from a "
    "CD. Uncheck this option if copies of the driver files are not\nneeded on the hard drive.";
inline constexpr const char* kTargetDirHelp =
    "Target Directory:\n\nSelects the hard drive location that will contain a copy of the driver "
    "files. The default\nlocation is C:\\Program Files\\Ostrelix\\MCU\\NR7x.\n\nIf the \"Display "
    "GUI window during Installation\" option is selected, this path can be changed\nduring "
    "installation by clicking the Browse button.\n\nHowever, if the \"Display GUI  window during "
    "Installation\" option is not selected then the\ndefault directory is always used unless a "
    "directory is specified through the command line.\n\nThis option is ignored if the \"Copy "
    "Files to Directory during Setup\" option is not selected.\n\nNote: The Target Directory must "
    "be different for each product released.";
inline constexpr const char* kDisplayUninstallHelp =
    "Display GUI window during Uninstall:\n\nCheck this option when using the generated "
    "Uninstaller as a stand-alone application. The\nUninstaller will display several GUI windows "
    "during the uninstall process.\n\nUncheck this option if the Uninstaller will be launched by "
    "another application. The Uninstaller\nwill then run in Quiet Mode. When running in Quiet "
    "Mode, no GUI will be displayed.";
inline constexpr const char* kRemoveFilesHelp =
    "Remove Files from Target Directory during Uninstall:\n\nCheck this option if the copied "
    "drivers should be removed from the target directory during\nUninstallation. This is useful "
    "when installing the drivers from a CD.\n\nUncheck this option to leave copies of the driver "
    "files on the hard drive.";

// COutputFolderPage
inline constexpr const char* kOutputFolderLabel =
    "Specify the directory where you want the Custom Setup files generated:";
inline constexpr const char* kBrowseText = "Browse...";
inline constexpr const char* kOutputFolderNote =
    "Note: This is also the location where you should put catalog files for certification if "
    "your driver is certified..";
inline constexpr const char* kBrowseTitle = "Select a Folder to Generate Your Setup Files In:";

}  // namespace kitforge
