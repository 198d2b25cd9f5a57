// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "InfTemplates.hpp"

#include <stdexcept>

#include "CWizardData.hpp"

namespace kitforge {

// The composite-device (bus) driver INF of the virtual COM port set.
const std::string_view kBusInfTemplate =
    R"INF(;*****************************************************************************
;
; «Prefix»bus.inf   -- Install the «UsbName» drivers
;
; Driver files Copyright (c) 2007 Ostrelix; all rights reserved, licensed not sold.
;
; Ostrelix and NR7x are trademarks of Ostrelix.
;
; Licence: these drivers may be installed and redistributed only together with
; devices built around the Ostrelix NR7x bridge. They are provided as is,
; without warranty of any kind; the licensor is not liable for any damage
; arising from their use.
;
;*****************************************************************************

[version]
signature="$WINDOWS NT$"
Class=USB
ClassGuid={36FC9E60-c465-11cf-8056-444553540000}
Provider=%Provider%
DriverVer=02/22/2007,4.40.1.0
CatalogFile=«Prefix»bus.cat

[ControlFlags]
ExcludeFromSelect = *

;-----------------------------------------------------------------------------
; Specify target paths...
;-----------------------------------------------------------------------------
[DestinationDirs]
DefaultDestDir              = 11                    ; LDID_SYS
OSTXWdm.NT.CopyFiles        = 12                    ; system32\drivers
;PropPages.CopyFiles         = 11                    ; system

;-----------------------------------------------------------------------------
; Specify the install disks.  A bit unwieldy during development.
;-----------------------------------------------------------------------------
[SourceDisksNames.x86]
; diskid = description[, [tagfile] [, <unused>, subdir]]
1=%DiskString%,"ostxbus.sys",,\x86


[SourceDisksNames.amd64]
; diskid = description[, [tagfile] [, <unused>, subdir]]
1=%DiskString%,"ostxbus.sys",,\x64



[SourceDisksFiles]
; filename = diskid[, [subdir] [, size]]
ostxbus.sys = 1
ostxwhnt.sys = 1

;-----------------------------------------------------------------------------
; Table of Contents:  manufacturer, then devices.
;-----------------------------------------------------------------------------
[Manufacturer]
%OSTX%=OSTX, NTamd64

;-----------------------------------------------------------------------------
; The devices
;-----------------------------------------------------------------------------
[OSTX]
%OSTX.CdcBus.Desc% = OSTXWdm.Install, USB\VID_«VID»&PID_«PID»

[OSTX.NTamd64]
%OSTX.CdcBus.Desc% = OSTXWdm.Install, USB\VID_«VID»&PID_«PID»

;-----------------------------------------------------------------------------
; How to install them:  On W9x, the [section] name is used directly.
; On NT, the system first tries [section.NT], then [section].
;-----------------------------------------------------------------------------

;-----------------------------------------------------------------------------
; Diagnostics Files CopyFiles List Section
;-----------------------------------------------------------------------------
;[OSTX.CopyFiles]

;-----------------------------------------------------------------------------
; XXX when we have a property page DLL, add it to the following section.
;-----------------------------------------------------------------------------
;[PropPages.CopyFiles]


;-----------------------------------------------------------------------------
;       How to install the WDM driver on NT
;-----------------------------------------------------------------------------
[OSTXWdm.Install.NT]
CopyFiles       = OSTXWdm.NT.CopyFiles
AddReg          = OSTXWdm.AddReg, OSTXWdm.NT.AddReg


;-----------------------------------------------------------------------------
;       How to start the WDM driver on NT
;-----------------------------------------------------------------------------
[OSTXWdm.Install.NT.Services]
AddService      = ostxbus, 2, OSTXWdm.AddService

[OSTXWdm.AddService]
DisplayName             = %OSTX.Service.Desc%
ServiceType             = 1     ; SERVICE_KERNEL_DRIVER
StartType               = 3     ; SERVICE_DEMAND_START
ErrorControl            = 1     ; SERVICE_ERROR_NORMAL
ServiceBinary           = %12%\ostxbus.sys
LoadOrderGroup          = Base

;-----------------------------------------------------------------------------
;       WDM registry entries (all platforms)
;-----------------------------------------------------------------------------
[OSTXWdm.AddReg]

;-----------------------------------------------------------------------------
;       WDM registry entries (NT only)
;-----------------------------------------------------------------------------
[OSTXWdm.NT.AddReg]

;-----------------------------------------------------------------------------
;       The WDM copy list for NT -- different because things go in
;       different places.
;-----------------------------------------------------------------------------
[OSTXWdm.NT.CopyFiles]
ostxbus.sys
ostxwh.sys,ostxwhnt.sys
ostxwhnt.sys

;****************************************************************************
; Localizable Strings
;****************************************************************************
[strings]

;BEGIN ENG - US English Strings
Provider = "«Company»"
OSTX = "«Company»"
DiskString = "«UsbName» Installation disk"

OSTX.CdcBus.Desc = "«UsbName»"
OSTX.Service.Desc = "«UsbName» driver (WDM)"

CustomerDataPath = "«ComName»"
DriverSet = "«ComName» Software"


;END ENG - US English Strings

;-----------------------------------------------------------------------------
; Following are symbolic constants which don't change per locale.
;-----------------------------------------------------------------------------

;*** end of file ***
)INF";

// The serial-port driver INF of the virtual COM port set (interface 0 of the
// composite device).
const std::string_view kSerialInfTemplate =
    R"INF(;*****************************************************************************
;
; Name:  «Prefix»w2k.inf
;
; Function:
;⇥Install the «ComName» (WDM) on Win2000
;
; Driver files Copyright (c) 2007 Ostrelix; all rights reserved, licensed not sold.
;
; Ostrelix and NR7x are trademarks of Ostrelix.
;
; Licence: these drivers may be installed and redistributed only together with
; devices built around the Ostrelix NR7x bridge. They are provided as is,
; without warranty of any kind; the licensor is not liable for any damage
; arising from their use.
;
;*****************************************************************************

[Version]
signature="$WINDOWS NT$"
Class=Ports
ClassGuid={4D36E978-E325-11CE-BFC1-08002BE10318}
Provider=%Provider%
DriverVer=02/22/2007,4.40.1.0
CatalogFile=«Prefix»ser.cat

[ControlFlags]
ExcludeFromSelect = *

[SourceDisksNames.x86]
; diskid = description[, [tagfile] [, <unused>, subdir]]
1=%DiskString%,"ostxser.sys",,\x86

[SourceDisksNames.amd64]
; diskid = description[, [tagfile] [, <unused>, subdir]]
1=%DiskString%,"ostxser.sys",,\x64


[SourceDisksFiles]
; filename = diskid[,[ subdir][, size]]
ostxser.sys = 1
ostxcmnt.sys = 1

;-----------------------------------------------------------------------------
; Specify target paths...
;-----------------------------------------------------------------------------

[DestinationDirs]
DefaultDestDir = 12                    ; system32\drivers
CopyFiles = 12                         ; system32\drivers
CopyFiles.Win2K = 12                   ;

;-----------------------------------------------------------------------------
; Table of Contents
;-----------------------------------------------------------------------------
[Manufacturer]
%OSTX%=OSTX, NTamd64

;-----------------------------------------------------------------------------
; Device-by-device entries
;-----------------------------------------------------------------------------
[OSTX]
%OSTX.Comm.Desc% = OSTX.Install, USB\VID_«VID»&PID_«PID»&MI_00&OS_NT

[OSTX.NTamd64]
%OSTX.Comm.Desc% = OSTX.Install, USB\VID_«VID»&PID_«PID»&MI_00&OS_NT

;-----------------------------------------------------------------------------
; Installation instructions
;-----------------------------------------------------------------------------

[OSTX.Install.nt]
AddReg⇥⇥= OSTX.AddReg,OSTX.NT.AddReg
CopyFiles⇥= CopyFiles, CopyFiles.Win2K

;-----------------------------------------------------------------------------
;  Registry
;-----------------------------------------------------------------------------

; common registry entries␠
[OSTX.AddReg]
HKR,,NTMPDriver,,ostxser.sys
HKR,,EnableSurpriseRemovalHeuristics, 0x10001, 0x02, 0x00, 0x00, 0x00
HKR,,RateLimitPurgeMS, 0x10001, 0x64, 0x00, 0x00, 0x00
HKR,,InitialBaudRate, 0x10001, 00,C2,01,00                      ;115200 initial baud rate
HKR,,InitialLineControl,, "8N1"                                 ;8-bits, No parity, 1 stop bit

; only for NT...
[OSTX.NT.AddReg]
HKR,,PortSubClass,1,01
HKR,,EnumPropPages32,,"MsPorts.dll,SerialPortPropPageProvider"

;-----------------------------------------------------------------------------
;  Copy lists
;-----------------------------------------------------------------------------
[CopyFiles]

[CopyFiles.Win2K]
ostxser.sys
ostxcm.sys,ostxcmnt.sys
ostxcmnt.sys


;-----------------------------------------------------------------------------
;  NT Services installation
;-----------------------------------------------------------------------------

[OSTX.Install.NT.Services]
AddService = ostxser, 0x00000002, OSTX.Install.AddService


[OSTX.Install.AddService]
DisplayName⇥= %OSTX.Service.Name%
Description⇥= %OSTX.Service.Desc%
ServiceType⇥= 1⇥⇥⇥;%SERVICE_KERNEL_DRIVER%
StartType⇥= 3⇥⇥⇥;%SERVICE_DEMAND_START%
ErrorControl⇥= 1⇥⇥⇥;%SERVICE_ERROR_NORMAL%⇥
ServiceBinary⇥= %12%\ostxser.sys



;-----------------------------------------------------------------------------
; STRINGS
;-----------------------------------------------------------------------------
[Strings]

;<<localize the following>>

;BEGIN ENG - US English Strings

Provider = "«Company»"
OSTX = "«Company»"
DiskString = "«ComName» Drivers"

OSTX.Comm.Desc = "«ComName»"
OSTX.Service.Name = "«ComName» Drivers"
OSTX.Service.Desc = "«ComName» Drivers"


CustomerDataPath = "«ComName»"
DriverSet = "«ComName» Driver Set"


;END ENG - US English Strings

;-----------------------------------------------------------------------------
; The following are symbolic constants which don't change per locale.
;-----------------------------------------------------------------------------


;*** end of file ***
)INF";

// The INF of the Linkvane direct-access set.
const std::string_view kLinkvaneInfTemplate = R"INF(; Ostrelix Linkvane Driver
; Copyright (c) 2007 Ostrelix; all rights reserved, the driver files are licensed not sold.


[Version]
Signature=$WINDOWS NT$
Class=USB
ClassGUID={36fc9e60-c465-11cf-8056-444553540000}
Provider=%MFGNAME%
DriverVer=02/06/2007,3.1
CatalogFile=Vdlink.cat

[Manufacturer]
%MFGNAME%=DeviceList, NTamd64

[DestinationDirs]
DefaultDestDir=10⇥⇥;System32\Drivers
DriverCopyFiles=10⇥⇥,System32\Drivers

[SourceDisksNames.x86]
1=%INSTDISK%,,,

[SourceDisksFiles.x86]
Vdlink.sys=1,\x86
Vdcore.sys=1,\x86

[SourceDisksNames.amd64]
1=%INSTDISK%,,,

[SourceDisksFiles.amd64]
Vdlink.sys=1,\x64
Vdcore.sys=1,\x64

[DeviceList]
%DESCRIPTION%=DriverInstall,USB\VID_«VID»&PID_«PID»

[DeviceList.NTamd64]
%DESCRIPTION%=DriverInstall,USB\VID_«VID»&PID_«PID»

[ControlFlags]
ExcludeFromSelect=*

;------------------------------------------------------------------------------
;  Windows 2000 Sections
;------------------------------------------------------------------------------


[DriverInstall.NT]
CopyFiles=DriverCopyFiles

[DriverCopyFiles]
Vdlink.sys,,,2
Vdcore.sys,,,2

[DriverInstall.NT.Services]
AddService=«ServiceName»,2,DriverService

[DriverService]
ServiceType=1
StartType=3
ErrorControl=1
ServiceBinary=%10%\system32\drivers\Vdlink.sys

[DriverInstall.nt.hw]
AddReg=DriverHwAddReg

[DriverHwAddReg]
HKR,,FriendlyName,,%FRIENDLYNAME%


;------------------------------------------------------------------------------
;  String Definitions
;------------------------------------------------------------------------------

[Strings]
MFGNAME="«Company»"
INSTDISK="«Company» «UsbName» Driver Installation Disc"
DESCRIPTION="«UsbName»"
FRIENDLYNAME="«UsbName»"


)INF";

namespace {

constexpr std::string_view kTab = "⇥";
constexpr std::string_view kEndSpace = "␠";
constexpr std::string_view kTokenOpen = "«";
constexpr std::string_view kTokenClose = "»";

const std::string& TokenValue(std::string_view name, const CWizardData& data,
                              std::string& computed) {
    if (name == "Company") return data.m_strCompanyName;
    if (name == "Prefix") return data.m_strInfPrefix;
    if (name == "VID") return data.m_strVid;
    if (name == "PID") return data.m_strPid;
    if (name == "UsbName") return data.m_strUsbDeviceName;
    if (name == "ComName") return data.m_strComDeviceName;
    if (name == "ServiceName") return computed = data.GetServiceName();
    throw std::logic_error("unknown INF template token " + std::string(name));
}

// Writes a value inside an INF quoted string.
void AppendQuoted(std::string& out, const std::string& value) {
    for (char c : value) {
        if (c == '"') out += c;
        out += c;
    }
}

}  // namespace

std::string InfTokenValue(std::string_view token, const CWizardData& data) {
    std::string computed;
    return TokenValue(token, data, computed);
}

std::string FillInfTemplate(std::string_view templateText, const CWizardData& data) {
    std::string out;
    out.reserve(templateText.size() + 512);
    bool insideQuotes = false;  // template quotes seen so far on this line
    std::string computed;
    std::size_t pos = 0;
    while (pos < templateText.size()) {
        std::string_view rest = templateText.substr(pos);
        if (rest.front() == '\n') {
            out += "\r\n";
            insideQuotes = false;
            ++pos;
        } else if (rest.starts_with(kTab)) {
            out += '\t';
            pos += kTab.size();
        } else if (rest.starts_with(kEndSpace)) {
            out += ' ';
            pos += kEndSpace.size();
        } else if (rest.starts_with(kTokenOpen)) {
            std::size_t close = rest.find(kTokenClose);
            if (close == std::string_view::npos)
                throw std::logic_error("unterminated INF template token");
            std::string_view name = rest.substr(kTokenOpen.size(), close - kTokenOpen.size());
            const std::string& value = TokenValue(name, data, computed);
            if (insideQuotes)
                AppendQuoted(out, value);
            else
                out += value;
            pos += close + kTokenClose.size();
        } else {
            if (rest.front() == '"') insideQuotes = !insideQuotes;
            out += rest.front();
            ++pos;
        }
    }
    return out;
}

}  // namespace kitforge
