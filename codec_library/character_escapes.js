// Character escapes: "\u3042" per UTF-16 unit, "\U00003042" per code point,
// and the character references "&#12354;" and "&#x3042;".
//
// The base of a character reference arrives as the text "10" or "16": == 10
// compares it as a number, while toString and parseInt take it as a radix.

// Reads every escape that starts with prefix. The text before the first
// prefix is dropped; each piece after a prefix is read with parseInt in the
// radix (white space, a sign and, in radix 16, "0x" are accepted; whatever
// follows the digits is ignored) and kept only when it is from 0 to
// 2^num_bits - 1. -0 passes that test. num_bits is at most 32, so the
// engine's rounding of values from 2^53 on does not matter here.
function convertEscapedCodesToCodes(str, prefix, base, num_bits) {
  var pieces = str.split(prefix);
  var limit = Math.pow(2, num_bits);
  var codes = [];
  for (var i = 1; i < pieces.length; i++) {
    var value = parseInteger(pieces[i], base);
    if (value >= 0 && value < limit) {
      codes.push(value);
    }
  }
  return codes;
}

// "\u3042abc" gives nothing: a, b and c are digits, so the value needs more
// than 16 bits.
function convertEscapedUtf16CodesToUtf16Codes(str) {
  return convertEscapedCodesToCodes(str, '\\u', 16, 16);
}

function convertEscapedUtf32CodesToUnicodeCodePoints(str) {
  return convertEscapedCodesToCodes(str, '\\U', 16, 32);
}

// Every piece before a ";" is one reference, with or without "&#" or "&#x"
// in front (a lower-case x only; it is removed whatever the base). No value is
// tested: NaN, negative numbers, -0 and values above U+10FFFF all go into the
// list, and convertUnicodeCodePointsToString turns each into units.
function convertNumRefToUnicodeCodePoints(str, base) {
  var pieces = str.split(';');
  var unicode_codes = [];
  for (var i = 0; i < pieces.length - 1; i++) {
    unicode_codes.push(parseIntegerExactly(pieces[i].replace(/^&#x?/, ''), base));
  }
  return unicode_codes;
}

// The escapes of the codes, joined. Text repeats its characters, so each
// distinct code is written only once.
function convertCodesToEscapedString(codes, write_escape) {
  var escapes = [];
  var parts = [];
  for (var i = 0; i < codes.length; i++) {
    var code = codes[i];
    var escape_text = escapes[code];
    if (escape_text === undefined) {
      escape_text = escapes[code] = write_escape(code);
    }
    parts.push(escape_text);
  }
  return joinStrings(parts);
}

// One "\uXXXX" per UTF-16 unit, so a surrogate pair gives two.
function escapeToUtf16(str) {
  var utf16_codes = [];
  for (var i = 0; i < str.length; i++) {
    utf16_codes.push(str.charCodeAt(i));
  }
  return convertCodesToEscapedString(utf16_codes, function (code) {
    var digits = code.toString(16).toUpperCase();
    return '\\u' + '0000'.substr(digits.length) + digits;
  });
}

// Surrogate values pass through as units: "\uD840\uDC0B" gives U+2000B.
function unescapeFromUtf16(str) {
  return convertUtf16CodesToString(convertEscapedUtf16CodesToUtf16Codes(str));
}

function escapeToUtf32(str) {
  return convertCodesToEscapedString(convertStringToUnicodeCodePoints(str), function (code) {
    var digits = code.toString(16).toUpperCase();
    return '\\U' + '00000000'.substr(digits.length) + digits;
  });
}

// Values up to 2^32 - 1 are kept, so those above U+10FFFF become two units by
// the wrapping surrogate arithmetic: "\U00110000" gives 0xDC00 0xDC00.
function unescapeFromUtf32(str) {
  return convertUnicodeCodePointsToString(convertEscapedUtf32CodesToUnicodeCodePoints(str));
}

// "&#12354;" with the base "10", "&#x3042;" with "16".
function escapeToNumRef(str, base) {
  var prefix = base == 10 ? '&#' : '&#x';
  return convertCodesToEscapedString(convertStringToUnicodeCodePoints(str), function (code) {
    return prefix + code.toString(base).toUpperCase() + ';';
  });
}

// A piece that holds no number gives two U+0000 units, and so ends the field
// text there.
function unescapeFromNumRef(str, base) {
  return convertUnicodeCodePointsToString(convertNumRefToUnicodeCodePoints(str, base));
}
