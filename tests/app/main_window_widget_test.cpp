#include "app/main_window.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <vector>

#include "app/field_edit.h"
#include "app/field_rules.h"

namespace varnelo {
namespace {

// Stands between the rules and the real window and records every write, with
// the source key the rules held at that moment.
class RecordingWindow : public FieldWindow {
 public:
  explicit RecordingWindow(MainWindow& window) : window_(window) {}
  void watch(const FieldRules& rules) { rules_ = &rules; }

  FieldText getFieldText(int field) override { return window_.getFieldText(field); }
  void setFieldText(int field, const FieldText& text) override {
    writes.push_back({field, rules_ ? rules_->currentSource() : ""});
    window_.setFieldText(field, text);
  }
  bool fieldHasFocus(int field) override { return window_.fieldHasFocus(field); }
  void setWindowTitle(const FieldText& title) override { window_.setWindowTitle(title); }

  struct Write {
    int field;
    SourceKey sourceDuringWrite;
  };
  std::vector<Write> writes;

 private:
  MainWindow& window_;
  const FieldRules* rules_ = nullptr;
};

class MainWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    window.connect(rules);
    recorder.watch(rules);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    rules.onWindowCreated();
    recorder.writes.clear();
  }

  void focus(int field) {
    window.field(field)->setFocus();
    QCoreApplication::processEvents();
  }

  std::vector<int> writtenFields() const {
    std::vector<int> fields;
    for (const auto& write : recorder.writes) fields.push_back(write.field);
    return fields;
  }

  MainWindow window;
  RecordingWindow recorder{window};
  FieldRules rules{recorder};
};

std::vector<int> convertersExcept(int skipped) {
  std::vector<int> fields;
  for (int field = 2; field <= FIELD_COUNT; ++field)
    if (field != skipped) fields.push_back(field);
  return fields;
}

TEST_F(MainWindowTest, IsBuiltFromTheRegistry) {
  EXPECT_EQ(window.windowTitle(), QString::fromUtf8(WINDOW_TITLE));
  EXPECT_EQ(window.size(), QSize(CLIENT_WIDTH, CLIENT_HEIGHT));
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
  EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
  for (const ConversionField& row : FIELD_REGISTRY) {
    SCOPED_TRACE(row.number);
    auto* edit = window.findChild<FieldEdit*>(QString::fromUtf8(row.control));
    ASSERT_EQ(edit, window.field(row.number));
    EXPECT_EQ(edit->geometry(), QRect(row.geometry.x, row.geometry.y, row.geometry.width, row.geometry.height));
    auto* label = window.findChild<QLabel*>(QString::fromUtf8(row.labelControl));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->geometry().topLeft(), QPoint(row.labelGeometry.x, row.labelGeometry.y));
  }
  EXPECT_EQ(window.findChild<QLabel*>("标签4")->text(), "&#XXXXX;");
  EXPECT_EQ(window.getFieldText(1), "Varnelo");
  EXPECT_EQ(window.getFieldText(13), "Varnelo");  // escape leaves letters alone
  EXPECT_EQ(window.getFieldText(15), "Varnelo");
}

TEST_F(MainWindowTest, KeyReleaseInFieldOneRefreshesEveryConverterFieldInOrder) {
  focus(1);
  QTest::keyClick(window.field(1), Qt::Key_End);
  QTest::keyClicks(window.field(1), " a b");
  recorder.writes.clear();
  QTest::keyRelease(window.field(1), Qt::Key_Right);
  EXPECT_EQ(writtenFields(), convertersExcept(0));
  EXPECT_EQ(window.getFieldText(1), "Varnelo a b");
  EXPECT_EQ(window.getFieldText(13), "Varnelo%20a%20b");
}

TEST_F(MainWindowTest, AHeldKeyComesUpOnce) {
  focus(1);
  QTest::sendKeyEvent(QTest::KeyAction::Release, window.field(1), Qt::Key_A, 'a', Qt::NoModifier);
  const size_t afterOneRelease = recorder.writes.size();
  QKeyEvent repeated(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, "a", /*autorep=*/true);
  QCoreApplication::sendEvent(window.field(1), &repeated);
  EXPECT_EQ(afterOneRelease, 17u);
  EXPECT_EQ(recorder.writes.size(), afterOneRelease);
}

TEST_F(MainWindowTest, KeyReleaseInAConverterFieldDecodesIntoFieldOne) {
  focus(13);
  window.field(13)->selectAll();
  QTest::keyClicks(window.field(13), "a%20b%");
  recorder.writes.clear();
  QTest::keyRelease(window.field(13), Qt::Key_Shift);

  ASSERT_FALSE(recorder.writes.empty());
  EXPECT_EQ(recorder.writes.front().field, 1);
  EXPECT_EQ(recorder.writes.front().sourceDuringWrite, "escape");
  std::vector<int> written = writtenFields();
  std::vector<int> refreshed(written.begin() + 1, written.end());
  EXPECT_EQ(refreshed, convertersExcept(13));
  for (const auto& write : recorder.writes) EXPECT_EQ(write.sourceDuringWrite, "escape");
  EXPECT_EQ(rules.currentSource(), "");
  EXPECT_EQ(window.getFieldText(1), "a b%");
  EXPECT_EQ(window.getFieldText(13), "a%20b%");  // left as typed, not re-encoded
  EXPECT_EQ(window.getFieldText(15), "a b%");
}

TEST_F(MainWindowTest, ChangingFieldOneWhileItHasTheFocusRefreshesNothing) {
  focus(1);
  window.field(1)->insertPlainText("x");  // a paste, without a key release
  EXPECT_TRUE(recorder.writes.empty());
  EXPECT_EQ(window.getFieldText(13), "Varnelo");
}

TEST_F(MainWindowTest, WritingTheSameTextRaisesTextChangedAgain) {
  focus(2);
  recorder.setFieldText(1, "Varnelo");
  recorder.setFieldText(1, "Varnelo");
  EXPECT_EQ(writtenFields().size(), 2u + 2 * 17);
}

TEST_F(MainWindowTest, TheSameTextWrittenAgainIsNotShownAnewUnlessTheUserChangedIt) {
  window.setFieldText(9, "abc");
  window.field(9)->moveCursor(QTextCursor::End);
  window.setFieldText(9, "abc");
  EXPECT_EQ(window.field(9)->textCursor().position(), 3);

  focus(9);
  window.field(9)->insertPlainText(QString::fromUtf8("가"));  // not in code page 936
  EXPECT_EQ(window.getFieldText(9), "abc?");
  window.setFieldText(9, "abc?");
  EXPECT_EQ(window.field(9)->toPlainText(), "abc?");
}

TEST_F(MainWindowTest, TabMovesTheFocusAndItsReleaseDecodesTheNewField) {
  focus(12);
  QTest::keyPress(window.field(12), Qt::Key_Tab);
  ASSERT_TRUE(window.fieldHasFocus(13));
  QTest::keyRelease(window.field(13), Qt::Key_Tab);
  ASSERT_FALSE(recorder.writes.empty());
  EXPECT_EQ(recorder.writes.front().sourceDuringWrite, "escape");
}

TEST_F(MainWindowTest, EnterInsertsACrLfLineBreak) {
  focus(1);
  QTest::keyClick(window.field(1), Qt::Key_End);
  QTest::keyClick(window.field(1), Qt::Key_Return);
  QTest::keyClicks(window.field(1), "x");
  EXPECT_EQ(window.getFieldText(1), "Varnelo\r\nx");
  EXPECT_EQ(window.getFieldText(13), "Varnelo%0D%0Ax");
}

TEST_F(MainWindowTest, LongRunsWithoutWhiteSpaceWrapAnywhereSoTheyCanBeLaidOut) {
  window.setFieldText(9, FieldText(5000, 'Q'));
  EXPECT_EQ(window.field(9)->wordWrapMode(), QTextOption::WrapAnywhere);
  window.setFieldText(9, "short words wrap at their boundaries");
  EXPECT_EQ(window.field(9)->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);

  QGuiApplication::clipboard()->setText(QString(5000, u'Q'));
  focus(9);
  window.field(9)->paste();
  EXPECT_EQ(window.field(9)->wordWrapMode(), QTextOption::WrapAnywhere);
}

TEST_F(MainWindowTest, EscapeClosesTheWindow) {
  focus(5);
  QTest::keyClick(window.field(5), Qt::Key_Escape);
  EXPECT_FALSE(window.isVisible());
}

TEST_F(MainWindowTest, WrittenBytesComeBackExactlyAndSurviveAnEdit) {
  // The UTF-8 bytes of "中" and a lone CR are not text a widget can hold as such.
  const FieldText written = "\xE4\xB8\xAD\r";
  window.setFieldText(15, written);
  EXPECT_EQ(window.getFieldText(15), written);

  focus(15);
  QTest::keyClick(window.field(15), Qt::Key_Home);
  QTest::keyClicks(window.field(15), "A");
  EXPECT_EQ(window.getFieldText(15), "A\xE4\xB8\xAD\r\n");
  QTest::keyRelease(window.field(15), Qt::Key_A);
  EXPECT_EQ(window.getFieldText(1), "A\xD6\xD0\r\n");
}

}  // namespace
}  // namespace varnelo
