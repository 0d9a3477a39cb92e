// Unicode core: strings, code points, UTF-16 code units and UTF-8 bytes.
//
// Lists are plain arrays of Numbers. No function checks its input: malformed
// pieces are dropped or passed through by the rules written beside each one.
// Strings are built with arrays and join (or fromCharCode.apply in chunks),
// never with += over the input, which is quadratic in this engine.

// "あい" gives [0x3042, 0x3044]. A high surrogate followed by anything but a
// low surrogate is dropped together with that unit; a lone low surrogate is a
// code point of its own; a high surrogate at the end is dropped.
function convertStringToUnicodeCodePoints(str) {
  var unicode_codes = [];
  var high = -1;
  for (var i = 0; i < str.length; i++) {
    var unit = str.charCodeAt(i);
    if (high >= 0) {
      if (unit >= 0xDC00 && unit <= 0xDFFF) {
        unicode_codes.push((high - 0xD800) * 1024 + 0x10000 + (unit - 0xDC00));
      }
      high = -1;
    } else if (unit >= 0xD800 && unit <= 0xDBFF) {
      high = unit;
    } else {
      unicode_codes.push(unit);
    }
  }
  return unicode_codes;
}

// The high value of a pair is not made whole: String.fromCharCode truncates
// it. Values of U+110000 and above go through the same arithmetic and wrap.
function convertUnicodeCodePointsToUtf16Codes(unicode_codes) {
  var utf16_codes = [];
  for (var i = 0; i < unicode_codes.length; i++) {
    var c = unicode_codes[i];
    if (c < 0x10000) {
      utf16_codes.push(c);
    } else {
      utf16_codes.push(0xD800 + (c - 0x10000) / 1024);
      utf16_codes.push(0xDC00 + (c % 1024));
    }
  }
  return utf16_codes;
}

// The concatenation of a list of strings. The engine's join copies its growing
// result once per 4096 elements, which is quadratic on lists of millions of
// pieces (10 MB of escapes: most of a minute); joining in blocks keeps it linear.
function joinStrings(parts) {
  var block_size = 4096;
  while (parts.length > block_size) {
    var blocks = [];
    for (var i = 0; i < parts.length; i += block_size) {
      blocks.push(parts.slice(i, i + block_size).join(''));
    }
    parts = blocks;
  }
  return parts.join('');
}

function convertUtf16CodesToString(utf16_codes) {
  var chunk_size = 8192;
  var parts = [];
  for (var i = 0; i < utf16_codes.length; i += chunk_size) {
    parts.push(String.fromCharCode.apply(null, utf16_codes.slice(i, i + chunk_size)));
  }
  return joinStrings(parts);
}

function convertUnicodeCodePointsToString(unicode_codes) {
  return convertUtf16CodesToString(convertUnicodeCodePointsToUtf16Codes(unicode_codes));
}

// 0 to 4 bytes; 2^21 and above, and NaN, give none.
function convertUnicodeCodePointToUtf8Bytes(unicode_code) {
  var c = unicode_code;
  if (c < 0x80) {
    return [c];
  } else if (c < 0x800) {
    return [0xC0 + (c >>> 6), 0x80 + (c & 0x3F)];
  } else if (c < 0x10000) {
    return [0xE0 + (c >>> 12), 0x80 + ((c >> 6) & 0x3F), 0x80 + (c & 0x3F)];
  } else if (c < 0x200000) {
    return [0xF0 + (c >>> 18), 0x80 + ((c >> 12) & 0x3F), 0x80 + ((c >> 6) & 0x3F),
            0x80 + (c & 0x3F)];
  }
  return [];
}

function convertUnicodeCodePointsToUtf8Bytes(unicode_codes) {
  var utf8_bytes = [];
  for (var i = 0; i < unicode_codes.length; i++) {
    var c = unicode_codes[i];
    if (c < 0x80) {  // most text: one byte, without a list of its own
      utf8_bytes.push(c);
      continue;
    }
    var bytes = convertUnicodeCodePointToUtf8Bytes(c);
    for (var j = 0; j < bytes.length; j++) {
      utf8_bytes.push(bytes[j]);
    }
  }
  return utf8_bytes;
}

// One sequence in progress at a time. Values of 0x100 and above, bytes 0xF8 to
// 0xFF and NaN are skipped without ending it; a stray continuation byte is
// skipped; a new lead byte or a byte below 0x80 (negative numbers included)
// ends it, and an unfinished sequence is dropped. Overlong forms and encoded
// surrogates come out of the arithmetic unchanged.
function convertUtf8BytesToUnicodeCodePoints(utf8_bytes) {
  var unicode_codes = [];
  var code = 0;
  var needed = -1;  // continuation bytes still needed; -1: no sequence in progress
  for (var i = 0; i < utf8_bytes.length; i++) {
    var x = utf8_bytes[i];
    if (x >= 0x100) {
      continue;
    }
    if ((x & 0xC0) == 0x80) {
      if (needed > 0) {
        code = (code << 6) + (x & 0x3F);
        needed--;
      }
      continue;
    }
    var start_needed;
    if (x < 0x80) {
      start_needed = 0;
    } else if (x >= 0xC0 && x <= 0xDF) {
      start_needed = 1;
    } else if (x >= 0xE0 && x <= 0xEF) {
      start_needed = 2;
    } else if (x >= 0xF0 && x <= 0xF7) {
      start_needed = 3;
    } else {
      continue;
    }
    if (needed == 0) {
      unicode_codes.push(code);
    }
    code = start_needed == 0 ? x : start_needed == 1 ? x & 0x1F : start_needed == 2 ? x & 0x0F : x & 0x07;
    needed = start_needed;
  }
  if (needed == 0) {
    unicode_codes.push(code);
  }
  return unicode_codes;
}

// Upper-case digits in the radix, zero-filled on the left to at least num_digits.
function formatNumber(number, base, num_digits) {
  var digits = number.toString(base).toUpperCase();
  var zeros = [];
  for (var i = digits.length; i < num_digits; i++) {
    zeros.push('0');
  }
  return zeros.join('') + digits;
}

// parseInt with one correction: the engine also skips U+180E and U+FEFF before
// the number, but neither is a space separator, so such a text holds no number
// (NaN). Values below 2^53 are exact; for larger ones see parseIntegerExactly.
function parseInteger(str, radix) {
  var value = parseInt(str, radix);
  var first = str.charCodeAt(0);
  if (value === value && (first <= 0x20 || first >= 0xA0)) {
    var start = str.search(/[^\t\n\v\f\r \u00A0\u1680\u2000-\u200A\u2028\u2029\u202F\u205F\u3000]/);
    var unit = str.charCodeAt(start);
    if (unit == 0x180E || unit == 0xFEFF) {
      return NaN;
    }
  }
  return value;
}

// parseInteger for every value. From 2^53 on, the engine rounds a run of
// digits that lies halfway between two Numbers away from zero instead of to
// the even one, so such a run is read again exactly.
function parseIntegerExactly(str, radix) {
  var value = parseInteger(str, radix);
  if (!(Math.abs(value) >= 9007199254740992)) {  // NaN included
    return value;
  }
  return parseLongInteger(str, radix);
}

// The digit run that parseInt reads in str, rounded to the nearest Number with
// ties to even. The run is summed exactly in base 65536, seven digits at a time.
function parseLongInteger(str, radix) {
  var r = radix | 0;
  var start = str.search(/[0-9A-Za-z]/);
  var sign = str.charAt(start - 1) == '-' ? -1 : 1;
  if ((r == 16 || r == 0) && str.substr(start, 2).toLowerCase() == '0x') {
    start += 2;
    r = 16;
  } else if (r == 0) {
    r = 10;
  }
  while (str.charCodeAt(start) == 0x30) {
    start++;
  }
  var end = start;
  for (;;) {
    var c = str.charCodeAt(end);
    var digit = c >= 0x30 && c <= 0x39 ? c - 0x30 :
                c >= 0x61 && c <= 0x7A ? c - 0x57 :
                c >= 0x41 && c <= 0x5A ? c - 0x37 : 36;
    if (digit >= r) {
      break;
    }
    end++;
  }
  if ((end - start - 1) * Math.log(r) / Math.LN2 >= 1024) {  // at least 2^1024
    return sign * Infinity;
  }
  var limbs = [];  // least significant first
  for (var from = start; from < end; from += 7) {
    var digits = str.substring(from, Math.min(from + 7, end));
    var factor = Math.pow(r, digits.length);
    var carry = parseInt(digits, r);
    for (var k = 0; k < limbs.length; k++) {
      var x = limbs[k] * factor + carry;
      limbs[k] = x % 65536;
      carry = Math.floor(x / 65536);
    }
    while (carry > 0) {
      limbs.push(carry % 65536);
      carry = Math.floor(carry / 65536);
    }
  }
  var bits = [];
  for (var i = limbs.length - 1; i >= 0; i--) {
    bits.push((65536 + limbs[i]).toString(2).substr(1));
  }
  var binary = bits.join('').replace(/^0+/, '');
  var mantissa = parseInt(binary.substr(0, 53), 2);
  if (binary.charAt(53) == '1' && (binary.indexOf('1', 54) >= 0 || mantissa % 2 == 1)) {
    mantissa++;
  }
  return sign * mantissa * Math.pow(2, Math.max(binary.length - 53, 0));
}
