# SPDX-FileCopyrightText: 2026 Zelvo developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes OUTPUT, a C++ source defining zelvo::CarriedMaterialsText() as the bytes of
# INPUT, so that the program carries its materials file without looking for it.
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
string(REGEX REPLACE "(([^,]*,){16})" "\\1\n    " bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
    "// Generated from ${INPUT}; do not edit.\n"
    "#include \"MaterialLibrary.hpp\"\n\n"
    "namespace zelvo {\n"
    "namespace {\n"
    "constexpr char kText[] = {\n    ${bytes}'\\0'};\n"
    "}  // namespace\n\n"
    "std::string_view CarriedMaterialsText() {\n"
    "    return {kText, sizeof kText - 1};\n"
    "}\n\n"
    "}  // namespace zelvo\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
