# Turns a binary file into a C++ source defining the function NAME, which
# returns the file's bytes:
#   cmake -DINPUT=file -DOUTPUT=file.cpp -DNAME=Function -DHEADER=map/X.h -P EmbedFile.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" length)
math(EXPR size "${length} / 2")
# Forty bytes a line: "0x12," each.
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REPEAT "0x..," 40 line)
string(REGEX REPLACE "(${line})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
"// Generated from ${INPUT} by cmake/EmbedFile.cmake; do not edit.
#include \"${HEADER}\"

namespace tarnwell {

namespace {
const unsigned char Data[${size} + 1] = {
${bytes}0};
}  // namespace

std::span<const std::uint8_t> ${NAME}() { return {Data, ${size}}; }

}  // namespace tarnwell
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
