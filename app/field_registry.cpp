#include "app/field_registry.h"

#include "codec_host/codec_host.h"
#include "native/byte_list.h"
#include "native/chinese_variants.h"
#include "native/codepage936.h"
#include "native/hex_text.h"

namespace varnelo {
namespace {

Conversion script(const char* entry, const char* second = "", const char* third = "") {
  return Conversion{entry, second, third, nullptr};
}

Conversion native(FieldText (*function)(const FieldText&)) { return Conversion{nullptr, "", "", function}; }

const Conversion NONE{};

FieldText bytesToByteListOfText(const FieldText& text) { return bytesToByteList(text); }
FieldText byteListToText(const FieldText& text) { return asFieldText(byteListToBytes(text)); }
FieldText utf8HexOfText(const FieldText& text) { return bytesToHexText(gbkToUtf8(text)); }
FieldText textOfUtf8Hex(const FieldText& text) { return utf8ToGbk(asFieldText(hexTextToBytes(text))); }
FieldText utf16leOfText(const FieldText& text) { return asFieldText(gbkToUtf16leBytes(text)); }

}  // namespace

// clang-format off
const std::array<ConversionField, FIELD_COUNT> FIELD_REGISTRY{{
  {1,  "编辑框1",  {16, 25, 392, 72},   "标签1",  "文本",                   {19, 5, 133, 17},   "",                 "",
       NONE, NONE},
  {2,  "编辑框2",  {16, 132, 392, 72},  "标签2",  "\\uXXXX",                {19, 112, 133, 17}, "utf16-escape",     "",
       script("escapeToUtf16"), script("unescapeFromUtf16")},
  {3,  "编辑框3",  {16, 239, 392, 72},  "标签3",  "\\UXXXXXXXX",            {19, 219, 133, 17}, "utf32-escape",     "",
       script("escapeToUtf32"), script("unescapeFromUtf32")},
  {4,  "编辑框4",  {16, 346, 392, 72},  "标签4",  "&&#XXXXX;",              {19, 326, 133, 17}, "numref-dec",       "",
       script("escapeToNumRef", "10"), script("unescapeFromNumRef", "10")},
  {5,  "编辑框5",  {16, 453, 392, 72},  "标签5",  "&&#xXXXX;",              {19, 433, 133, 17}, "numref-hex",       "",
       script("escapeToNumRef", "16"), script("unescapeFromNumRef", "16")},
  {6,  "编辑框6",  {16, 560, 392, 72},  "标签6",  "Punycode",               {19, 540, 133, 17}, "punycode",         "",
       script("escapeToPunyCode"), NONE},
  {7,  "编辑框7",  {427, 25, 392, 72},  "标签12", "\\xXX",                  {430, 5, 133, 17},  "hex-escape",       "",
       script("escapeToEscapedBytes", "16", "UTF-8"), script("unescapeFromEscapedBytes", "16", "UTF-8")},
  {8,  "编辑框8",  {427, 132, 392, 72}, "标签11", "\\xxx",                  {430, 112, 133, 17}, "oct-escape",      "",
       script("escapeToEscapedBytes", "8", "UTF-8"), script("unescapeFromEscapedBytes", "8", "UTF-8")},
  {9,  "编辑框9",  {427, 239, 392, 72}, "标签10", "Base64",                 {430, 219, 133, 17}, "base64",          "",
       script("escapeToBase64", "UTF-8"), script("unescapeFromBase64", "UTF-8")},
  {10, "编辑框10", {427, 346, 392, 72}, "标签9",  "=XX   Quoted-printable", {430, 326, 242, 17}, "quoted-printable", "",
       script("escapeToQuotedPrintable", "UTF-8"), script("unescapeFromQuotedPrintable", "UTF-8")},
  {11, "编辑框11", {427, 453, 392, 72}, "标签8",  "%XX   URL",              {430, 433, 133, 17}, "url",             "",
       script("escapeToUrl", "UTF-8"), script("unescapeFromUrl", "UTF-8")},
  {12, "编辑框12", {427, 560, 392, 72}, "标签7",  "MIME + Base64",          {430, 540, 133, 17}, "mime-b",          "",
       script("escapeToMime", "base64", "UTF-8"), script("unescapeFromMime", "mime-b")},
  {13, "编辑框13", {839, 453, 392, 72}, "标签14", "Escape",                 {842, 433, 133, 17}, "escape",          "",
       script("escape"), script("unescape")},
  {14, "编辑框14", {839, 560, 392, 72}, "标签13", "简体/繁体",              {842, 540, 133, 17}, "简繁转换",        "chinese",
       native(toTraditionalChinese), native(toSimplifiedChinese)},
  {15, "编辑框15", {839, 239, 392, 72}, "标签16", "GB2312/UTF-8",           {842, 219, 133, 17}, "gb2312/utf-8",    "utf8",
       native(gbkToUtf8), native(utf8ToGbk)},
  {16, "编辑框16", {839, 346, 392, 72}, "标签15", "UNICODE/ANSI",           {842, 326, 242, 17}, "UNICODE/ANSI",    "utf16le",
       native(utf16leBytesToGbk), native(utf16leOfText)},
  {17, "编辑框17", {839, 132, 392, 72}, "标签17", "{xxx}",                  {842, 112, 133, 17}, "字节集",          "bytes",
       native(bytesToByteListOfText), native(byteListToText)},
  {18, "编辑框18", {839, 25, 392, 72},  "标签18", "十六进制",               {842, 5, 133, 17},   "十六进制",        "hex",
       native(utf8HexOfText), native(textOfUtf8Hex)},
}};
// clang-format on

FieldText runConversion(const Conversion& conversion, const FieldText& text) {
  if (conversion.scriptEntry)
    return runCodec(conversion.scriptEntry, text, conversion.second, conversion.third);
  return asFieldText(conversion.native(text));
}

std::string drawnLabel(std::string_view stored) {
  std::string drawn;
  for (size_t i = 0; i < stored.size(); ++i) {
    if (stored[i] == '&' && i + 1 < stored.size()) ++i;
    drawn += stored[i];
  }
  return drawn;
}

std::optional<int> findField(const std::string& nameOrNumber) {
  for (const ConversionField& row : FIELD_REGISTRY) {
    if (row.number == PLAIN_TEXT_FIELD) continue;
    if (nameOrNumber == std::to_string(row.number) || nameOrNumber == row.sourceKey ||
        (*row.alias && nameOrNumber == row.alias))
      return row.number;
  }
  return std::nullopt;
}

}  // namespace varnelo
