// MIME encoded words (RFC 2047), field 12. The field shows the text as one B
// word, "=?UTF-8?B?44GC44GE?=" for "あい"; read back, it may hold any number of
// B and Q words, each in its own charset, with plain text around them.

// "=?" charset "?" letter "?" encoded text "?=". Only a capital B or Q counts;
// the charset and the encoded text may hold anything but "?", line breaks too.
var MIME_FULL_MATCH = /^=\?([^?]+)\?([BQ])\?([^?]+)\?=$/;
var MIME_PARTIAL_MATCH = /^=\?([^?]+)\?([BQ])\?([^?]+)\?=/;

// The whole text as one word, however long: no 75-character limit, no folding.
function escapeToMime(str, mime_encoding, char_encoding) {
  var data_bytes = convertUnicodeCodePointsToBytes(convertStringToUnicodeCodePoints(str),
                                                   char_encoding);
  if (str === '') {
    return '';
  }
  if (mime_encoding === 'base64') {
    return ['=?', char_encoding, '?B?', encodeBase64(data_bytes), '?='].join('');
  }
  return ['=?', char_encoding, '?Q?', encodeQuotedPrintable(data_bytes), '?='].join('');
}

// The encoded words and the plain runs between them, in order; a run of white
// space only is dropped wherever it stands. A word is taken at the first
// position where MIME_PARTIAL_MATCH matches the rest of the text. Rather than
// trying that at every character, one unanchored search with lastIndex finds
// the same leftmost word in a single pass.
function splitMimeString(str) {
  var next_word = new RegExp(MIME_PARTIAL_MATCH.source.substring(1), 'g');  // without "^"
  var pieces = [];
  var plain_start = 0;
  var word;
  while ((word = next_word.exec(str)) !== null) {
    var plain = str.substring(plain_start, word.index);
    if (!isEmptyOrSequenceOfWhiteSpaces(plain)) {
      pieces.push(plain);
    }
    pieces.push(word[0]);
    plain_start = next_word.lastIndex;
  }
  var rest = str.substring(plain_start);
  if (!isEmptyOrSequenceOfWhiteSpaces(rest)) {
    pieces.push(rest);
  }
  return pieces;
}

// White space here is TAB, LF, CR and space only: the ideographic space U+3000
// of Chinese text is plain text.
function isEmptyOrSequenceOfWhiteSpaces(str) {
  return /^[\t\n\r ]*$/.test(str);
}

function isMimeEncodedString(str) {
  return MIME_FULL_MATCH.test(str);
}

// [charset, bytes] of one word, the charset as written but without an RFC 2231
// language suffix ("UTF-8*ja"); [] when the text is no word or the charset is
// empty.
function decodeMime(str) {
  var match = str.match(MIME_FULL_MATCH);
  if (match === null) {
    return [];
  }
  // The suffix runs from the first "*" with no line break after it (where
  // /\*.*$/ would cut), found directly: that expression retries from every
  // "*" and is quadratic on a long charset part.
  var charset = match[1];
  var last_break = Math.max(charset.lastIndexOf('\n'), charset.lastIndexOf('\r'),
                            charset.lastIndexOf('\u2028'), charset.lastIndexOf('\u2029'));
  var star = charset.indexOf('*', last_break + 1);
  if (star >= 0) {
    charset = charset.substring(0, star);
  }
  if (charset === '') {
    return [];
  }
  var data_bytes = match[2] === 'B' ? decodeBase64(match[3]) : decodeQuotedPrintable(match[3]);
  return [charset, data_bytes];
}

// Words become their text, each through its own charset; a charset without an
// entry ("GBK") makes its word add nothing. Plain runs pass through unchanged.
function unescapeFromMime(str) {
  var pieces = splitMimeString(str);
  var parts = [];
  for (var i = 0; i < pieces.length; i++) {
    if (!isMimeEncodedString(pieces[i])) {
      parts.push(pieces[i]);
      continue;
    }
    var decoded = decodeMime(pieces[i]);
    if (decoded.length == 0) {
      continue;
    }
    var unicode_codes = convertBytesToUnicodeCodePoints(decoded[1], normalizeEncodingName(decoded[0]));
    parts.push(convertUnicodeCodePointsToString(unicode_codes));
  }
  return joinStrings(parts);
}
