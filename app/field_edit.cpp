#include "app/field_edit.h"

#include <QKeyEvent>
#include <QMimeData>

namespace varnelo {
namespace {

// Qt's word-boundary wrapping takes time quadratic in the length of a run
// without white space (a 1 MB line of escapes: a minute); such text wraps
// anywhere instead, which lays out 1 MB in a fraction of a second.
constexpr qsizetype LONGEST_WORD_WRAPPED_RUN = 1000;

bool hasLongUnbrokenRun(const QString& text) {
  qsizetype run = 0;
  for (QChar c : text) {
    run = c.isSpace() ? 0 : run + 1;
    if (run > LONGEST_WORD_WRAPPED_RUN) return true;
  }
  return false;
}

}  // namespace

FieldEdit::FieldEdit(int number, QWidget* parent) : QPlainTextEdit(parent), number_(number) {
  setTabChangesFocus(true);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setFrameShape(QFrame::StyledPanel);
  setFrameShadow(QFrame::Sunken);
}

void FieldEdit::showText(const QString& text) {
  const auto mode = hasLongUnbrokenRun(text) ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere;
  if (mode != wordWrapMode()) {
    // A new mode lays out the text already there: empty the field first.
    clear();
    setWordWrapMode(mode);
  }
  setPlainText(text);
}

void FieldEdit::insertFromMimeData(const QMimeData* source) {
  if (source->hasText() && hasLongUnbrokenRun(source->text())) setWordWrapMode(QTextOption::WrapAnywhere);
  QPlainTextEdit::insertFromMimeData(source);
}

void FieldEdit::keyReleaseEvent(QKeyEvent* event) {
  // A held key repeats its press but comes up once.
  if (!event->isAutoRepeat()) emit keyReleased(number_);
  QPlainTextEdit::keyReleaseEvent(event);
}

}  // namespace varnelo
