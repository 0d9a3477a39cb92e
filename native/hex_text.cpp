#include "native/hex_text.h"
namespace varnelo {
FieldText bytesToHexText(const ByteBuffer&) { return {}; }
ByteBuffer hexTextToBytes(const FieldText&) { return {}; }
std::int64_t hexTextToInteger(std::string_view) { return 0; }
}
