# The Debian package of the whole suite: cpack -G DEB in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${ZELVO_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR "Zelvo developers")
set(CPACK_PACKAGE_CONTACT ${ZELVO_MAINTAINER})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ZELVO_MAINTAINER})
# Library dependencies come from the programs' and libraries' own links; the Qt
# platform plugins that open the windows are loaded at run time, so they are named.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, passwd")
# Help opens the manual in the user's browser; the grids' narrow font.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "deposition monitor for Zelvo quartz-crystal sensors, and kitforge
zelvomon shows the deposition rate, film thickness, crystal frequency and
crystal life of up to 32 Zelvo USB quartz-crystal sensors, runs measurements
and writes a data log; zelvomon-cli does the same job without a window.
The sensors are reached through the bridge library libvdlink.so over the
kernel's USB-serial ports; a udev rule gives them to the group zelvo.
Simulated sensors (libvdlink-sim.so, zelvosim) let the programs run without
hardware.

kitforge is a wizard that writes a customised Windows USB driver package
for devices built around the NR7x bridge chip.")
# The group and the udev rule on install and removal; the loader's cache for
# libvdlink.so through the ldconfig trigger.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_CURRENT_SOURCE_DIR}/debian/postinst
    ${CMAKE_CURRENT_SOURCE_DIR}/debian/postrm
    ${CMAKE_CURRENT_SOURCE_DIR}/debian/triggers)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
