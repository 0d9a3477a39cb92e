#include "app/field_edit.h"

#include <QKeyEvent>

namespace varnelo {

FieldEdit::FieldEdit(int number, QWidget* parent) : QPlainTextEdit(parent), number_(number) {
  setTabChangesFocus(true);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setFrameShape(QFrame::StyledPanel);
  setFrameShadow(QFrame::Sunken);
}

void FieldEdit::keyReleaseEvent(QKeyEvent* event) {
  // A held key repeats its press but comes up once.
  if (!event->isAutoRepeat()) emit keyReleased(number_);
  QPlainTextEdit::keyReleaseEvent(event);
}

}  // namespace varnelo
