#pragma once
#include <csetjmp>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "native/field_text.h"

struct duk_hthread;

namespace varnelo {

// A script that defines large globals few calls need. A call's environment
// runs it only when the call first reads one of those globals, so calls that
// never touch them do not pay for loading them.
struct LazyScript {
  std::string_view source;
  std::vector<std::string> globals;
};

// Runs one entry point of an ECMAScript library in a fresh global environment
// per call. The library is compiled once; each call loads it into a new engine
// thread with its own globals and built-ins, so nothing one call leaves behind
// is visible to the next.
class CodecHost {
 public:
  // Beyond memoryLimit bytes the engine's allocations fail, and the call with them.
  static constexpr size_t DEFAULT_MEMORY_LIMIT = size_t{4} << 30;
  explicit CodecHost(std::string_view librarySource, LazyScript lazyScript = {},
                     size_t memoryLimit = DEFAULT_MEMORY_LIMIT);
  ~CodecHost();
  CodecHost(const CodecHost&) = delete;
  CodecHost& operator=(const CodecHost&) = delete;

  // The string the entry point returns, as UTF-16 units; nothing when the call
  // fails in any way (an error, an unknown name, a null result, the engine
  // running out of memory or failing fatally).
  std::optional<std::u16string> runUnits(std::string_view entry, std::u16string_view text,
                                         std::u16string_view second, std::u16string_view third);

  // runUnits on field texts: arguments decoded from code page 936, the result
  // cut at its first U+0000 and encoded with "?" for what the code page lacks;
  // the empty text on failure.
  FieldText run(std::string_view entry, const FieldText& text, const FieldText& second,
                const FieldText& third);

  struct Engine;

 private:
  void startEngine();
  std::string compile(const std::string& source);

  std::string source_;
  std::string lazySource_;
  std::vector<std::string> lazyGlobals_;
  std::vector<const char*> lazyGlobalNames_;
  size_t memoryLimit_;
  std::unique_ptr<Engine> engine_;
};

// Runs an entry point of the embedded codec library (CODEC_LIBRARY_SOURCE), with
// the legacy charset tables (CODEC_MAP_SOURCE) loaded only by calls that read them.
FieldText runCodec(std::string_view entry, const FieldText& text, const FieldText& second = {},
                   const FieldText& third = {});

}  // namespace varnelo
