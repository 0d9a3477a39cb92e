#include "native/byte_list.h"

#include <charconv>
#include <cstdint>

namespace varnelo {
namespace {

// A byte of 0x80 or above starts a two-byte code page 936 character.
bool isLeadByte(unsigned char byte) { return byte >= 0x80; }

// The full-width forms that count as their ASCII characters in a number.
FieldText normaliseFullWidth(std::string_view piece) {
  FieldText normalised;
  normalised.reserve(piece.size());
  for (size_t i = 0; i < piece.size();) {
    auto lead = static_cast<unsigned char>(piece[i]);
    if (!isLeadByte(lead) || i + 1 == piece.size()) {
      normalised += piece[i++];
      continue;
    }
    auto trail = static_cast<unsigned char>(piece[i + 1]);
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE)
      normalised += static_cast<char>(trail - 0x80);  // row 3: full-width ASCII
    else if (lead == 0xA1 && trail == 0xA1)
      normalised += ' ';
    else if (lead == 0xA1 && trail == 0xAB)
      normalised += '~';
    else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF))
      normalised += '*';
    else
      normalised.append(piece.substr(i, 2));
    i += 2;
  }
  return normalised;
}

bool isCSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

FieldText bytesToByteList(const ByteBuffer& bytes) {
  FieldText list;
  list.reserve(bytes.size() * 4 + 2);
  list += '{';
  for (unsigned char byte : bytes) {
    char digits[3];
    char* end = std::to_chars(digits, digits + sizeof digits, byte).ptr;
    list.append(digits, end);
    list += ',';
  }
  if (list.back() == ',') list.pop_back();
  list += '}';
  return list;
}

ByteBuffer byteListToBytes(const FieldText& text) {
  ByteBuffer bytes;
  if (text.size() <= 1) return bytes;
  // The first byte is dropped unread, whatever it is: "[65]" reads like "{65}".
  const std::string_view rest = std::string_view(text).substr(1);
  bytes.reserve(rest.size() / 2 + 1);
  size_t pieceStart = 0;
  for (size_t i = 0; i < rest.size();) {
    if (isLeadByte(static_cast<unsigned char>(rest[i]))) {
      i += 2;  // a comma here is the trail byte of a character, not a separator
      continue;
    }
    if (rest[i] == ',') {
      bytes += static_cast<char>(decimalTextToByte(rest.substr(pieceStart, i - pieceStart)));
      pieceStart = i + 1;
    }
    ++i;
  }
  // A trailing comma leaves no last piece; the closing brace is read as part
  // of the last piece and ignored there, being no digit.
  if (pieceStart < rest.size())
    bytes += static_cast<char>(decimalTextToByte(rest.substr(pieceStart)));
  return bytes;
}

unsigned char decimalTextToByte(std::string_view piece) {
  const FieldText text = normaliseFullWidth(piece);
  size_t i = 0;
  while (i < text.size() && isCSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  // Unsigned arithmetic: a long number wraps modulo 2^32 instead of overflowing.
  std::uint32_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
  if (negative) value = 0u - value;
  return static_cast<unsigned char>(value & 0xFFu);
}

}  // namespace varnelo
