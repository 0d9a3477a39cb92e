// The charset registry: a normalised charset name to an output converter (code
// points to bytes) and an input converter (bytes to code points).

// "utf-8", "utf_8" and "Utf8" all give "UTF8".
function normalizeEncodingName(encoding) {
  return encoding.toUpperCase().replace(/[_-]/g, '');
}

// The legacy converters need code tables that a map script beside the library
// defines; without it, reading the table's name fails the call.
function maybeInitSjisMaps() {
  return SJIS_MAP_ENCODED;
}

function maybeInitIso88591Maps() {
  return ISO88591_MAP_ENCODED;
}

function convertUnicodeCodePointsToIso2022JpBytes(unicode_codes) {
  maybeInitSjisMaps();
}

function convertIso2022JpBytesToUnicodeCodePoints(data_bytes) {
  maybeInitSjisMaps();
}

function convertUnicodeCodePointsToIso88591Bytes(unicode_codes) {
  maybeInitIso88591Maps();
}

function convertIso88591BytesToUnicodeCodePoints(data_bytes) {
  maybeInitIso88591Maps();
}

function convertUnicodeCodePointsToSjisBytes(unicode_codes) {
  maybeInitSjisMaps();
}

function convertSjisBytesToUnicodeCodePoints(data_bytes) {
  maybeInitSjisMaps();
}

function convertUnicodeCodePointsToEucJpBytes(unicode_codes) {
  maybeInitSjisMaps();
}

function convertEucJpBytesToUnicodeCodePoints(data_bytes) {
  maybeInitSjisMaps();
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
