#pragma once
// What the data grid window tests share: a datafile opened in the main window, one grid window
// shown, typing into its cells and leaving them as a user does, and the lines of the datafile
// that Save writes afterwards compared with the file opened.

#include <QLineEdit>
#include <QTest>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "UiTest.h"
#include "ui/grids/DataGrid.h"

namespace planaq::test {

inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::stringstream s(text);
  for (std::string line; std::getline(s, line);) lines.push_back(line);
  return lines;
}

enum class Leave { Mouse, Enter, ArrowDown, Tab };

class GridWindowFixture : public MainWindowTest {
 protected:
  void OpenFile(Problem p, const char* name) {
    path = WriteProblem(dir, name, std::move(p));
    before = ReadAll(path);
    dialogs.AnswerFile(path);
    form->SpeedButtonOpenClick();
    ASSERT_TRUE(dialogs.messages.empty()) << LastMessage();
  }
  template <class Window>
  Window* ShowWindow(ui::Win w, void (ui::TFormFem::*command)()) {
    (form.get()->*command)();
    auto* window = static_cast<Window*>(form->Window(w));
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
    grid = window->Grid();
    return window;
  }
  QPoint CellCentre(int col, int row) const {
    return grid->visualRect(grid->model()->index(row - 1, col)).center();
  }
  void Click(int col, int row) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(col, row));
  }
  // types into the selected cell through its editor
  void Type(const char* text) {
    if (!grid->Editing()) grid->OpenEditor();
    auto* editor = qobject_cast<QLineEdit*>(Editor());
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, text);
  }
  // the open cell editor (a closed one waits for its deletion), else the grid
  QWidget* Editor() const {
    for (QLineEdit* editor : grid->findChildren<QLineEdit*>())
      if (editor->isVisible()) return editor;
    return grid;
  }
  void LeaveBy(Leave how, int col, int row) {
    switch (how) {
      case Leave::Mouse:
        Click(col, row < grid->RowCount() - 1 ? row + 1 : row - 1);
        break;
      case Leave::Enter:
        QTest::keyClick(Editor(), Qt::Key_Return);
        break;
      case Leave::ArrowDown:
        QTest::keyClick(Editor(), Qt::Key_Down);
        break;
      case Leave::Tab:
        QTest::keyClick(Editor(), Qt::Key_Tab);
        break;
    }
  }
  // the lines of the datafile that Save writes now and that differ from the file opened
  std::vector<std::string> SavedChanges() {
    dialogs.AnswerFile(path);
    form->SpeedButtonSaveClick();
    const std::vector<std::string> a = Lines(before), b = Lines(ReadAll(path));
    EXPECT_EQ(a.size(), b.size());
    std::vector<std::string> changed;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
      if (a[i] != b[i]) changed.push_back(b[i]);
    return changed;
  }

  std::string path;
  std::string before;
  ui::DataGrid* grid = nullptr;
};

}  // namespace planaq::test
