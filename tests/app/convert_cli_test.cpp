#include "app/convert_cli.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>
#include "tests/table_test.h"

namespace varnelo {
namespace {

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome convert(const std::vector<std::string>& args, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out, err;
  int status = runConvertCli(args, in, out, err);
  return {status, out.str(), err.str()};
}

std::string nul(const char* before, const char* after) { return before + std::string(1, '\0') + after; }

// Fields 13 (the engine's escape), 15 (UTF-8) and 16 (UTF-16LE) convert already.
struct Success {
  const char* name;
  std::vector<std::string> args;
  std::string input;
  std::string out;
  std::string warning = "";  // a part of the one line expected on standard error
};

const Success SUCCESSES[] = {
    {"EncodeArgument", {"encode", "15", "中文"}, "", "涓\uE15F枃\n"},
    {"DecodeArgument", {"decode", "utf8", "涓\uE15F枃"}, "", "中文\n"},
    {"EncodeStdinKeepsItsFinalNewline", {"encode", "escape"}, "中文 A\n", "%u4E2D%u6587%20A%0A\n"},
    {"DecodeStdin", {"decode", "13"}, "%u4E2D%0A", "中\n\n"},
    {"ArgumentWinsOverStdin", {"encode", "13", ""}, "ignored", "\n"},
    {"NoNewline", {"-n", "encode", "13", "A"}, "", "A"},
    {"OptionsInEitherOrder", {"-n", "--raw", "decode", "15", "\xE4\xB8\xAD"}, "", "\xD6\xD0"},
    {"RawEncodeGivesTheFieldBytes", {"--raw", "encode", "15", "\xD6\xD0\xCE\xC4"}, "", "\xE4\xB8\xAD\xE6\x96\x87\n"},
    {"RawDecodeFromStdin", {"--raw", "decode", "15"}, "\xE4\xB8\xAD", "\xD6\xD0\n"},
    {"RawLineBreaksUntouched", {"--raw", "encode", "15", "a\nb\r\nc\rd"}, "", "a\nb\r\nc\rd\n"},
    {"LineFeedStaysLineFeed", {"decode", "15", "a\nb"}, "", "a\nb\n"},
    {"Utf16Encode", {"encode", "utf16le", "-N"}, "", "中\n"},
    {"Utf16Decode", {"decode", "UNICODE/ANSI", "中"}, "", "-N\n"},
    {"ResultBytesOutsideCodePageBecomeReplacementCharacters", {"encode", "15", "中"}, "", "涓\uFFFD\n"},
    {"CharactersOutsideCodePageBecomeQuestionMarks", {"encode", "13", "A😀한?"}, "", "A%3F%3F%3F\n",
     "warning: 2 characters that code page 936 lacks became \"?\""},
    {"OneCharacterLost", {"encode", "13", "\u00A0"}, "", "%3F\n", "warning: 1 character that"},
    {"OptionLikeTextAfterTheCommand", {"encode", "13", "-n"}, "", "-n\n"},
    {"HelpAfterTheCommandIsText", {"encode", "13", "--help"}, "", "--help\n"},
};

class ConvertCliSuccess : public testing::TestWithParam<Success> {};

TEST_P(ConvertCliSuccess, PrintsTheResult) {
  const Success& c = GetParam();
  Outcome run = convert(c.args, c.input);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, c.out);
  if (c.warning.empty()) {
    EXPECT_EQ(run.err, "");
  } else {
    EXPECT_NE(run.err.find(c.warning), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
  }
}

INSTANTIATE_TEST_SUITE_P(Table, ConvertCliSuccess, testing::ValuesIn(SUCCESSES),
                         RowName{});

struct Refusal {
  const char* name;
  std::vector<std::string> args;
  std::string input;
  std::string message;  // a part of the one line on standard error
};

const Refusal REFUSALS[] = {
    {"NoCommand", {}, "", "no command given"},
    {"UnknownCommand", {"convert", "9"}, "", "unknown command 'convert'"},
    {"UnknownOption", {"--bogus", "encode", "9"}, "", "unknown option '--bogus'"},
    {"UnknownShortOption", {"-x", "list"}, "", "unknown option '-x'"},
    {"MissingField", {"encode"}, "", "encode needs a FIELD"},
    {"ExtraArgument", {"encode", "13", "a", "b"}, "", "too many arguments for encode: 'b'"},
    {"ExtraArgumentForAll", {"all", "a", "b"}, "", "too many arguments for all"},
    {"ArgumentForList", {"list", "x"}, "", "too many arguments for list"},
    {"NoNewlineWithAll", {"-n", "all", "x"}, "", "-n applies to encode and decode only"},
    {"OptionWithList", {"--raw", "list"}, "", "list takes no options"},
    {"PlainTextIsNoConverter", {"encode", "1", "x"}, "", "unknown field '1'"},
    {"FieldBeyondTheLast", {"decode", "19", "x"}, "", "unknown field '19'"},
    {"UnknownKey", {"encode", "Base64", "x"}, "", "unknown field 'Base64'"},
    {"UnknownKeyOverTwoLines", {"encode", "base\n64", "x"}, "", "unknown field 'base?64'"},
    {"PunycodeIsOutputOnly", {"decode", "6", "x"}, "", "field 6 (punycode) has no decoding"},
    {"PunycodeByKey", {"decode", "punycode"}, "xn--", "field 6 (punycode) has no decoding"},
    {"Cp936ArgumentIsNotUtf8", {"encode", "13", "\xD6\xD0"}, "", "input is not valid UTF-8 (byte 0)"},
    {"OverlongStdin", {"encode", "13"}, "ab\xC0\x80", "input is not valid UTF-8 (byte 2)"},
    {"SurrogateStdin", {"encode", "13"}, "\xED\xA0\x80", "input is not valid UTF-8 (byte 0)"},
    {"TruncatedStdin", {"encode", "13"}, "a\xE4\xB8", "input is not valid UTF-8 (byte 1)"},
    {"BeyondUnicodeStdin", {"all"}, "\xF4\x90\x80\x80", "input is not valid UTF-8 (byte 0)"},
    {"LoneContinuationStdin", {"decode", "13"}, "a\x80", "input is not valid UTF-8 (byte 1)"},
    {"NulInUtf8", {"encode", "13"}, nul("a", "b"), "input holds a NUL byte (byte 1)"},
    {"NulInRawInput", {"--raw", "decode", "15"}, nul("\xD6\xD0", ""), "input holds a NUL byte (byte 2)"},
};

class ConvertCliRefusal : public testing::TestWithParam<Refusal> {};

TEST_P(ConvertCliRefusal, SaysWhyInOneLineAndPrintsNothing) {
  const Refusal& c = GetParam();
  Outcome run = convert(c.args, c.input);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err.rfind("varnelo-convert: ", 0), 0u) << run.err;
  EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
}

INSTANTIATE_TEST_SUITE_P(Table, ConvertCliRefusal, testing::ValuesIn(REFUSALS),
                         RowName{});

TEST(ConvertCli, HelpDocumentsTheCommandsOptionsAndRules) {
  for (const auto& args : {std::vector<std::string>{"--help"}, {"-h"}, {"--raw", "--help", "encode"}}) {
    Outcome run = convert(args);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    for (const char* topic : {"Usage:", "list", "encode FIELD [TEXT]", "decode FIELD", "all [TEXT]",
                              "--raw", "-n", "standard input", "NUL", "decode 6", "Exit status"})
      EXPECT_NE(run.out.find(topic), std::string::npos) << topic;
  }
}

struct ListedField {
  std::string number, key, label;
};

std::vector<ListedField> listedFields() {
  Outcome run = convert({"list"});
  EXPECT_EQ(run.status, 0);
  std::vector<ListedField> fields;
  std::istringstream lines(run.out);
  for (std::string line; std::getline(lines, line);) {
    size_t tab1 = line.find('\t'), tab2 = line.find('\t', tab1 + 1);
    fields.push_back({line.substr(0, tab1), line.substr(tab1 + 1, tab2 - tab1 - 1), line.substr(tab2 + 1)});
  }
  return fields;
}

TEST(ConvertCli, EveryListedKeyAndAliasNamesItsField) {
  std::vector<ListedField> fields = listedFields();
  ASSERT_EQ(fields.size(), 17u);
  for (size_t i = 0; i < fields.size(); ++i) {
    EXPECT_EQ(fields[i].number, std::to_string(i + 2));
    std::string byNumber = convert({"encode", fields[i].number, "中 A"}).out;
    std::istringstream names(fields[i].key);
    for (std::string name; std::getline(names, name, ',');) {
      if (name.starts_with(' ')) name.erase(0, 1);
      Outcome byName = convert({"encode", name, "中 A"});
      EXPECT_EQ(byName.status, 0) << name;
      EXPECT_EQ(byName.out, byNumber) << name;
    }
  }
  EXPECT_EQ(fields[2].label, "&#XXXXX;");  // a stored "&&" is shown as "&"
  EXPECT_EQ(fields[12].key, "简繁转换, chinese");
}

// all is a header per field followed by exactly what encode prints for it.
TEST(ConvertCli, AllIsEveryFieldsEncodeInOrder) {
  for (bool raw : {false, true}) {
    const std::string text = raw ? "\xD6\xD0 A\n" : "中 A\n";
    std::string expected;
    for (const ListedField& field : listedFields()) {
      if (!expected.empty()) expected += "\n";
      std::string key = field.key.substr(0, field.key.find(','));
      expected += "[" + field.number + "] " + key + "  " + field.label + "\n";
      std::vector<std::string> args{"encode", field.number, text};
      if (raw) args.insert(args.begin(), "--raw");
      expected += convert(args).out;
    }
    std::vector<std::string> all{"all"};
    if (raw) all.insert(all.begin(), "--raw");
    Outcome fromStdin = convert(all, text);
    EXPECT_EQ(fromStdin.status, 0);
    EXPECT_EQ(fromStdin.out, expected);
    all.push_back(text);
    EXPECT_EQ(convert(all).out, expected);
  }
  EXPECT_NE(convert({"--raw", "all", "\xD6\xD0"}).out.find("[15] gb2312/utf-8  GB2312/UTF-8\n\xE4\xB8\xAD\n"),
            std::string::npos);
}

}  // namespace
}  // namespace varnelo
