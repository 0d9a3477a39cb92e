#include "codec_host/codec_host.h"

#include <duktape.h>
#include <malloc.h>

#include <cstdlib>
#include <cstring>

#include "codec_host/cesu8.h"
#include "codec_library/codec_library_source.h"
#include "native/codepage936.h"

namespace varnelo {

// Everything the engine callbacks touch is plain data: engine errors unwind
// with longjmp, which must not skip a C++ destructor.
struct CodecHost::Engine {
  duk_context* heap = nullptr;
  size_t allocated = 0;
  size_t limit = 0;
  std::string bytecode;           // the compiled library; empty when it does not compile
  std::string lazyBytecode;       // the compiled lazy script; empty when there is none
  std::jmp_buf* fatalExit = nullptr;
  bool broken = false;            // a fatal error left the heap unusable
};

namespace {

void* engineAlloc(void* udata, duk_size_t size) {
  auto* engine = static_cast<CodecHost::Engine*>(udata);
  if (engine->allocated + size > engine->limit) return nullptr;
  void* block = std::malloc(size);
  if (block) engine->allocated += malloc_usable_size(block);
  return block;
}

void engineFree(void* udata, void* block) {
  if (!block) return;
  static_cast<CodecHost::Engine*>(udata)->allocated -= malloc_usable_size(block);
  std::free(block);
}

void* engineRealloc(void* udata, void* block, duk_size_t size) {
  auto* engine = static_cast<CodecHost::Engine*>(udata);
  if (size == 0) {
    engineFree(udata, block);
    return nullptr;
  }
  size_t old = block ? malloc_usable_size(block) : 0;
  if (engine->allocated - old + size > engine->limit) return nullptr;
  void* moved = std::realloc(block, size);
  if (moved) engine->allocated += malloc_usable_size(moved) - old;
  return moved;
}

[[noreturn]] void engineFatal(void* udata, const char*) {
  auto* engine = static_cast<CodecHost::Engine*>(udata);
  engine->broken = true;
  if (engine->fatalExit) std::longjmp(*engine->fatalExit, 1);
  std::abort();
}

// String.fromCharCode with the standard ToUint16 of every argument (the
// engine's own keeps values above 0xFFFF).
duk_ret_t standardFromCharCode(duk_context* ctx) {
  duk_idx_t count = duk_get_top(ctx);
  auto* units = static_cast<char16_t*>(duk_push_fixed_buffer(ctx, count * sizeof(char16_t)));
  for (duk_idx_t i = 0; i < count; ++i) units[i] = duk_to_uint16(ctx, i);
  size_t length = cesu8Length(units, count);
  auto* bytes = static_cast<char*>(duk_push_fixed_buffer(ctx, length));
  writeCesu8(units, count, bytes);
  duk_buffer_to_string(ctx, -1);
  return 1;
}

struct Call {
  const std::string* bytecode;
  const std::string* lazyBytecode;
  const char* const* lazyGlobals;
  size_t lazyGlobalCount;
  const char* entry;
  const std::string* arguments[3];
};

constexpr const char* CURRENT_CALL = "currentCall";

void pushCompiledFunction(duk_context* ctx, const std::string& bytecode) {
  duk_push_external_buffer(ctx);
  duk_config_buffer(ctx, -1, const_cast<char*>(bytecode.data()), bytecode.size());
  duk_load_function(ctx);
}

// The getter that stands in for each lazy global until one is read: it removes
// all of them, runs the lazy script, which defines the real ones, and returns
// the value of the global that was read (its index is the function's magic).
duk_ret_t loadLazyScript(duk_context* ctx) {
  duk_push_heap_stash(ctx);
  duk_get_prop_string(ctx, -1, CURRENT_CALL);
  const Call* call = static_cast<const Call*>(duk_get_pointer(ctx, -1));
  duk_pop_2(ctx);
  duk_push_global_object(ctx);
  for (size_t i = 0; i < call->lazyGlobalCount; ++i) duk_del_prop_string(ctx, -1, call->lazyGlobals[i]);
  pushCompiledFunction(ctx, *call->lazyBytecode);
  duk_call(ctx, 0);
  duk_pop(ctx);
  duk_get_prop_string(ctx, -1, call->lazyGlobals[duk_get_current_magic(ctx)]);
  return 1;
}

void installLazyGlobals(duk_context* ctx, const Call& call) {
  if (call.lazyBytecode->empty()) return;
  duk_push_heap_stash(ctx);
  duk_push_pointer(ctx, const_cast<Call*>(&call));
  duk_put_prop_string(ctx, -2, CURRENT_CALL);
  duk_pop(ctx);
  duk_push_global_object(ctx);
  for (size_t i = 0; i < call.lazyGlobalCount; ++i) {
    duk_push_string(ctx, call.lazyGlobals[i]);
    duk_push_c_function(ctx, loadLazyScript, 0);
    duk_set_magic(ctx, -1, static_cast<duk_int_t>(i));
    duk_def_prop(ctx, -3, DUK_DEFPROP_HAVE_GETTER | DUK_DEFPROP_SET_CONFIGURABLE);
  }
  duk_pop(ctx);
}

// Runs inside a protected call on a fresh thread: prepares the environment,
// executes the library, calls the entry point and leaves its string result.
duk_ret_t callEntryPoint(duk_context* ctx, void* udata) {
  const Call* call = static_cast<const Call*>(udata);

  duk_get_global_string(ctx, "String");
  duk_push_c_function(ctx, standardFromCharCode, DUK_VARARGS);
  duk_put_prop_string(ctx, -2, "fromCharCode");
  duk_pop(ctx);
  installLazyGlobals(ctx, *call);

  // Like a script host's "execute statement", a library that throws part way
  // still leaves whatever it defined before the throw.
  pushCompiledFunction(ctx, *call->bytecode);
  duk_pcall(ctx, 0);
  duk_pop(ctx);

  duk_get_global_string(ctx, call->entry);
  if (!duk_is_callable(ctx, -1)) return DUK_RET_TYPE_ERROR;
  for (const std::string* argument : call->arguments)
    duk_push_lstring(ctx, argument->data(), argument->size());
  duk_call(ctx, 3);
  if (duk_is_null(ctx, -1)) return DUK_RET_TYPE_ERROR;
  if (duk_is_undefined(ctx, -1)) {
    duk_pop(ctx);
    duk_push_string(ctx, "");
  }
  duk_to_string(ctx, -1);
  return 1;
}

duk_ret_t compileScript(duk_context* ctx, void*) {
  duk_push_string(ctx, "codec_library");
  duk_compile(ctx, 0);
  duk_dump_function(ctx);
  return 1;
}

}  // namespace

CodecHost::CodecHost(std::string_view librarySource, LazyScript lazyScript, size_t memoryLimit)
    : source_(librarySource),
      lazySource_(lazyScript.source),
      lazyGlobals_(std::move(lazyScript.globals)),
      memoryLimit_(memoryLimit) {
  for (const std::string& name : lazyGlobals_) lazyGlobalNames_.push_back(name.c_str());
  startEngine();
}

CodecHost::~CodecHost() {
  if (engine_ && !engine_->broken) duk_destroy_heap(engine_->heap);
}

void CodecHost::startEngine() {
  // A heap that failed fatally may be inconsistent: it is abandoned, not destroyed.
  if (engine_ && !engine_->broken) duk_destroy_heap(engine_->heap);
  if (engine_ && engine_->broken) engine_.release();
  engine_ = std::make_unique<Engine>();
  engine_->limit = memoryLimit_;
  engine_->heap = duk_create_heap(engineAlloc, engineRealloc, engineFree, engine_.get(), engineFatal);
  if (!engine_->heap) {
    engine_->broken = true;
    return;
  }
  engine_->bytecode = compile(source_);
  if (!lazySource_.empty()) engine_->lazyBytecode = compile(lazySource_);
}

std::string CodecHost::compile(const std::string& source) {
  duk_context* ctx = engine_->heap;
  std::string bytecode;
  duk_push_lstring(ctx, source.data(), source.size());
  if (duk_safe_call(ctx, compileScript, nullptr, 1, 1) == DUK_EXEC_SUCCESS) {
    duk_size_t size = 0;
    const char* data = static_cast<const char*>(duk_get_buffer_data(ctx, -1, &size));
    bytecode.assign(data, size);
  }
  duk_pop(ctx);
  return bytecode;
}

std::optional<std::u16string> CodecHost::runUnits(std::string_view entry, std::u16string_view text,
                                                  std::u16string_view second,
                                                  std::u16string_view third) {
  if (engine_->broken) startEngine();
  if (engine_->broken || engine_->bytecode.empty()) return std::nullopt;

  const std::string entryName(entry);
  const std::string arguments[3] = {utf16ToCesu8(text), utf16ToCesu8(second), utf16ToCesu8(third)};
  const Call call{&engine_->bytecode,
                  &engine_->lazyBytecode,
                  lazyGlobalNames_.data(),
                  lazyGlobalNames_.size(),
                  entryName.c_str(),
                  {&arguments[0], &arguments[1], &arguments[2]}};

  std::string resultBytes;
  volatile bool succeeded = false;
  std::jmp_buf fatalExit;
  engine_->fatalExit = &fatalExit;
  if (setjmp(fatalExit) == 0) {
    duk_context* heap = engine_->heap;
    duk_push_thread_new_globalenv(heap);
    duk_context* thread = duk_get_context(heap, -1);
    if (duk_safe_call(thread, callEntryPoint, const_cast<Call*>(&call), 0, 1) == DUK_EXEC_SUCCESS) {
      duk_size_t size = 0;
      const char* data = duk_get_lstring(thread, -1, &size);
      resultBytes.assign(data, size);
      succeeded = true;
    }
    duk_pop(heap);
  }
  engine_->fatalExit = nullptr;
  if (!succeeded) return std::nullopt;
  return cesu8ToUtf16(resultBytes);
}

FieldText CodecHost::run(std::string_view entry, const FieldText& text, const FieldText& second,
                         const FieldText& third) {
  std::optional<std::u16string> result =
      runUnits(entry, decodeCp936(text), decodeCp936(second), decodeCp936(third));
  if (!result) return {};
  std::u16string_view units(*result);
  return encodeCp936(units.substr(0, units.find(u'\0')));
}

FieldText runCodec(std::string_view entry, const FieldText& text, const FieldText& second,
                   const FieldText& third) {
  static CodecHost host(CODEC_LIBRARY_SOURCE,
                        {CODEC_MAP_SOURCE,
                         {std::begin(CODEC_MAP_GLOBALS), std::end(CODEC_MAP_GLOBALS)}});
  return host.run(entry, text, second, third);
}

}  // namespace varnelo
