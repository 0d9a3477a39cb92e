#include <QApplication>

#include "app/field_edit.h"
#include "app/field_rules.h"
#include "app/main_window.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  varnelo::MainWindow window;
  varnelo::FieldRules rules(window);
  window.connect(rules);
  window.show();
  window.field(varnelo::PLAIN_TEXT_FIELD)->setFocus();
  rules.onWindowCreated();
  return QApplication::exec();
}
