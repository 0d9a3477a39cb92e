// The charset registry: a normalised charset name to an output converter (code
// points to bytes) and an input converter (bytes to code points).

// "utf-8", "utf_8" and "Utf8" all give "UTF8".
function normalizeEncodingName(encoding) {
  return encoding.toUpperCase().replace(/[_-]/g, '');
}

// Shift_JIS, EUC-JP and ISO-2022-JP are three byte forms of the same codes:
// ASCII and the half-width katakana of JIS X 0201 (0xA1-0xDF, U+FF61-U+FF9F)
// in one byte, the cells of JIS X 0208 (94 rows of 94) in two. Their one cell
// table, and the ISO-8859-1 table, come from a map script beside the library
// that defines SJIS_MAP_ENCODED and ISO88591_MAP_ENCODED; the host runs it
// only when a call first reads one of them, so calls that never touch a
// legacy charset do not pay for it. Input converters skip what forms no
// character of the charset; output converters write "?" for a code point the
// charset lacks.
//
// Every call loads the whole library, so code here costs even calls that
// never convert a legacy charset, each inner function more than its lines
// suggest: the converters do without them, and the tables stay outside.

// A table maps codes 0, 1, 2, ... (row * 94 + column of a JIS X 0208 cell,
// counted from 0; the ISO-8859-1 byte) to code points. Encoded, it is a text
// of base-95 digits, the characters ' ' to '~', read as tokens by their first
// digit d and the digits e and f after it:
//   0-47    the next code holds the previous code point plus d - 16
//   48-84   the next code holds the previous code point plus (d - 48) * 95 + e - 1757
//   85-92   the next code holds ((d - 85) * 95 + e) * 95 + f
//   93      the next e + 1 codes hold the previous code point plus 1, plus 2, ...
//   94      the next e + 1 codes hold no character (-1)
// The previous code point starts at -1.
function decodeCodeTable(encoded) {
  var to_unicode = [];
  var code = 0;
  var previous = -1;
  var i = 0;
  while (i < encoded.length) {
    var d = encoded.charCodeAt(i) - 32;
    var e = encoded.charCodeAt(i + 1) - 32;
    var first;
    var count = 1;
    if (d < 48) {
      first = previous + d - 16;
      i += 1;
    } else if (d < 85) {
      first = previous + (d - 48) * 95 + e - 1757;
      i += 2;
    } else if (d < 93) {
      first = ((d - 85) * 95 + e) * 95 + encoded.charCodeAt(i + 2) - 32;
      i += 3;
    } else if (d == 93) {
      first = previous + 1;
      count = e + 1;
      i += 2;
    } else {
      for (var end = code + e + 1; code < end; code++) {
        to_unicode[code] = -1;
      }
      i += 2;
      continue;
    }
    for (var k = 0; k < count; k++) {
      to_unicode[code++] = first + k;
    }
    previous = first + count - 1;
  }
  return {to_unicode: to_unicode, from_unicode: null};
}

// The reverse of a decoded table, code point to code, made when an output
// converter first needs it: input converters, the common case, never pay for
// it. A code point that several codes hold goes back to the first of them.
function reverseCodeTable(maps) {
  if (maps.from_unicode === null) {
    var from_unicode = [];  // sparse
    for (var code = maps.to_unicode.length - 1; code >= 0; code--) {
      if (maps.to_unicode[code] >= 0) {
        from_unicode[maps.to_unicode[code]] = code;
      }
    }
    maps.from_unicode = from_unicode;
  }
  return maps.from_unicode;
}

// The decoded tables of this call, made on first use.
var legacy_maps = {sjis: null, iso88591: null};

function maybeInitSjisMaps() {
  if (legacy_maps.sjis === null) {
    legacy_maps.sjis = decodeCodeTable(SJIS_MAP_ENCODED);
  }
  return legacy_maps.sjis;
}

// ISO-8859-1 maps byte b to U+0000 + b, so its table is a single run; it takes
// the same form and decoder as the JIS table.
function maybeInitIso88591Maps() {
  if (legacy_maps.iso88591 === null) {
    legacy_maps.iso88591 = decodeCodeTable(ISO88591_MAP_ENCODED);
  }
  return legacy_maps.iso88591;
}

// The values of a byte list that are bytes, integers 0 to 255. The
// quoted-printable and URL decoders also hand on NaN, negative numbers, -0 and
// UTF-16 units above 255, from malformed escapes and foreign characters; none
// is a byte of the text, so the legacy input converters drop them before
// reading (one between the two bytes of a character does not break it), and
// -0 gives nothing rather than U+0000.
function keepBytes(data_bytes) {
  var bytes = [];
  for (var i = 0; i < data_bytes.length; i++) {
    var x = data_bytes[i];
    if (x === (x & 0xFF) && 1 / x > 0) {  // 1 / -0 is -Infinity
      bytes.push(x);
    }
  }
  return bytes;
}

// ISO-2022-JP: seven-bit bytes in the set that the last escape sequence chose,
// named here by that sequence: "(B" ASCII, as at the start; "(J" JIS X 0201
// Roman, ASCII but for U+00A5 at 0x5C and U+203E at 0x7E; "$B" (or the older
// "$@") JIS X 0208, in pairs of 0x21-0x7E. "(I", the katakana at 0x21-0x5F, is
// read as well, though the output converter, keeping to the charset, never
// writes it.
//
// Each code point goes to ASCII, to Roman (only U+00A5 and U+203E, which ASCII
// lacks), to JIS X 0208, or to "?" in ASCII. Every line, and so the text, ends
// in ASCII: CR and LF are ASCII, and the end returns there.
function convertUnicodeCodePointsToIso2022JpBytes(unicode_codes) {
  var from_unicode = reverseCodeTable(maybeInitSjisMaps());
  var data_bytes = [];
  var current = '(B';
  for (var i = 0; i < unicode_codes.length; i++) {
    var c = unicode_codes[i];
    var cell = from_unicode[c];
    var set = '(B';
    var bytes;
    if (c < 0x80) {
      bytes = [c];
    } else if (c == 0xA5 || c == 0x203E) {
      set = '(J';
      bytes = [c == 0xA5 ? 0x5C : 0x7E];
    } else if (cell !== undefined) {
      set = '$B';
      bytes = [Math.floor(cell / 94) + 0x21, cell % 94 + 0x21];
    } else {
      bytes = [QUESTION_MARK];
    }
    if (set != current) {
      data_bytes.push(0x1B, set.charCodeAt(0), set.charCodeAt(1));
      current = set;
    }
    data_bytes.push.apply(data_bytes, bytes);
  }
  if (current != '(B') {
    data_bytes.push(0x1B, 0x28, 0x42);
  }
  return data_bytes;
}

// In the katakana and JIS X 0208 sets, which hold no ASCII, CR and LF return
// to ASCII, as a line ends there, and other bytes outside the set are skipped.
// Bytes 0x80-0xFF are skipped everywhere. An escape sequence that chooses none
// of these sets (ESC, any bytes 0x20-0x2F, a final byte 0x30-0x7E) is skipped
// whole and changes nothing.
function convertIso2022JpBytesToUnicodeCodePoints(data_bytes) {
  var to_unicode = maybeInitSjisMaps().to_unicode;
  var bytes = keepBytes(data_bytes);
  var unicode_codes = [];
  var current = '(B';
  for (var i = 0; i < bytes.length; i++) {
    var b = bytes[i];
    var next = bytes[i + 1];
    if (b == 0x1B) {
      var end = i + 1;
      while (bytes[end] >= 0x20 && bytes[end] <= 0x2F) {
        end++;
      }
      if (bytes[end] >= 0x30 && bytes[end] <= 0x7E) {
        end++;
      }
      var sequence = end - i == 3 ? String.fromCharCode(bytes[i + 1], bytes[i + 2]) : '';
      if (sequence == '(B' || sequence == '(J' || sequence == '(I' || sequence == '$B') {
        current = sequence;
      } else if (sequence == '$@') {
        current = '$B';
      }
      i = end - 1;
    } else if (b >= 0x80) {
      continue;
    } else if (current == '(B') {
      unicode_codes.push(b);
    } else if (current == '(J') {
      unicode_codes.push(b == 0x5C ? 0xA5 : b == 0x7E ? 0x203E : b);
    } else if (b == 0x0A || b == 0x0D) {
      current = '(B';
      unicode_codes.push(b);
    } else if (current == '(I') {
      if (b >= 0x21 && b <= 0x5F) {
        unicode_codes.push(b + 0xFF40);
      }
    } else if (b >= 0x21 && b <= 0x7E && next >= 0x21 && next <= 0x7E) {
      var code_point = to_unicode[(b - 0x21) * 94 + next - 0x21];
      if (code_point >= 0) {
        unicode_codes.push(code_point);
      }
      i++;
    }
  }
  return unicode_codes;
}

function convertUnicodeCodePointsToIso88591Bytes(unicode_codes) {
  var from_unicode = reverseCodeTable(maybeInitIso88591Maps());
  var data_bytes = [];
  for (var i = 0; i < unicode_codes.length; i++) {
    var b = from_unicode[unicode_codes[i]];
    data_bytes.push(b === undefined ? QUESTION_MARK : b);
  }
  return data_bytes;
}

function convertIso88591BytesToUnicodeCodePoints(data_bytes) {
  var to_unicode = maybeInitIso88591Maps().to_unicode;
  var bytes = keepBytes(data_bytes);
  var unicode_codes = [];
  for (var i = 0; i < bytes.length; i++) {
    if (to_unicode[bytes[i]] >= 0) {
      unicode_codes.push(to_unicode[bytes[i]]);
    }
  }
  return unicode_codes;
}

// Shift_JIS: a lead byte 0x81-0x9F or 0xE0-0xEF holds two rows, the trail byte
// 0x40-0x7E or 0x80-0x9E a cell of the first, 0x9F-0xFC one of the second.
function convertUnicodeCodePointsToSjisBytes(unicode_codes) {
  var from_unicode = reverseCodeTable(maybeInitSjisMaps());
  var data_bytes = [];
  for (var i = 0; i < unicode_codes.length; i++) {
    var c = unicode_codes[i];
    var cell = from_unicode[c];
    if (c < 0x80) {
      data_bytes.push(c);
    } else if (c >= 0xFF61 && c <= 0xFF9F) {
      data_bytes.push(c - 0xFEC0);
    } else if (cell !== undefined) {
      var row = Math.floor(cell / 94);
      var column = cell % 94;
      data_bytes.push((row >> 1) + (row < 62 ? 0x81 : 0xC1),
                      row % 2 == 1 ? column + 0x9F : column + (column < 63 ? 0x40 : 0x41));
    } else {
      data_bytes.push(QUESTION_MARK);
    }
  }
  return data_bytes;
}

// A lead byte takes the next byte when that is a trail byte, even when the
// pair holds no character; otherwise it is skipped alone. Lead bytes 0xF0-0xFC
// (rows past 94, which the table does not hold) pair the same way, and so
// their pairs are skipped whole. 0x80, 0xA0 and 0xFD-0xFF are no character.
function convertSjisBytesToUnicodeCodePoints(data_bytes) {
  var to_unicode = maybeInitSjisMaps().to_unicode;
  var bytes = keepBytes(data_bytes);
  var unicode_codes = [];
  for (var i = 0; i < bytes.length; i++) {
    var b = bytes[i];
    var t = bytes[i + 1];
    if (b < 0x80) {
      unicode_codes.push(b);
    } else if (b >= 0xA1 && b <= 0xDF) {
      unicode_codes.push(b + 0xFEC0);
    } else if (((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) &&
               t >= 0x40 && t <= 0xFC && t != 0x7F) {
      if (b <= 0xEF) {
        var row = (b - (b < 0xA0 ? 0x81 : 0xC1)) * 2 + (t >= 0x9F ? 1 : 0);
        var column = t >= 0x9F ? t - 0x9F : t - (t < 0x80 ? 0x40 : 0x41);
        var code_point = to_unicode[row * 94 + column];
        if (code_point >= 0) {
          unicode_codes.push(code_point);
        }
      }
      i++;
    }
  }
  return unicode_codes;
}

// EUC-JP: a cell is two bytes 0xA1-0xFE, row and column; a katakana is 0x8E
// and its JIS X 0201 byte.
function convertUnicodeCodePointsToEucJpBytes(unicode_codes) {
  var from_unicode = reverseCodeTable(maybeInitSjisMaps());
  var data_bytes = [];
  for (var i = 0; i < unicode_codes.length; i++) {
    var c = unicode_codes[i];
    var cell = from_unicode[c];
    if (c < 0x80) {
      data_bytes.push(c);
    } else if (c >= 0xFF61 && c <= 0xFF9F) {
      data_bytes.push(0x8E, c - 0xFEC0);
    } else if (cell !== undefined) {
      data_bytes.push(Math.floor(cell / 94) + 0xA1, cell % 94 + 0xA1);
    } else {
      data_bytes.push(QUESTION_MARK);
    }
  }
  return data_bytes;
}

// A lead byte without its second byte is skipped alone. 0x8F and two cell
// bytes hold a character of JIS X 0212, which the charset here does not
// carry: the three are skipped together, rather than read as a wrong cell.
function convertEucJpBytesToUnicodeCodePoints(data_bytes) {
  var to_unicode = maybeInitSjisMaps().to_unicode;
  var bytes = keepBytes(data_bytes);
  var unicode_codes = [];
  for (var i = 0; i < bytes.length; i++) {
    var b = bytes[i];
    var t = bytes[i + 1];
    if (b < 0x80) {
      unicode_codes.push(b);
    } else if (b == 0x8E && t >= 0xA1 && t <= 0xDF) {
      unicode_codes.push(t + 0xFEC0);
      i++;
    } else if (b == 0x8F && t >= 0xA1 && t <= 0xFE &&
               bytes[i + 2] >= 0xA1 && bytes[i + 2] <= 0xFE) {
      i += 2;
    } else if (b >= 0xA1 && b <= 0xFE && t >= 0xA1 && t <= 0xFE) {
      var code_point = to_unicode[(b - 0xA1) * 94 + t - 0xA1];
      if (code_point >= 0) {
        unicode_codes.push(code_point);
      }
      i++;
    }
  }
  return unicode_codes;
}

var OUTPUT_CONVERTERS = {
  'UTF8': convertUnicodeCodePointsToUtf8Bytes,
  'ISO2022JP': convertUnicodeCodePointsToIso2022JpBytes,
  'ISO88591': convertUnicodeCodePointsToIso88591Bytes,
  'SHIFTJIS': convertUnicodeCodePointsToSjisBytes,
  'EUCJP': convertUnicodeCodePointsToEucJpBytes
};

var INPUT_CONVERTERS = {
  'UTF8': convertUtf8BytesToUnicodeCodePoints,
  'ISO2022JP': convertIso2022JpBytesToUnicodeCodePoints,
  'ISO88591': convertIso88591BytesToUnicodeCodePoints,
  'SHIFTJIS': convertSjisBytesToUnicodeCodePoints,
  'EUCJP': convertEucJpBytesToUnicodeCodePoints
};

// An unknown charset gives an empty list, which is no error.
function convertUnicodeCodePointsToBytes(unicode_codes, encoding) {
  var name = normalizeEncodingName(encoding);
  if (!OUTPUT_CONVERTERS.hasOwnProperty(name)) {
    return [];
  }
  return OUTPUT_CONVERTERS[name](unicode_codes);
}

function convertBytesToUnicodeCodePoints(data_bytes, encoding) {
  var name = normalizeEncodingName(encoding);
  if (!INPUT_CONVERTERS.hasOwnProperty(name)) {
    return [];
  }
  return INPUT_CONVERTERS[name](data_bytes);
}

// "\xE3\x81\x82" with the base "16", "\343\201\202" with "8". The base arrives
// as a text: == compares it as a number, toString and parseInt take it as a radix.
function convertBytesToEscapedString(data_bytes, base) {
  return convertCodesToEscapedString(data_bytes, function (byte_value) {
    if (base == 16) {
      return '\\x' + formatNumber(byte_value, base, 2);
    }
    return '\\' + formatNumber(byte_value, base, 3);
  });
}

function convertEscapedBytesToBytes(str, base) {
  var prefix = base == 16 ? '\\x' : '\\';
  return convertEscapedCodesToCodes(str, prefix, base, 8);
}

function escapeToEscapedBytes(str, base, encoding) {
  var unicode_codes = convertStringToUnicodeCodePoints(str);
  var data_bytes = convertUnicodeCodePointsToBytes(unicode_codes, encoding);
  return convertBytesToEscapedString(data_bytes, base);
}

function unescapeFromEscapedBytes(str, base, encoding) {
  var data_bytes = convertEscapedBytesToBytes(str, base);
  var unicode_codes = convertBytesToUnicodeCodePoints(data_bytes, encoding);
  return convertUnicodeCodePointsToString(unicode_codes);
}
