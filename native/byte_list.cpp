#include "native/byte_list.h"
namespace varnelo {
FieldText bytesToByteList(const ByteBuffer&) { return {}; }
ByteBuffer byteListToBytes(const FieldText&) { return {}; }
unsigned char decimalTextToByte(std::string_view) { return 0; }
}
