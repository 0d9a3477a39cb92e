#include "codec_host/codec_host.h"

#include <gtest/gtest.h>

namespace varnelo {
namespace {

const char* const TEST_LIBRARY = R"js(
var leftBehind;
function leaveState() { leftBehind = "x"; String.prototype.extra = 1; return "left"; }
function seeState() {
  return typeof leftBehind === "undefined" && typeof "".extra === "undefined" ? "fresh" : "stale";
}
function echo(a, b, c) { return a + "|" + b + "|" + c + "|" + typeof c; }
function throws() { throw new Error("broken"); }
function returnsNull() { return null; }
function returnsNothing() {}
function returnsNumber() { return 42; }
function badToString() { return { toString: function () { throw 1; }, valueOf: function () { throw 2; } }; }
function withNul() { return "A\u0000B"; }
function loneSurrogate() { return "A" + String.fromCharCode(0xD800) + "B"; }
function outsideCodePage() { return "\u00e9\uac00\u4e2d"; }
function fromCharCodes() { return String.fromCharCode(65536 + 65, -1, 55360.0107421875, NaN).length; }
function unitsOf(s) { var r = []; for (var i = 0; i < s.length; i++) r.push(s.charCodeAt(i)); return r.join(","); }
function recurse() { return recurse() + 1; }
function exhaust() { var kept = [], s = "x"; for (;;) { s = s + s; kept.push(s); } }
)js";

TEST(CodecHost, ArgumentsArriveAsStringsAndAbsentOnesAsEmpty) {
  CodecHost host(TEST_LIBRARY);
  EXPECT_EQ(host.run("echo", "t", "UTF-8", ""), "t|UTF-8||string");
  EXPECT_EQ(runCodec("escape", "a b\xD6\xD0"), "a%20b%u4E2D");
  EXPECT_EQ(runCodec("unescape", "%u4E2D%41"), "\xD6\xD0" "A");
}

TEST(CodecHost, EveryFailureGivesTheEmptyTextAndTheNextCallWorks) {
  CodecHost host(TEST_LIBRARY, {}, size_t{32} << 20);
  for (const char* entry : {"throws", "returnsNull", "badToString", "noSuchFunction", "leftBehind",
                            "recurse", "exhaust"}) {
    EXPECT_EQ(host.run(entry, "x", "", ""), "") << entry;
    EXPECT_EQ(host.run("echo", "a", "b", "c"), "a|b|c|string") << "after " << entry;
  }
  EXPECT_EQ(host.run("returnsNothing", "", "", ""), "");
  EXPECT_EQ(host.run("returnsNumber", "", "", ""), "42");
}

TEST(CodecHost, NoStateSurvivesACall) {
  CodecHost host(TEST_LIBRARY);
  EXPECT_EQ(host.run("leaveState", "", "", ""), "left");
  EXPECT_EQ(host.run("seeState", "", "", ""), "fresh");
}

TEST(CodecHost, ALazyScriptRunsOnlyWhenACallReadsOneOfItsGlobals) {
  const char* library = R"js(
    function loadCount() { return typeof TIMES_LOADED === "undefined" ? "not loaded" : String(TIMES_LOADED); }
    function readTable(s) { return TABLE + "," + OTHER_TABLE + "," + loadCount(); }
    function readTwice(s) { return TABLE + TABLE + loadCount(); }
  )js";
  const char* lazy = R"js(
    var TIMES_LOADED = (typeof TIMES_LOADED === "undefined" ? 0 : TIMES_LOADED) + 1;
    var TABLE = "t", OTHER_TABLE = "o";
  )js";
  CodecHost host(library, {lazy, {"TABLE", "OTHER_TABLE"}});
  EXPECT_EQ(host.run("loadCount", "", "", ""), "not loaded");
  EXPECT_EQ(host.run("readTable", "", "", ""), "t,o,1");
  EXPECT_EQ(host.run("readTwice", "", "", ""), "tt1");
  EXPECT_EQ(host.run("loadCount", "", "", ""), "not loaded");
}

TEST(CodecHost, ALibraryThatDoesNotCompileFailsEveryCall) {
  CodecHost host("function (");
  EXPECT_EQ(host.run("escape", "a b", "", ""), "");
}

TEST(CodecHost, ResultsBecomeFieldTexts) {
  CodecHost host(TEST_LIBRARY);
  EXPECT_EQ(host.run("withNul", "", "", ""), "A");
  EXPECT_EQ(host.run("loneSurrogate", "", "", ""), "A?B");
  EXPECT_EQ(host.run("outsideCodePage", "", "", ""), "\xA8\xA6?\xD6\xD0");
}

TEST(CodecHost, TextsCrossTheBridgeUnitForUnit) {
  CodecHost host(TEST_LIBRARY);
  std::u16string text(u"A\u0000\u00e9\u4e2d", 4);
  text += char16_t(0xD83D);
  text += char16_t(0xDE00);
  text += char16_t(0xDC00);
  EXPECT_EQ(host.runUnits("unitsOf", text, u"", u""), u"65,0,233,20013,55357,56832,56320");
  EXPECT_EQ(host.runUnits("withNul", u"", u"", u""), std::u16string(u"A\u0000B", 3));
}

TEST(CodecHost, FromCharCodeReducesEveryValueToOneUnit) {
  CodecHost host(TEST_LIBRARY);
  EXPECT_EQ(host.run("fromCharCodes", "", "", ""), "4");
}

}  // namespace
}  // namespace varnelo
