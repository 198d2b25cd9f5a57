# SPDX-FileCopyrightText: 2026 Zelvo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Hardened, reproducible optimised builds: the compiler and linker flags of
# dpkg-buildflags with every hardening feature (fortified functions, stack
# protector, read-only relocations bound at start), and the source and build
# folders mapped to fixed names, so that no binary holds the folder it was built in
# and two builds of one commit in different folders give the same bytes.
find_program(ZELVO_DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT ZELVO_DPKG_BUILDFLAGS)
    message(STATUS "dpkg-buildflags not found: built without the distribution's hardening flags")
else()
    set(maint_options "$ENV{DEB_BUILD_MAINT_OPTIONS}")
    if(maint_options STREQUAL "")
        set(maint_options "hardening=+all")
    endif()
    foreach(kind CPPFLAGS CXXFLAGS CFLAGS LDFLAGS)
        execute_process(
            COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=${maint_options}
                ${ZELVO_DPKG_BUILDFLAGS} --get ${kind}
            OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
        separate_arguments(flags UNIX_COMMAND "${flags}")
        # Its folder map names the folder cmake ran in; the maps below replace it.
        list(FILTER flags EXCLUDE REGEX "^-f(file|debug|macro)-prefix-map=")
        set(ZELVO_DEB_${kind} ${flags})
    endforeach()
    add_compile_options(${ZELVO_DEB_CPPFLAGS})
    foreach(flag IN LISTS ZELVO_DEB_CXXFLAGS)
        add_compile_options($<$<COMPILE_LANGUAGE:CXX>:${flag}>)
    endforeach()
    foreach(flag IN LISTS ZELVO_DEB_CFLAGS)
        add_compile_options($<$<COMPILE_LANGUAGE:C>:${flag}>)
    endforeach()
    add_link_options(${ZELVO_DEB_LDFLAGS})
endif()
# The last map that matches wins: the build folder may lie inside the sources.
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.
    -ffile-prefix-map=${PROJECT_BINARY_DIR}=build)
