#include "native/hex_text.h"

#include <array>
#include <cmath>

namespace varnelo {
namespace {

// Every byte has a digit value, hexadecimal digit or not: "G" is 16, a space
// would be -16, 0xFF is 168.
int digitValue(unsigned char byte) {
  if (byte >= 0x61) return byte - 87;
  if (byte >= 0x41) return byte - 55;
  return byte - 48;
}

// The sum of digit x 16^k over eight digit bytes (k = 0 for the last), each
// power in double precision, the running sum kept in a signed 32-bit integer.
std::int32_t eightDigitSum(std::string_view digits) {
  std::int32_t sum = 0;
  for (size_t i = 0; i < 8; ++i) {
    const double term =
        digitValue(static_cast<unsigned char>(digits[i])) * std::pow(16.0, static_cast<double>(7 - i));
    // |sum + term| stays below 2^37, so the conversion to 64 bits is exact;
    // the narrowing to 32 bits then keeps the low bits (modular since C++20).
    const auto truncated = static_cast<std::int64_t>(std::trunc(sum + term));
    sum = static_cast<std::int32_t>(static_cast<std::uint32_t>(truncated));
  }
  return sum;
}

}  // namespace

FieldText bytesToHexText(const ByteBuffer& bytes) {
  static constexpr char DIGITS[] = "0123456789ABCDEF";
  FieldText hex;
  hex.reserve(bytes.size() * 2);
  for (unsigned char byte : bytes) {
    hex += DIGITS[byte >> 4];
    hex += DIGITS[byte & 0x0F];
  }
  return hex;
}

ByteBuffer hexTextToBytes(const FieldText& text) {
  // Spaces go first, character by character in code page 936: the byte after
  // a lead byte belongs to its character even when it is 0x20.
  FieldText digits;
  digits.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte >= 0x80 && i + 1 < text.size()) {
      digits += text[i];
      digits += text[++i];
    } else if (byte != ' ') {
      digits += text[i];
    }
  }

  // Pairs of bytes (a double-byte character is split like any other two
  // bytes), the last byte alone when the count is odd. For a piece this short
  // hexTextToInteger comes down to 16 x d1 + d2 (or d1 alone), whose low
  // eight bits are the byte; unsigned arithmetic wraps the negative values.
  ByteBuffer bytes;
  bytes.reserve(digits.size() / 2 + 1);
  for (size_t i = 0; i < digits.size(); i += 2) {
    auto value = static_cast<unsigned>(digitValue(static_cast<unsigned char>(digits[i])));
    if (i + 1 < digits.size())
      value = 16u * value + static_cast<unsigned>(digitValue(static_cast<unsigned char>(digits[i + 1])));
    bytes += static_cast<char>(value & 0xFFu);
  }
  return bytes;
}

std::int64_t hexTextToInteger(std::string_view text) {
  // Sixteen digit bytes: padded on the left with "0", or the last sixteen.
  std::array<char, 16> digits;
  digits.fill('0');
  const std::string_view kept = text.size() > 16 ? text.substr(text.size() - 16) : text;
  kept.copy(digits.data() + (16 - kept.size()), kept.size());

  const std::int32_t high = eightDigitSum(std::string_view(digits.data(), 8));
  const std::int32_t low = eightDigitSum(std::string_view(digits.data() + 8, 8));
  // high x 2^32 plus low read as unsigned, formed in unsigned 64 bits and
  // converted back (modular since C++20), so no signed overflow can occur.
  const std::uint64_t combined = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(high)) << 32) |
                                 static_cast<std::uint32_t>(low);
  return static_cast<std::int64_t>(combined);
}

}  // namespace varnelo
