#pragma once
#include <QWidget>
#include <array>

#include "app/field_registry.h"
#include "app/field_window.h"

namespace varnelo {

class FieldEdit;

// The program's one window, built from the field registry.
class MainWindow : public QWidget, public FieldWindow {
  Q_OBJECT
 public:
  MainWindow();
  void connect(FieldEvents& events) { events_ = &events; }

  FieldText getFieldText(int field) override;
  void setFieldText(int field, const FieldText& text) override;
  bool fieldHasFocus(int field) override;
  using QWidget::setWindowTitle;
  void setWindowTitle(const FieldText& title) override;

  FieldEdit* field(int number) const { return fields_.at(number - 1).edit; }

 private:
  struct Field {
    FieldEdit* edit = nullptr;
    // The bytes last written or read; they stand until the user edits the
    // field, so that bytes a widget cannot show survive unchanged.
    FieldText text;
    bool editedSinceRead = false;
    // The widget shows exactly `text` as written, untouched by the user since.
    bool showsWrittenText = false;
    bool beingWritten = false;
  };

  void onUserChange(int field);

  std::array<Field, FIELD_COUNT> fields_;
  FieldEvents* events_ = nullptr;
};

}  // namespace varnelo
