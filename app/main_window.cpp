#include "app/main_window.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QShortcut>

#include "app/field_display.h"
#include "app/field_edit.h"
#include "native/codepage936.h"

namespace varnelo {
namespace {

QFont fieldFont() {
  QFont font;
  font.setFamilies({"WenQuanYi Micro Hei", "Noto Sans CJK SC", "Droid Sans Fallback"});
  font.setPixelSize(12);
  font.setWeight(QFont::Normal);
  return font;
}

void place(QWidget* widget, const Geometry& geometry) {
  widget->setGeometry(geometry.x, geometry.y, geometry.width, geometry.height);
}

QString shownText(const FieldText& text) {
  std::u16string shown = fieldTextToDisplay(text);
  return QString::fromUtf16(shown.data(), static_cast<qsizetype>(shown.size()));
}

}  // namespace

MainWindow::MainWindow()
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint) {
  QWidget::setWindowTitle(QString::fromUtf8(INITIAL_CAPTION));
  setFixedSize(CLIENT_WIDTH, CLIENT_HEIGHT);

  QPalette labelPalette = palette();
  labelPalette.setColor(QPalette::Window, QColor(0xF0, 0xF0, 0xF0));
  labelPalette.setColor(QPalette::WindowText, Qt::black);
  QPalette fieldPalette = palette();
  fieldPalette.setColor(QPalette::Base, Qt::white);
  fieldPalette.setColor(QPalette::Text, Qt::black);

  for (const ConversionField& row : FIELD_REGISTRY) {
    auto* label = new QLabel(QString::fromStdString(drawnLabel(row.label)), this);
    label->setObjectName(QString::fromUtf8(row.labelControl));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setAutoFillBackground(true);
    label->setPalette(labelPalette);
    place(label, row.labelGeometry);

    Field& field = fields_.at(row.number - 1);
    field.edit = new FieldEdit(row.number, this);
    field.edit->setObjectName(QString::fromUtf8(row.control));
    field.edit->setFont(fieldFont());
    field.edit->setPalette(fieldPalette);
    place(field.edit, row.geometry);
    QObject::connect(field.edit, &FieldEdit::keyReleased, this, [this](int number) {
      if (events_) events_->onKeyReleased(number);
    });
    QObject::connect(field.edit, &QPlainTextEdit::textChanged, this,
                     [this, number = row.number] { onUserChange(number); });
  }
  Field& plain = fields_.at(PLAIN_TEXT_FIELD - 1);
  plain.beingWritten = true;
  plain.text = INITIAL_PLAIN_TEXT;
  plain.edit->showText(shownText(plain.text));
  plain.showsWrittenText = true;
  plain.beingWritten = false;

  auto* linkBox = new QLabel(this);
  linkBox->setObjectName(QString::fromUtf8(LINK_BOX_CONTROL));
  place(linkBox, LINK_BOX_GEOMETRY);

  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  QObject::connect(escape, &QShortcut::activated, this, &QWidget::close);

  if (QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

FieldText MainWindow::getFieldText(int number) {
  Field& field = fields_.at(number - 1);
  if (field.editedSinceRead) {
    // toRawText keeps U+00A0, which toPlainText would turn into a space.
    std::u16string shown = field.edit->document()->toRawText().toStdU16String();
    field.text = displayToFieldText(shown);
    field.editedSinceRead = false;
  }
  return field.text;
}

void MainWindow::setFieldText(int number, const FieldText& text) {
  Field& field = fields_.at(number - 1);
  // Showing a text again that the widget already shows as written would only
  // lay out the same text anew: seconds for a few megabytes, on every key release.
  if (!(field.showsWrittenText && field.text == text)) {
    field.beingWritten = true;
    field.text = text;
    field.editedSinceRead = false;
    field.edit->showText(shownText(text));
    field.showsWrittenText = true;
    field.beingWritten = false;
  }
  if (events_) events_->onTextChanged(number);
}

bool MainWindow::fieldHasFocus(int number) { return field(number)->hasFocus(); }

void MainWindow::setWindowTitle(const FieldText& title) {
  std::u16string units = decodeCp936(title);
  QWidget::setWindowTitle(QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size())));
}

void MainWindow::onUserChange(int number) {
  Field& field = fields_.at(number - 1);
  if (field.beingWritten) return;
  field.editedSinceRead = true;
  field.showsWrittenText = false;
  if (events_) events_->onTextChanged(number);
}

}  // namespace varnelo
