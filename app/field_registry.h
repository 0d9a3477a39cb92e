#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "native/field_text.h"

namespace varnelo {

// Names a converter field as the source of an edit; the empty key names none.
using SourceKey = std::string;

inline constexpr int FIELD_COUNT = 18;
inline constexpr int PLAIN_TEXT_FIELD = 1;
inline constexpr const char* WINDOW_TITLE = "Varnelo V1.0  (2018-04-20)";
inline constexpr const char* INITIAL_CAPTION = "Varnelo";
inline constexpr const char* INITIAL_PLAIN_TEXT = "Varnelo";

struct Geometry {
  int x, y, width, height;
};

// A conversion: an entry point of the codec library with its two option
// arguments, or a native function.
struct Conversion {
  const char* scriptEntry = nullptr;
  const char* second = "";
  const char* third = "";
  FieldText (*native)(const FieldText&) = nullptr;

  bool exists() const { return scriptEntry || native; }
};

struct ConversionField {
  int number;
  const char* control;
  Geometry geometry;
  const char* labelControl;
  const char* label;  // as stored: "&&" is drawn as "&"
  Geometry labelGeometry;
  const char* sourceKey;  // "" for field 1
  const char* alias;      // a short ASCII name for the native fields, whose keys are awkward to type
  Conversion encode;      // field 1's text to this field's form
  Conversion decode;      // this field's form back to plain text; none for fields 1 and 6
};

// The fields in number order: row i is field i + 1.
extern const std::array<ConversionField, FIELD_COUNT> FIELD_REGISTRY;

inline const ConversionField& fieldRow(int number) { return FIELD_REGISTRY.at(number - 1); }

// The hyperlink box, an empty placeholder.
inline constexpr const char* LINK_BOX_CONTROL = "超级链接框1";
inline constexpr Geometry LINK_BOX_GEOMETRY{892, 637, 200, 16};

// Client area that holds every control.
inline constexpr int CLIENT_WIDTH = 1237;
inline constexpr int CLIENT_HEIGHT = 646;

FieldText runConversion(const Conversion& conversion, const FieldText& text);

// A label as the window draws it: "&&" is "&", a single "&" only marks a mnemonic.
std::string drawnLabel(std::string_view stored);

// The field's number for a field number ("9") or key ("base64", or the alias).
std::optional<int> findField(const std::string& nameOrNumber);

}  // namespace varnelo
