#pragma once
#include <string_view>

namespace varnelo {
// The whole codec library text, embedded at build time from codec_library/*.js.
extern const std::string_view CODEC_LIBRARY_SOURCE;

// The map script of the legacy charsets, written at build time from ICU's
// converters (codec_library/generate_legacy_maps.cpp). It defines only these
// globals, which the library reads on a legacy charset's first use in a call.
extern const std::string_view CODEC_MAP_SOURCE;
inline constexpr std::string_view CODEC_MAP_GLOBALS[] = {"SJIS_MAP_ENCODED",
                                                         "ISO88591_MAP_ENCODED"};
}  // namespace varnelo
