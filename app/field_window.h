#pragma once
#include "native/field_text.h"

namespace varnelo {

// What the event rules may do to a window: four operations, nothing else.
class FieldWindow {
 public:
  virtual ~FieldWindow() = default;
  virtual FieldText getFieldText(int field) = 0;
  // Replaces the text, then raises the field's text-changed event once,
  // synchronously, whether or not the text changed.
  virtual void setFieldText(int field, const FieldText& text) = 0;
  virtual bool fieldHasFocus(int field) = 0;
  virtual void setWindowTitle(const FieldText& title) = 0;
};

// The events a window raises.
class FieldEvents {
 public:
  virtual ~FieldEvents() = default;
  virtual void onWindowCreated() = 0;
  // A key came up while the field had the keyboard focus.
  virtual void onKeyReleased(int field) = 0;
  // The user changed the field's text, or setFieldText wrote it.
  virtual void onTextChanged(int field) = 0;
};

}  // namespace varnelo
