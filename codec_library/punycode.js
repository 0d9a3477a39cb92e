// Punycode (RFC 3492) of a whole field text: no split at dots, no prefix, no
// case mapping. "あい" gives "l8je"; "abc" gives "abc-".

// The module keeps the Bootstring parameters and helpers private; its one
// public member is the encoder.
function InitPunyCode() {
  var BASE = 36;
  var TMIN = 1;
  var TMAX = 26;
  var SKEW = 38;
  var DAMP = 700;
  var INITIAL_BIAS = 72;
  var INITIAL_N = 0x80;
  var DELIMITER = 0x2D;
  var MAXINT = 2147483647;  // 2^31 - 1, the bound of the overflow test

  function basic(cp) {
    return cp < 0x80;
  }

  // 0 to 25 give "a" to "z", 26 to 35 give "0" to "9"; a flag other than 0
  // gives the upper-case letter; the encoder always passes 0.
  function encode_digit(d, flag) {
    return d + 22 + (d < 26 ? 75 : 0) - (flag != 0 ? 32 : 0);
  }

  function adapt(delta, numpoints, firsttime) {
    delta = firsttime ? Math.floor(delta / DAMP) : Math.floor(delta / 2);
    delta += Math.floor(delta / numpoints);
    var k = 0;
    while (delta > Math.floor(((BASE - TMIN) * TMAX) / 2)) {
      delta = Math.floor(delta / (BASE - TMIN));
      k += BASE;
    }
    return Math.floor(k + ((BASE - TMIN + 1) * delta) / (delta + SKEW));
  }

  // The positions, stably reordered by bits shift to shift + 10 of their
  // code points. Two calls, with shift 0 and then 11, order them by code
  // point (U+10FFFF has 21 bits) and equal code points by position.
  function sortPositionsByBits(input, positions, shift) {
    var starts = [];
    for (var j = 0; j <= 0x800; j++) {
      starts.push(0);
    }
    var sorted = [];
    for (var i = 0; i < positions.length; i++) {
      starts[((input[positions[i]] >>> shift) & 0x7FF) + 1]++;
      sorted.push(0);
    }
    for (j = 1; j <= 0x800; j++) {
      starts[j] += starts[j - 1];
    }
    for (i = 0; i < positions.length; i++) {
      sorted[starts[(input[positions[i]] >>> shift) & 0x7FF]++] = positions[i];
    }
    return sorted;
  }

  // RFC 3492 section 6.3, with the same output, the same failures and a cost
  // close to linear. The RFC's loop scans the whole input once per distinct
  // code point, which is quadratic on Chinese text. This one visits the
  // non-basic positions once each, ordered by code point and then by
  // position, which is the order in which the RFC's loop reaches them. The
  // RFC counts, as it scans, the code points below n that precede an
  // occurrence of n; here a Fenwick tree over input positions, holding the
  // positions of all code points below n, gives that count. So delta, bias,
  // h and n take the RFC's values at the same moments, and the overflow test
  // sits where the RFC has it: once per distinct code point, never in the
  // per-occurrence increments, which may take delta past MAXINT.
  // The input holds whole numbers from 0 to 0x10FFFF, as
  // convertStringToUnicodeCodePoints gives.
  function punycode_encode(input, output) {
    var n = INITIAL_N;
    var delta = 0;
    var bias = INITIAL_BIAS;
    var length = input.length;

    // tree[i] (1-based) counts the tree's positions in (i - lowbit(i), i];
    // position p is index p + 1. It starts with the basic code points.
    var tree = [0];
    var non_basic = [];
    for (var i = 0; i < length; i++) {
      if (basic(input[i])) {
        output.push(input[i]);
        tree.push(1);
      } else {
        tree.push(0);
        non_basic.push(i);
      }
    }
    for (i = 1; i <= length; i++) {
      var parent = i + (i & -i);
      if (parent <= length) {
        tree[parent] += tree[i];
      }
    }
    var b = length - non_basic.length;
    var h = b;
    if (b > 0) {
      output.push(DELIMITER);
    }

    var order = sortPositionsByBits(input, sortPositionsByBits(input, non_basic, 0), 11);
    var next = 0;
    while (h < length) {
      var m = input[order[next]];
      if (m - n > Math.floor((MAXINT - delta) / (h + 1))) {
        return false;
      }
      delta += (m - n) * (h + 1);
      n = m;

      // The tree holds exactly the code points below n. counted: how many of
      // them precede the previous occurrence of n; delta has had those.
      var below = h;
      var counted = 0;
      var first = next;
      for (; next < order.length && input[order[next]] == n; next++) {
        var preceding = 0;
        for (i = order[next]; i > 0; i -= i & -i) {
          preceding += tree[i];
        }
        delta += preceding - counted;
        counted = preceding;

        var q = delta;
        for (var k = BASE; ; k += BASE) {
          var t = k <= bias ? TMIN : k >= bias + TMAX ? TMAX : k - bias;
          if (q < t) {
            break;
          }
          output.push(encode_digit(t + (q - t) % (BASE - t), 0));
          q = Math.floor((q - t) / (BASE - t));
        }
        output.push(encode_digit(q, 0));
        bias = adapt(delta, h + 1, h == b);
        delta = 0;
        h++;
      }
      delta += below - counted;
      for (var j = first; j < next; j++) {
        for (i = order[j] + 1; i <= length; i += i & -i) {
          tree[i]++;
        }
      }

      delta++;
      n++;
    }
    return true;
  }

  return { encode: punycode_encode };
}

var PunyCode = InitPunyCode();

// The Punycode output as a code point list, or the input's code points when
// the encoder overflows.
function convertStringToPunyCodes(str) {
  var unicode_codes = convertStringToUnicodeCodePoints(str);
  var puny_codes = [];
  if (PunyCode.encode(unicode_codes, puny_codes)) {
    return puny_codes;
  }
  return unicode_codes;
}

// Field 6. Long texts can overflow the encoder, and the field then shows the
// plain text: 32,844 letters "a" followed by "￥" encode, 32,845 do not.
function escapeToPunyCode(str) {
  return convertUnicodeCodePointsToString(convertStringToPunyCodes(str));
}
