#pragma once
#include <QPlainTextEdit>

namespace varnelo {

// One field of the window: a word-wrapping multi-line editor whose key
// releases are reported with the field's number.
class FieldEdit : public QPlainTextEdit {
  Q_OBJECT
 public:
  FieldEdit(int number, QWidget* parent);
  int number() const { return number_; }

 signals:
  void keyReleased(int field);

 protected:
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  int number_;
};

}  // namespace varnelo
