#include "app/memory_window.h"

namespace varnelo {

MemoryWindow::MemoryWindow() { texts_[PLAIN_TEXT_FIELD - 1] = INITIAL_PLAIN_TEXT; }

FieldText MemoryWindow::getFieldText(int field) { return texts_.at(field - 1); }

void MemoryWindow::setFieldText(int field, const FieldText& text) {
  texts_.at(field - 1) = text;
  if (events_) events_->onTextChanged(field);
}

}  // namespace varnelo
