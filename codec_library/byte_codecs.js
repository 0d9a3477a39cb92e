// Base64 (field 9), quoted-printable (field 10) and URL percent-encoding
// (field 11). Encoders write the bytes of the text in a charset; decoders read
// their form into a list of byte values and turn it into text through the same
// charset. With UTF-8, "あい" is "44GC44GE", "=E3=81=82=E3=81=84" and
// "%E3%81%82%E3%81%84".

// Quoted-printable always escapes these two, so the text can sit inside a MIME
// encoded word, which "?" would end.
var EQUAL_SIGN = 0x3D;
var QUESTION_MARK = 0x3F;
var BASE64 = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/';
// What the URL encoder writes as itself; everything else becomes "%XX".
var URL_SAFE = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_.-';

// Padded Base64 without line breaks, at any length.
function encodeBase64(data_bytes) {
  var parts = [];
  for (var i = 0; i < data_bytes.length; i += 3) {
    parts.push(encodeBase64Helper(data_bytes.slice(i, i + 3)));
  }
  return joinStrings(parts);
}

// One, two or three bytes to four letters; a short group is padded with "=".
function encodeBase64Helper(data) {
  var b0 = data[0];
  var b1 = data.length > 1 ? data[1] : 0;
  var b2 = data.length > 2 ? data[2] : 0;
  var letters = BASE64.charAt(b0 >> 2) + BASE64.charAt(((b0 & 3) << 4) | (b1 >> 4));
  letters += data.length > 1 ? BASE64.charAt(((b1 & 0xF) << 2) | (b2 >> 6)) : '=';
  letters += data.length > 2 ? BASE64.charAt(b2 & 0x3F) : '=';
  return letters;
}

// Space, TAB, CR and LF are skipped wherever they stand, so wrapped Base64
// decodes whole. The other characters are cut into windows of four by
// position. Within a window the letters are read up to "=", the end of the
// text or any other character outside the alphabet; the rest of that window is
// lost, the next one reads normally ("QU!DQUJD" gives "AABC"). Missing padding
// is accepted; the leftover bits of a last letter are dropped unchecked.
function decodeBase64(encoded) {
  var letter_values = [];
  for (var code = 0; code < 128; code++) {
    letter_values.push(-1);
  }
  for (var k = 0; k < BASE64.length; k++) {
    letter_values[BASE64.charCodeAt(k)] = k;
  }

  var data_bytes = [];
  var values = [];
  // The bytes of one window's six-bit values: none for fewer than two letters.
  function endWindow() {
    if (values.length >= 2) {
      data_bytes.push((values[0] << 2) | (values[1] >> 4));
    }
    if (values.length >= 3) {
      data_bytes.push(((values[1] & 0xF) << 4) | (values[2] >> 2));
    }
    if (values.length >= 4) {
      data_bytes.push(((values[2] & 3) << 6) | values[3]);
    }
    values.length = 0;
  }

  var position = 0;  // of the current character within its window
  var stopped = false;
  for (var i = 0; i < encoded.length; i++) {
    var unit = encoded.charCodeAt(i);
    if (unit == 0x20 || unit == 0x09 || unit == 0x0D || unit == 0x0A) {
      continue;
    }
    if (!stopped) {
      var value = unit < 128 ? letter_values[unit] : -1;
      if (value < 0) {
        stopped = true;
      } else {
        values.push(value);
      }
    }
    if (++position == 4) {
      endWindow();
      position = 0;
      stopped = false;
    }
  }
  endWindow();
  return data_bytes;
}

// Each byte as itself, or as the prefix and two upper-case hexadecimal digits
// when should_escape(byte) holds. The form of each distinct value is worked
// out once: the same few bytes recur throughout a long text.
function encodeQuotedPrintableHelper(data_bytes, prefix, should_escape) {
  var forms = {};
  var parts = [];
  for (var i = 0; i < data_bytes.length; i++) {
    var byte_value = data_bytes[i];
    var form = forms[byte_value];
    if (form === undefined) {
      form = should_escape(byte_value) ? prefix + formatNumber(byte_value, 16, 2)
                                       : String.fromCharCode(byte_value);
      forms[byte_value] = form;
    }
    parts.push(form);
  }
  return joinStrings(parts);
}

// Escapes control characters, "=", "?" and everything above "~"; space and "_"
// stay. No line-length limit and no soft line breaks.
function encodeQuotedPrintable(data_bytes) {
  return encodeQuotedPrintableHelper(data_bytes, '=', function (byte_value) {
    return byte_value < 32 || byte_value > 126 || byte_value == EQUAL_SIGN ||
           byte_value == QUESTION_MARK;
  });
}

// Space becomes "%20", never "+".
function encodeUrl(data_bytes) {
  return encodeQuotedPrintableHelper(data_bytes, '%', function (byte_value) {
    return URL_SAFE.indexOf(String.fromCharCode(byte_value)) < 0;
  });
}

// The prefix takes the next two characters (fewer at the end) as a
// hexadecimal number through parseInteger, and the walk moves on three
// characters whatever they held. So the values are not all bytes: "=4G" gives
// 4, "= 4" gives 4 (white space before a number is skipped), "=-1" gives -1,
// "=-0" gives -0, and "=ZZ", "=0x", "=" before CR LF or at the end give NaN.
// Any other character gives its UTF-16 unit, which may be above 255. The UTF-8
// input converter makes -1 to -15 into U+FFFF to U+FFF1 and -0 into U+0000,
// and skips NaN and values above 255.
function decodeQuotedPrintableHelper(str, prefix) {
  var prefix_unit = prefix.charCodeAt(0);
  var values = [];
  var i = 0;
  while (i < str.length) {
    var unit = str.charCodeAt(i);
    if (unit == prefix_unit) {
      values.push(parseInteger(str.substr(i + 1, 2), 16));
      i += 3;
    } else {
      values.push(unit);
      i++;
    }
  }
  return values;
}

// "_" is a space (RFC 2047), so a "_" typed in field 1 comes back as a space.
// Soft line breaks are not known: "=" CR LF gives NaN and is dropped.
function decodeQuotedPrintable(str) {
  return decodeQuotedPrintableHelper(str.replace(/_/g, ' '), '=');
}

// "+" stays "+".
function decodeUrl(str) {
  return decodeQuotedPrintableHelper(str, '%');
}

function escapeToBase64(str, encoding) {
  return encodeBase64(convertUnicodeCodePointsToBytes(convertStringToUnicodeCodePoints(str), encoding));
}

function unescapeFromBase64(str, encoding) {
  return convertUnicodeCodePointsToString(convertBytesToUnicodeCodePoints(decodeBase64(str), encoding));
}

function escapeToQuotedPrintable(str, encoding) {
  return encodeQuotedPrintable(
      convertUnicodeCodePointsToBytes(convertStringToUnicodeCodePoints(str), encoding));
}

function unescapeFromQuotedPrintable(str, encoding) {
  return convertUnicodeCodePointsToString(
      convertBytesToUnicodeCodePoints(decodeQuotedPrintable(str), encoding));
}

function escapeToUrl(str, encoding) {
  return encodeUrl(convertUnicodeCodePointsToBytes(convertStringToUnicodeCodePoints(str), encoding));
}

function unescapeFromUrl(str, encoding) {
  return convertUnicodeCodePointsToString(convertBytesToUnicodeCodePoints(decodeUrl(str), encoding));
}
