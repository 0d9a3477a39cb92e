#include "app/convert_cli.h"

#include <unicode/utf8.h>

#include <algorithm>
#include <cstdint>
#include <istream>
#include <new>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string_view>

#include "app/field_registry.h"
#include "app/field_rules.h"
#include "app/memory_window.h"
#include "native/codepage936.h"

namespace varnelo {
namespace {

constexpr const char* PROGRAM = "varnelo-convert";
constexpr int EXIT_FAILED = 1;  // reading or writing failed
constexpr int EXIT_REFUSED = 2;  // a bad command line or bad input

constexpr const char* HELP = R"(Usage: varnelo-convert list
       varnelo-convert [--raw] [-n] encode FIELD [TEXT]
       varnelo-convert [--raw] [-n] decode FIELD [TEXT]
       varnelo-convert [--raw] all [TEXT]
       varnelo-convert --help

Converts text the way the fields of the Varnelo window do, without a window.

Commands:
  list    one line per converter field, tab-separated: its number, its key
          (with a short ASCII alias for fields 14 to 18), its label
  encode  FIELD's form of TEXT: what the window shows in field FIELD when
          field 1 holds TEXT
  decode  the plain text of TEXT written into field FIELD: what the window
          then shows in field 1
  all     every converter field's form of TEXT, one block per field: a line
          "[N] key  label", then the field's text; an empty line between
          blocks

FIELD is a field number from 2 to 18 or a key or alias that 'list' shows.
Field 6 (Punycode) is output only: 'decode 6' is refused.

TEXT is the argument, or else all of standard input, a final newline
included (printf '%s' ... leaves it out). Line breaks pass through as they
are: an LF stays an LF.

Options, given before the command:
  --raw       TEXT and the result are the field text's own code page 936
              (GBK) bytes, untouched. Without --raw both are UTF-8: TEXT must
              be valid UTF-8, a character that code page 936 lacks becomes
              "?" (a warning on standard error tells how many), and result
              bytes that are not valid code page 936 become U+FFFD. The
              header lines of 'all' are UTF-8 either way.
  -n          no newline after the result of encode or decode
  -h, --help  this text

A field text cannot hold a NUL byte, so TEXT holding one is refused rather
than cut short at it.

Exit status: 0 on success, warnings included; 2 for an unknown command,
option or field, 'decode 6', missing or extra arguments, TEXT that is not
valid UTF-8 without --raw, and TEXT holding a NUL byte; 1 when reading or
writing fails. An error prints one line on standard error and nothing on
standard output.
)";

// A refusal or failure: its one-line message and the exit status.
struct Stop {
  std::string message;
  int status = EXIT_REFUSED;
};

// An argument quoted for a message, with control characters shown as "?" so
// that the message stays one line.
std::string quoted(std::string_view argument) {
  std::string text = "'";
  for (char c : argument) text += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
  return text + "'";
}

struct Command {
  bool raw = false;
  bool noNewline = false;
  std::string name;  // list, encode, decode or all
  std::vector<std::string> operands;
};

Command parse(const std::vector<std::string>& args) {
  Command command;
  size_t i = 0;
  for (; i < args.size() && args[i].size() > 1 && args[i][0] == '-'; ++i) {
    if (args[i] == "--raw")
      command.raw = true;
    else if (args[i] == "-n")
      command.noNewline = true;
    else
      throw Stop{"unknown option " + quoted(args[i]) + "; see '" + PROGRAM + " --help'"};
  }
  if (i == args.size()) throw Stop{std::string("no command given; see '") + PROGRAM + " --help'"};
  command.name = args[i];
  command.operands.assign(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());

  size_t maxOperands = 0, minOperands = 0;
  if (command.name == "list") {
    if (command.raw || command.noNewline) throw Stop{"list takes no options"};
  } else if (command.name == "encode" || command.name == "decode") {
    minOperands = 1;
    maxOperands = 2;
  } else if (command.name == "all") {
    if (command.noNewline) throw Stop{"-n applies to encode and decode only"};
    maxOperands = 1;
  } else {
    throw Stop{"unknown command " + quoted(command.name) + "; see '" + PROGRAM + " --help'"};
  }
  if (command.operands.size() < minOperands) throw Stop{command.name + " needs a FIELD"};
  if (command.operands.size() > maxOperands)
    throw Stop{"too many arguments for " + command.name + ": " + quoted(command.operands[maxOperands]) +
               "; quote a TEXT that has spaces"};
  return command;
}

const ConversionField& resolveField(const std::string& name) {
  std::optional<int> number = findField(name);
  if (!number)
    throw Stop{"unknown field " + quoted(name) + "; FIELD is a number from 2 to 18 or a key from '" +
               PROGRAM + " list'"};
  return fieldRow(*number);
}

std::string keyWithAlias(const ConversionField& row) {
  return *row.alias ? std::string(row.sourceKey) + ", " + row.alias : std::string(row.sourceKey);
}

// Reads everything, growing the buffer geometrically so that large input costs
// linear time.
std::string readAll(std::istream& in) {
  std::string data;
  size_t chunk = size_t{1} << 16;
  while (in) {
    size_t used = data.size();
    data.resize(used + chunk);
    in.read(data.data() + used, static_cast<std::streamsize>(chunk));
    data.resize(used + static_cast<size_t>(in.gcount()));
    chunk = std::max(chunk, data.size());
  }
  if (in.bad()) throw Stop{"cannot read standard input", EXIT_FAILED};
  return data;
}

// The offset of the first byte that starts no well-formed UTF-8 sequence
// (ICU's reader rejects overlong forms, surrogates and values above U+10FFFF).
std::optional<size_t> firstInvalidUtf8(std::string_view bytes) {
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  const int64_t length = static_cast<int64_t>(bytes.size());
  for (int64_t i = 0; i < length;) {
    const int64_t start = i;
    UChar32 c;
    U8_NEXT(data, i, length, c);
    if (c < 0) return static_cast<size_t>(start);
  }
  return std::nullopt;
}

// The field text for the input: the bytes themselves with --raw, else the
// UTF-8 text in code page 936.
FieldText inputToFieldText(const std::string& input, bool raw, std::ostream& err) {
  if (!raw) {
    if (std::optional<size_t> bad = firstInvalidUtf8(input))
      throw Stop{"input is not valid UTF-8 (byte " + std::to_string(*bad) +
                 "); use --raw for code page 936 bytes"};
  }
  if (size_t nul = input.find('\0'); nul != std::string::npos)
    throw Stop{"input holds a NUL byte (byte " + std::to_string(nul) +
               "), which a field text cannot hold"};
  if (raw) return input;

  FieldText text = utf8ToGbk(input);
  // Every character the code page lacks becomes one "?", and no other
  // character encodes to the byte "?", so the "?" added are the characters lost.
  auto lost = std::count(text.begin(), text.end(), '?') - std::count(input.begin(), input.end(), '?');
  if (lost > 0)
    err << PROGRAM << ": warning: " << lost << (lost == 1 ? " character" : " characters")
        << " that code page 936 lacks became \"?\"\n";
  return text;
}

void write(std::ostream& out, const FieldText& result, bool raw) {
  if (raw) {
    out << result;
  } else {
    out << gbkToUtf8(result);
  }
}

int run(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
  // Only among the options does --help ask for help: after the command it is text.
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") {
      out << HELP;
      return 0;
    }
    if (!arg.starts_with('-') || arg.size() == 1) break;
  }

  Command command = parse(args);
  if (command.name == "list") {
    for (const ConversionField& row : FIELD_REGISTRY) {
      if (row.number == PLAIN_TEXT_FIELD) continue;
      out << row.number << '\t' << keyWithAlias(row) << '\t' << drawnLabel(row.label) << '\n';
    }
    return 0;
  }

  const ConversionField* field = nullptr;
  if (command.name != "all") {
    field = &resolveField(command.operands[0]);
    if (command.name == "decode" && !field->decode.exists())
      throw Stop{"field " + std::to_string(field->number) + " (" + field->sourceKey +
                 ") has no decoding: its form is output only"};
  }
  size_t textOperand = command.name == "all" ? 0 : 1;
  std::string input =
      command.operands.size() > textOperand ? command.operands[textOperand] : readAll(in);
  FieldText text = inputToFieldText(input, command.raw, err);
  input.clear();
  input.shrink_to_fit();

  if (field) {
    write(out, runConversion(command.name == "encode" ? field->encode : field->decode, text), command.raw);
    if (!command.noNewline) out << '\n';
  } else {
    // The text typed into field 1 of a window without a screen, the focus
    // elsewhere: the event rules fill fields 2 to 18 just as in the window.
    MemoryWindow window;
    FieldRules rules(window);
    window.connect(rules);
    window.userEdits(PLAIN_TEXT_FIELD, text);
    for (const ConversionField& row : FIELD_REGISTRY) {
      if (row.number == PLAIN_TEXT_FIELD) continue;
      if (row.number != PLAIN_TEXT_FIELD + 1) out << '\n';
      out << '[' << row.number << "] " << row.sourceKey << "  " << drawnLabel(row.label) << '\n';
      write(out, window.getFieldText(row.number), command.raw);
      out << '\n';
    }
  }
  out.flush();
  if (!out) throw Stop{"cannot write standard output", EXIT_FAILED};
  return 0;
}

}  // namespace

int runConvertCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                  std::ostream& err) {
  try {
    return run(args, in, out, err);
  } catch (const Stop& stop) {
    err << PROGRAM << ": " << stop.message << '\n';
    return stop.status;
  } catch (const std::bad_alloc&) {
    err << PROGRAM << ": out of memory\n";
  } catch (const std::exception& error) {
    err << PROGRAM << ": " << error.what() << '\n';
  }
  return EXIT_FAILED;
}

}  // namespace varnelo
