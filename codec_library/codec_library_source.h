#pragma once
#include <string_view>

namespace varnelo {
// The whole codec library text, embedded at build time from codec_library/*.js.
extern const std::string_view CODEC_LIBRARY_SOURCE;
}  // namespace varnelo
