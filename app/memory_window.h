#pragma once
#include <array>

#include "app/field_registry.h"
#include "app/field_window.h"

namespace varnelo {

// A window without a screen: the fields are byte strings in memory. The
// command-line tool and headless tests run the event rules against it.
class MemoryWindow : public FieldWindow {
 public:
  MemoryWindow();
  void connect(FieldEvents& events) { events_ = &events; }

  FieldText getFieldText(int field) override;
  void setFieldText(int field, const FieldText& text) override;
  bool fieldHasFocus(int field) override { return field == focus_; }
  void setWindowTitle(const FieldText& title) override { title_ = title; }

  // What a person does: put the focus somewhere, change a field's text.
  void focus(int field) { focus_ = field; }
  // A user's change raises text-changed just as a write does.
  void userEdits(int field, const FieldText& text) { setFieldText(field, text); }

  const FieldText& title() const { return title_; }

 private:
  std::array<FieldText, FIELD_COUNT> texts_;
  FieldText title_ = INITIAL_CAPTION;
  int focus_ = 0;
  FieldEvents* events_ = nullptr;
};

}  // namespace varnelo
