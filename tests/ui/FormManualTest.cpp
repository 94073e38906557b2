// The Manual window as the user drives it: the page selector, the help key, and printing the
// manual through a scripted print dialog.

#include <QComboBox>
#include <QLineEdit>
#include <QtTest/QTest>
#include <filesystem>
#include <regex>

#include "UiTest.h"
#include "ui/figures/FormManual.h"

namespace planaq::test {
namespace {

class ManualTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Button("SpeedButtonManual")->click();
    manual = form->findChild<ui::TFormManual*>(QStringLiteral("FormManual"));
    ASSERT_NE(manual, nullptr);
    selector = manual->findChild<QComboBox*>(QStringLiteral("ComboBoxPage"));
    ASSERT_NE(selector, nullptr);
  }
  QToolButton* ManualButton(const char* name) const {
    return manual->findChild<QToolButton*>(QString::fromLatin1(name));
  }
  void Type(const char* text) {
    selector->lineEdit()->setText(QString::fromLatin1(text));
    QTest::keyClick(selector->lineEdit(), Qt::Key_Return);
  }

  ui::TFormManual* manual = nullptr;
  QComboBox* selector = nullptr;
};

int PdfPageCount(const std::string& path) {
  const std::string pdf = ReadFile(path);
  const std::regex page("/Type\\s*/Page[^s]");
  return static_cast<int>(
      std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

TEST_F(ManualTest, OpensOnPageOneWithThirteenPagesToChoose) {
  EXPECT_TRUE(manual->isVisible());
  EXPECT_EQ(manual->size(), QSize(770, 580));
  EXPECT_EQ(manual->CurrentPage(), 1);
  ASSERT_EQ(selector->count(), 13);
  EXPECT_EQ(selector->itemText(0), QStringLiteral(" 1"));
  EXPECT_EQ(selector->itemText(12), QStringLiteral("13"));
  EXPECT_EQ(ManualButton("SpeedButtonPrint")->toolTip(), QStringLiteral("Print Manual"));
  EXPECT_EQ(ManualButton("SpeedButtonHelp")->toolTip(), QStringLiteral("Help on Manual"));
}

TEST_F(ManualTest, TypedPageIsHeldToOneAndThirteenAndDrawnAtOnce) {
  const QImage first = manual->Image();
  Type("14");
  EXPECT_EQ(manual->CurrentPage(), 13);
  EXPECT_EQ(selector->currentText(), QStringLiteral("13"));
  EXPECT_NE(manual->Image(), first) << "page 13 is drawn without waiting for a repaint";
  Type("0");
  EXPECT_EQ(manual->CurrentPage(), 1);
  EXPECT_EQ(selector->currentText(), QStringLiteral(" 1"));
  EXPECT_EQ(manual->Image(), first);
  Type("8");
  EXPECT_EQ(manual->CurrentPage(), 8);
  selector->activated(4);
  EXPECT_EQ(manual->CurrentPage(), 5);
}

TEST_F(ManualTest, HelpKeyShowsItsText) {
  ManualButton("SpeedButtonHelp")->click();
  EXPECT_EQ(LastMessage(),
            "Manual\n\nThis window shows a manual of the program, including a description of its "
            "operation. The manual can be printed by clicking the PRINT key in this window.");
}

TEST_F(ManualTest, PrintWritesTwelvePagesAndCancelWritesNothing) {
  ManualButton("SpeedButtonPrint")->click();  // no answer scripted: the dialog is cancelled
  EXPECT_EQ(dialogs.printDialogs, 1);
  for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
    EXPECT_NE(entry.path().extension(), ".pdf") << entry.path();

  const std::string pdf = dir.File("manual.pdf");
  dialogs.AnswerPrint(pdf);
  ManualButton("SpeedButtonPrint")->click();
  EXPECT_EQ(dialogs.printDialogs, 2);
  EXPECT_EQ(PdfPageCount(pdf), 12);
  EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace
}  // namespace planaq::test
