#pragma once
#include "app/field_registry.h"
#include "app/field_window.h"

namespace varnelo {

// The event rules that keep every converter field an encoding of field 1.
class FieldRules : public FieldEvents {
 public:
  explicit FieldRules(FieldWindow& window) : window_(window) {}

  void onWindowCreated() override;
  void onKeyReleased(int field) override;
  void onTextChanged(int field) override;

  // Recomputes fields 2 to 18 in order from field 1, skipping the field that
  // key names. The key is read anew before each field, and so is field 1.
  void refreshFieldsExcept(const SourceKey& key);
  void onPlainTextChanged();

  const SourceKey& currentSource() const { return currentSource_; }

 private:
  FieldWindow& window_;
  SourceKey currentSource_;
};

}  // namespace varnelo
