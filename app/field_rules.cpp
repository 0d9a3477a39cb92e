#include "app/field_rules.h"

namespace varnelo {

void FieldRules::onWindowCreated() {
  window_.setWindowTitle(WINDOW_TITLE);
  refreshFieldsExcept(currentSource_);
}

void FieldRules::refreshFieldsExcept(const SourceKey& key) {
  for (const ConversionField& row : FIELD_REGISTRY) {
    if (row.number == PLAIN_TEXT_FIELD) continue;
    if (!key.empty() && key == row.sourceKey) continue;
    window_.setFieldText(row.number, runConversion(row.encode, window_.getFieldText(PLAIN_TEXT_FIELD)));
  }
}

void FieldRules::onKeyReleased(int field) {
  if (field == PLAIN_TEXT_FIELD) {
    refreshFieldsExcept(currentSource_);
    return;
  }
  const ConversionField& row = fieldRow(field);
  if (!row.decode.exists()) return;
  currentSource_ = row.sourceKey;
  FieldText plain = runConversion(row.decode, window_.getFieldText(field));
  window_.setFieldText(PLAIN_TEXT_FIELD, plain);
  currentSource_.clear();
}

void FieldRules::onTextChanged(int field) {
  if (field == PLAIN_TEXT_FIELD) onPlainTextChanged();
}

void FieldRules::onPlainTextChanged() {
  if (window_.fieldHasFocus(PLAIN_TEXT_FIELD)) return;
  refreshFieldsExcept(currentSource_);
}

}  // namespace varnelo
