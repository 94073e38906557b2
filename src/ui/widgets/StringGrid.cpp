#include "ui/widgets/StringGrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

#include "model/Windows1252.h"
#include "ui/widgets/GridKeysDelegate.h"

namespace planaq::ui {

StringGrid::StringGrid(int cols, int rows, QWidget* parent) : QTableWidget(rows, cols, parent) {
  horizontalHeader()->hide();
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(20);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed |
                  QAbstractItemView::EditKeyPressed);
  setItemDelegate(new GridKeysDelegate<StringGrid>(this));
  ApplyFixedFlags();
}

void StringGrid::SetFixed(int fixedCols, int fixedRows) {
  fixedCols_ = fixedCols;
  fixedRows_ = fixedRows;
  ApplyFixedFlags();
}

void StringGrid::SetRowCount(int rows) {
  setRowCount(rows);
  ApplyFixedFlags();
}

QTableWidgetItem* StringGrid::ItemAt(int col, int row) {
  QTableWidgetItem* cell = item(row, col);
  if (!cell) {
    cell = new QTableWidgetItem;  // owned by the table
    setItem(row, col, cell);
  }
  return cell;
}

void StringGrid::ApplyFixedFlags() {
  const QBrush fixedBrush(palette().color(QPalette::Button));
  for (int r = 0; r < rowCount(); ++r)
    for (int c = 0; c < columnCount(); ++c) {
      QTableWidgetItem* cell = ItemAt(c, r);
      const bool fixed = c < fixedCols_ || r < fixedRows_;
      Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
      if (!fixed) flags |= Qt::ItemIsEditable;
      cell->setFlags(flags);
      cell->setBackground(fixed ? fixedBrush : QBrush());
    }
}

QString StringGrid::Cell(int col, int row) const {
  const QTableWidgetItem* cell = item(row, col);
  return cell ? cell->text() : QString();
}

void StringGrid::SetCell(int col, int row, const QString& text) {
  if (col < 0 || row < 0 || col >= columnCount() || row >= rowCount()) return;
  ItemAt(col, row)->setText(text);
}

std::string StringGrid::CellText(int col, int row) const {
  return Utf8ToWindows1252(Cell(col, row).toStdString());
}

std::string StringGrid::CellText(int col, int row, const std::string& held) const {
  const std::string shown = Cell(col, row).toStdString();
  return shown == Windows1252ToUtf8(held) ? held : Utf8ToWindows1252(shown);
}

void StringGrid::SetCellText(int col, int row, const std::string& text) {
  SetCell(col, row, QString::fromStdString(Windows1252ToUtf8(text)));
}

void StringGrid::Select(int col, int row) {
  moving_ = true;
  setCurrentCell(row, col);
  moving_ = false;
}

bool StringGrid::MoveTo(int col, int row) {
  setCurrentCell(row, col);
  return Col() == col && Row() == row;
}

void StringGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableWidget::currentChanged(current, previous);  // an open editor stores its text first
  if (moving_ || !previous.isValid() || !current.isValid()) return;
  // the handler reads the cell being left through Col() and Row(); a fixed cell is never
  // selected
  moving_ = true;
  selectionModel()->setCurrentIndex(previous, QItemSelectionModel::ClearAndSelect);
  const bool fixed = current.column() < fixedCols_ || current.row() < fixedRows_;
  const bool allowed = !fixed && (!onSelectCell_ || onSelectCell_(current.column(), current.row()));
  if (allowed) selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect);
  moving_ = false;
}

int StringGrid::NextRow() const {
  const int next = Row() + 1;
  return next >= rowCount() ? fixedRows_ : next;
}

void StringGrid::OpenEditor() {
  const QModelIndex index = currentIndex();
  if (index.isValid() && (index.flags() & Qt::ItemIsEditable)) QTableWidget::edit(index);
}

void StringGrid::EnterKey() {
  if (Row() < 0 || rowCount() <= fixedRows_) return;
  MoveTo(Col(), NextRow());
  OpenEditor();
}

bool StringGrid::CopyKeyApplies() const {
  return copyKey_ && Row() >= fixedRows_ && (copyLimitCol_ < 0 || Col() < copyLimitCol_);
}

bool StringGrid::CopyKey() {
  if (!CopyKeyApplies()) return false;
  const int above = Row() > fixedRows_ ? Row() - 1 : rowCount() - 1;
  SetCell(Col(), Row(), Cell(Col(), above));
  EnterKey();
  return true;
}

bool StringGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  // the copy key never starts the editor with a "c" in it
  if (trigger == AnyKeyPressed && event && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->text() == QStringLiteral("c") && CopyKeyApplies())
    return false;
  return QTableWidget::edit(index, trigger, event);
}

void StringGrid::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    EnterKey();
    return;
  }
  if (event->text() == QStringLiteral("c") && CopyKey()) return;
  QTableWidget::keyPressEvent(event);
}

}  // namespace planaq::ui
