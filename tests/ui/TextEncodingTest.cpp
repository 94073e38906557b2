// Names with accents through the grids and the datafile: the cells show Unicode, the model and
// the files keep Windows-1252 bytes.

#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include "UiTest.h"
#include "ui/GeneralData.h"

namespace planaq::test {
namespace {

// Types text into column 1 of the row with the cell editor and leaves the cell with Enter.
void TypeInto(ui::StringGrid* grid, int row, const QString& text) {
  grid->Select(1, row);
  grid->OpenEditor();
  auto* editor = grid->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  editor->selectAll();
  for (const QChar c : text) {  // as a keyboard layout with these characters sends them
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(editor, &press);
    QApplication::sendEvent(editor, &release);
  }
  QTest::keyClick(editor, Qt::Key_Return);
}

struct ShownCase {
  const char* name;
  std::string bytes;  // the problem name in the datafile
  const char* shown;  // UTF-8
};

class NameFromDatafile : public MainWindowTest, public ::testing::WithParamInterface<ShownCase> {};

TEST_P(NameFromDatafile, ShowsDecodedAndSavesBackByteForByte) {
  Problem p = SquareProblem(0, 0);
  p.ProblemName = GetParam().bytes;
  const std::string path = WriteProblem(dir, "named.aqd", p);
  const std::string before = ReadFile(path);
  ASSERT_NE(before.find("\n" + GetParam().bytes + ",\n"), std::string::npos);

  dialogs.AnswerFile(path);
  form->SpeedButtonOpenClick();
  ui::StringGrid* g = Grid("GeneralGrid");
  EXPECT_EQ(g->Cell(1, ui::kRowProblemName), QString::fromUtf8(GetParam().shown));
  g->Select(1, ui::kRowProblemName);
  EXPECT_TRUE(g->MoveTo(1, ui::kRowLX)) << "passing through the cell changes nothing";
  EXPECT_EQ(form->problem().ProblemName, GetParam().bytes);

  dialogs.AnswerFile(path);
  form->SpeedButtonSaveClick();
  EXPECT_EQ(ReadFile(path), before);
}

INSTANTIATE_TEST_SUITE_P(
    Names, NameFromDatafile,
    ::testing::Values(
        ShownCase{"Accents", "Grundwasser D\xFCsseldorf \x96 \xD8 3 m\xB3",
                  "Grundwasser D\u00FCsseldorf \u2013 \u00D8 3 m\u00B3"},
        ShownCase{"Undefined", std::string("Polder \x81\x8D\x8F\x90\x9D\x01 Nord"),
                  "Polder ?????? Nord"}),
    [](const auto& info) { return std::string(info.param.name); });

struct TypedCase {
  const char* name;
  const char* typed;  // UTF-8
  std::string stored;
};

class NameTyped : public MainWindowTest, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(NameTyped, IsStoredAndSavedInWindows1252) {
  form->show();
  ui::StringGrid* g = Grid("GeneralGrid");
  TypeInto(g, ui::kRowProblemName, QString::fromUtf8(GetParam().typed));
  EXPECT_EQ(form->problem().ProblemName, GetParam().stored);
  EXPECT_EQ(g->Cell(1, ui::kRowProblemName),
            QString::fromUtf8(GetParam().typed).left(60).replace(QChar(0x2260), QChar('?')));

  dialogs.AnswerFile(dir.File("typed.aqd"));
  form->SpeedButtonSaveClick();
  EXPECT_NE(ReadFile(dir.File("typed.aqd")).find("\n" + GetParam().stored + ",\n"),
            std::string::npos);
}

std::string Repeated(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

INSTANTIATE_TEST_SUITE_P(
    Names, NameTyped,
    ::testing::Values(
        TypedCase{"OutsideTheCodePage", "Zo\u00EB's polder \u2260 5", "Zo\xEB's polder ? 5"},
        TypedCase{"SixtyAccentedCharacters",
                  "\u00C4\u00E9\u00C4\u00E9\u00C4\u00E9\u00C4\u00E9\u00C4\u00E9"
                  "\u00C4\u00E9\u00C4\u00E9\u00C4\u00E9\u00C4\u00E9\u00C4\u00E9"
                  "\u00C4\u00E9\u00C4\u00E9\u00C4\u00E9\u00C4\u00E9\u00C4\u00E9"
                  "\u00C4\u00E9\u00C4\u00E9\u00C4\u00E9\u00C4\u00E9\u00C4\u00E9"
                  "\u00C4\u00E9\u00C4\u00E9\u00C4\u00E9\u00C4\u00E9\u00C4\u00E9"
                  "\u00C4\u00E9\u00C4\u00E9\u00C4\u00E9\u00C4\u00E9\u00C4\u00E9"
                  "\u00FC\u00FC\u00FC\u00FC\u00FC",
                  Repeated("\xC4\xE9", 30)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, TypedUserNameGoesToTheInstallationFileInWindows1252) {
  form->show();
  ui::StringGrid* g = Grid("InstallationGrid");
  TypeInto(g, 0, QString::fromUtf8("J\u00F6rg M\u00FCller"));
  EXPECT_EQ(form->problem().UserName, "J\xF6rg M\xFCller");
  EXPECT_NE(ReadFile(dir.File("PLANAQ.txt")).find("\nJ\xF6rg M\xFCller,\n"), std::string::npos);
  EXPECT_EQ(g->Cell(1, 0), QString::fromUtf8("J\u00F6rg M\u00FCller"));
}

}  // namespace
}  // namespace planaq::test
