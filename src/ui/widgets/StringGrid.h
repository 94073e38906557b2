#pragma once
// The grid that every table of the program is shown in: fixed rows and columns, text per
// cell, a check when the selection leaves a cell that may keep the selection there, Enter
// moving down (wrapping) with the editor open, and the lowercase-c copy key where a grid
// has it. Each window supplies its columns, formats and checks.

#include <QTableWidget>
#include <functional>

namespace planaq::ui {

class StringGrid : public QTableWidget {
  Q_OBJECT

 public:
  // Called before the selection moves to (col, row); Col() and Row() still name the cell
  // being left. Returning false keeps the selection there.
  using SelectCellHandler = std::function<bool(int col, int row)>;

  StringGrid(int cols, int rows, QWidget* parent = nullptr);

  void SetFixed(int fixedCols, int fixedRows);
  int FixedCols() const { return fixedCols_; }
  int FixedRows() const { return fixedRows_; }
  void SetRowCount(int rows);

  // Cells[col][row], as the tables are read everywhere in the program
  QString Cell(int col, int row) const;
  void SetCell(int col, int row, const QString& text);
  // The program's texts are Windows-1252: a cell shows them decoded and gives back what it
  // holds encoded, characters the code page lacks as "?".
  std::string CellText(int col, int row) const;
  // The same, but a cell that still shows held gives held back unchanged, so bytes that only
  // show as "?" survive a visit to the cell.
  std::string CellText(int col, int row, const std::string& held) const;
  void SetCellText(int col, int row, const std::string& text);

  int Col() const { return currentColumn(); }
  int Row() const { return currentRow(); }
  // Moves the selection without running the check.
  void Select(int col, int row);
  // Moves the selection as the user would: the check runs and may refuse.
  bool MoveTo(int col, int row);

  void SetColumnWidth(int col, int pixels) { setColumnWidth(col, pixels); }
  void OnSelectCell(SelectCellHandler handler) { onSelectCell_ = std::move(handler); }
  // The lowercase c copies the cell above in every column before limitCol (-1: all columns).
  void EnableCopyKey(int limitCol = -1) {
    copyKey_ = true;
    copyLimitCol_ = limitCol;
  }

  // Enter: next row in the same column, from the last row back to the first editable one,
  // with the cell editor open.
  void EnterKey();
  // lowercase c: the text of the row above (from the first editable row: the last row) into
  // this cell, then on as Enter does. Returns false where the key is an ordinary character.
  bool CopyKey();
  bool CopyKeyApplies() const;
  void OpenEditor();
  bool Editing() const { return state() == EditingState; }

 protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;

 private:
  void ApplyFixedFlags();
  int NextRow() const;
  QTableWidgetItem* ItemAt(int col, int row);

  int fixedCols_ = 0;
  int fixedRows_ = 0;
  bool copyKey_ = false;
  int copyLimitCol_ = -1;
  bool moving_ = false;  // a refused move is undone without a second check
  SelectCellHandler onSelectCell_;
};

}  // namespace planaq::ui
