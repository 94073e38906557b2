#pragma once
// The grid of the data windows (nodes, elements, block properties, wells, particles). It holds
// no copy of the table: a table model asks its window for the text of a cell when the view
// paints it, so only the rows in view are ever formatted, and every repaint shows the problem
// as it is. Grid row 0 is the heading row (drawn by the header, so it stays in view) and
// grid row i is model row i - 1.
//
// What all data grids share is here: fixed columns drawn in the fixed colour, the check when
// the selection leaves a cell (which may keep the selection there), Enter moving down with
// wrap-around and the editor open, and the lowercase-c copy key. The text typed into a cell
// is held by the model until the cell is left; the window's check then stores it in the
// problem (or refuses it) and the cell shows the problem again.

#include <QAbstractTableModel>
#include <QBrush>
#include <QPointer>
#include <QTableView>
#include <functional>
#include <string>
#include <vector>

namespace planaq::ui {

struct GridColumn {
  std::string heading;  // Windows-1252
  int width = 60;       // pixels
  bool fixed = false;   // shown in the fixed colour, never selected or edited
};

class DataGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // the text of a cell of a data row (grid row >= 1), Windows-1252
  using CellSource = std::function<std::string(int col, int row)>;

  explicit DataGridModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

  void SetSource(CellSource source) { source_ = std::move(source); }
  void SetColumns(std::vector<GridColumn> columns);
  const std::vector<GridColumn>& Columns() const { return columns_; }
  void SetDataRows(int rows);
  int DataRows() const { return rows_; }
  void SetFixedBrush(const QBrush& brush) { fixedBrush_ = brush; }

  // The text of a cell as shown: what was typed into it, else the problem's.
  QString Text(int col, int row) const;
  // Text typed into a cell that has not been left yet (one cell at a time).
  void SetTyped(int col, int row, const QString& text);
  bool HasTyped() const { return typedRow_ > 0; }
  bool TypedAt(int col, int row) const { return col == typedCol_ && row == typedRow_; }
  // The typed text is forgotten and the cell shows the problem again.
  void DropTyped();
  // Every cell shows the problem again (the view asks for the rows in view only).
  void Reread();
  // Grid rows first..last show the problem again; text typed in another row stays.
  void RereadRows(int first, int last);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  CellSource source_;
  std::vector<GridColumn> columns_;
  int rows_ = 0;
  QBrush fixedBrush_;
  int typedCol_ = -1, typedRow_ = -1;
  QString typed_;
};

class DataGrid : public QTableView {
  Q_OBJECT

 public:
  // Called before the selection moves to (col, row); Col() and Row() still name the cell
  // being left. Returning false keeps the selection there.
  using SelectCellHandler = std::function<bool(int col, int row)>;

  explicit DataGrid(QWidget* parent = nullptr);

  DataGridModel& Model() { return *model_; }
  // columns with their headings, widths and fixed flags; an open editor is closed unstored
  void SetColumns(std::vector<GridColumn> columns);
  // NN + 1 rows and the like: the heading row and the data rows
  void SetRowCount(int rows);
  int RowCount() const { return model_->DataRows() + 1; }
  int ColCount() const { return model_->columnCount(); }
  void SetRowHeight(int pixels);
  int RowHeight() const { return rowHeight_; }
  // The grid's size when it shows the heading row and at most maxDataRows rows; with more
  // rows it scrolls, and the scroll bar is added to the width.
  QSize SizeFor(int maxDataRows);

  // Cells[col][row] as shown; SetCell types a text into a cell.
  QString Cell(int col, int row) const { return model_->Text(col, row); }
  std::string CellText(int col, int row) const;
  void SetCell(int col, int row, const QString& text) { model_->SetTyped(col, row, text); }

  int Col() const { return currentIndex().isValid() ? currentIndex().column() : -1; }
  int Row() const { return currentIndex().isValid() ? currentIndex().row() + 1 : -1; }
  // Moves the selection without the check; an open editor and typed text are dropped.
  void Select(int col, int row);
  // Moves the selection as the user would: the check runs and may refuse.
  bool MoveTo(int col, int row);

  void OnSelectCell(SelectCellHandler handler) { onSelectCell_ = std::move(handler); }
  // The lowercase c copies the cell above in every column before limitCol (-1: all columns).
  void EnableCopyKey(int limitCol = -1) {
    copyKey_ = true;
    copyLimitCol_ = limitCol;
  }

  // Enter: next row in the same column, from the last row back to row 1, editor open.
  void EnterKey();
  // lowercase c: the text of the row above (on row 1: the last row) into this cell, then on
  // as Enter does. Returns false where the key is an ordinary character.
  bool CopyKey();
  bool CopyKeyApplies() const;
  void OpenEditor();
  bool Editing() const { return state() == EditingState; }
  // closes an open editor without storing its text
  void DiscardEdit();
  // closes an open editor, its text held as typed
  void CommitEdit();
  // the editor the delegate made last, while it is open
  void EditorOpened(QWidget* editor) { editor_ = editor; }

 protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

 private:
  bool Fixed(int col) const;
  // index itself when it takes entries, else the next cell that does (the previous one when
  // not forward); invalid when there is none
  QModelIndex EditableFrom(const QModelIndex& index, bool forward) const;
  void KeepSelectionInside();
  int NextRow() const;
  // the check of the cell being left when the move comes back to it
  void CheckInPlace();

  DataGridModel* model_;
  int rowHeight_ = 17;
  bool copyKey_ = false;
  int copyLimitCol_ = -1;
  bool moving_ = false;  // a refused move is undone without a second check
  SelectCellHandler onSelectCell_;
  QPointer<QWidget> editor_;
};

}  // namespace planaq::ui
