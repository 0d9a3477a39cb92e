# Writes OUTPUT, a C++ file that defines `const std::string_view SYMBOL` as the
# concatenation of the files in INPUTS (separated by "|"). The text is written as hex bytes, so any
# character and any length survive the compiler untouched.
string(REPLACE "|" ";" INPUTS "${INPUTS}")
set(text "")
foreach(input IN LISTS INPUTS)
  file(READ ${input} part HEX)
  string(APPEND text "${part}")
endforeach()
string(LENGTH "${text}" hex_length)
math(EXPR byte_count "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${text}")
string(REGEX REPLACE "(('\\\\x[0-9a-f][0-9a-f]',){32})" "\\1\n" bytes "${bytes}")
file(WRITE ${OUTPUT}.tmp
"// Generated from the codec library sources; do not edit.
#include <string_view>
namespace varnelo {
static const char ${SYMBOL}_BYTES[] = {
${bytes}'\\0'};
extern const std::string_view ${SYMBOL}(${SYMBOL}_BYTES, ${byte_count});
}  // namespace varnelo
")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
