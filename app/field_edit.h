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

  // Replaces the whole text, choosing a wrap mode the text can be laid out in.
  void showText(const QString& text);

 signals:
  void keyReleased(int field);

 protected:
  void keyReleaseEvent(QKeyEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;

 private:
  int number_;
};

}  // namespace varnelo
