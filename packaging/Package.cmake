# SPDX-FileCopyrightText: 2026 Zelvo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian packages of the suite, one per component: cpack -G DEB in the build
# folder. A lab box without a desktop installs zelvomon-cli and zelvo-sensors and
# gets no Qt library.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelvo)
set(CPACK_PACKAGE_VENDOR "Zelvo developers")
set(CPACK_PACKAGE_CONTACT ${ZELVO_MAINTAINER})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
# The archives' dates are those of the release texts, whenever cpack runs.
set(epoch_file ${CMAKE_CURRENT_BINARY_DIR}/CPackSourceDate.cmake)
file(WRITE ${epoch_file} "set(ENV{SOURCE_DATE_EPOCH} ${ZELVO_SOURCE_DATE_EPOCH})\n")
set(CPACK_PROJECT_CONFIG_FILE ${epoch_file})
set(CPACK_COMPONENTS_ALL ${ZELVO_PACKAGES})

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ZELVO_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://zelvo.org/")
# Library dependencies come from each package's programs and libraries.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(sensors "zelvo-sensors (= ${PROJECT_VERSION}-1)")
# Both monitors load the MQTT client library when publishing starts, so the
# library scan cannot see it.
set(mqtt "libmosquitto1 (>= 1.6)")

set(CPACK_DEBIAN_ZELVOMON_PACKAGE_NAME zelvomon)
set(CPACK_DEBIAN_ZELVOMON_PACKAGE_DEPENDS "${sensors}, ${mqtt}")
# Help opens the manual in the user's browser; the grids' narrow font.
set(CPACK_DEBIAN_ZELVOMON_PACKAGE_RECOMMENDS "xdg-utils, fonts-liberation2")
set(CPACK_COMPONENT_ZELVOMON_DESCRIPTION
    "deposition monitor for Zelvo quartz-crystal sensors
zelvomon shows the deposition rate, film thickness, crystal frequency and
crystal life of up to 32 Zelvo USB quartz-crystal sensors in a window, with
strip charts, runs measurements and writes a data log. Without sensors it
runs on the simulated ones of the package zelvo-sensors.")

set(CPACK_DEBIAN_ZELVOMON-CLI_PACKAGE_NAME zelvomon-cli)
set(CPACK_DEBIAN_ZELVOMON-CLI_PACKAGE_DEPENDS "${sensors}, ${mqtt}")
set(CPACK_COMPONENT_ZELVOMON-CLI_DESCRIPTION
    "deposition monitor for Zelvo quartz-crystal sensors, without a window
zelvomon-cli runs the deposition monitor's measurement from a shell or as a
service on a lab machine without a desktop: one record per sweep on standard
output as text, CSV or JSON lines, and to an MQTT broker. zelvosim serves
simulated Zelvo sensors on pseudo-terminals, for trying the serial link
without hardware.")

set(CPACK_DEBIAN_ZELVO-SENSORS_PACKAGE_NAME zelvo-sensors)
# The group is made with addgroup.
set(CPACK_DEBIAN_ZELVO-SENSORS_PACKAGE_DEPENDS "adduser")
set(CPACK_DEBIAN_ZELVO-SENSORS_PACKAGE_SECTION libs)
set(CPACK_COMPONENT_ZELVO-SENSORS_DESCRIPTION
    "Zelvo sensors for the deposition monitors: bridge libraries and udev rule
The bridge library libvdlink.so reaches Zelvo USB quartz-crystal sensors over
the kernel's USB-serial ports; libvdlink-sim.so simulates them. Both are
plug-ins of zelvomon and zelvomon-cli. A udev rule gives the sensors' ports to
the group zelvo and to the user at the seat. The package also holds the
suite's manual.")
# The group and the udev rule on install and removal.
set(CPACK_DEBIAN_ZELVO-SENSORS_PACKAGE_CONTROL_EXTRA
    ${CMAKE_CURRENT_SOURCE_DIR}/debian/postinst
    ${CMAKE_CURRENT_SOURCE_DIR}/debian/postrm)

set(CPACK_DEBIAN_KITFORGE_PACKAGE_NAME kitforge)
set(CPACK_DEBIAN_KITFORGE_PACKAGE_SECTION devel)
set(CPACK_COMPONENT_KITFORGE_DESCRIPTION
    "wizard that writes customised USB driver packages for NR7x devices
kitforge walks a device maker through eight pages and writes a customised
Windows driver package for a product built around the NR7x bridge chip: the
INF files with the company's names and USB IDs, the driver files and, on
request, the installer's setup file. It also runs from the command line.")

include(CPack)
