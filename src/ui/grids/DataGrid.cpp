#include "ui/grids/DataGrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>

#include "model/Windows1252.h"
#include "ui/widgets/GridKeysDelegate.h"

namespace planaq::ui {

namespace {

QString Screen(const std::string& text) { return QString::fromStdString(Windows1252ToUtf8(text)); }

// The editor also tells the grid which editor is open.
class DataGridDelegate : public GridKeysDelegate<DataGrid> {
 public:
  using GridKeysDelegate::GridKeysDelegate;

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    grid_->EditorOpened(editor);
    return editor;
  }
};

}  // namespace

// ---- the model ----

void DataGridModel::SetColumns(std::vector<GridColumn> columns) {
  const int before = columnCount();
  const int after = static_cast<int>(columns.size());
  if (after < before) {
    beginRemoveColumns({}, after, before - 1);
    columns_.resize(after);
    endRemoveColumns();
  } else if (after > before) {
    beginInsertColumns({}, before, after - 1);
    columns_.resize(after);
    endInsertColumns();
  }
  columns_ = std::move(columns);
  if (after > 0) emit headerDataChanged(Qt::Horizontal, 0, after - 1);
  Reread();
}

void DataGridModel::SetDataRows(int rows) {
  rows = std::max(rows, 0);
  if (rows < rows_) {
    beginRemoveRows({}, rows, rows_ - 1);
    rows_ = rows;
    endRemoveRows();
  } else if (rows > rows_) {
    beginInsertRows({}, rows_, rows - 1);
    rows_ = rows;
    endInsertRows();
  }
  if (typedRow_ > rows_) DropTyped();
}

QString DataGridModel::Text(int col, int row) const {
  if (col < 0 || col >= columnCount()) return {};
  if (row == 0) return Screen(columns_[col].heading);
  if (row < 0 || row > rows_) return {};
  if (col == typedCol_ && row == typedRow_) return typed_;
  return source_ ? Screen(source_(col, row)) : QString();
}

void DataGridModel::SetTyped(int col, int row, const QString& text) {
  if (col < 0 || col >= columnCount() || row < 1 || row > rows_) return;
  if (HasTyped() && (col != typedCol_ || row != typedRow_)) DropTyped();
  typedCol_ = col;
  typedRow_ = row;
  typed_ = text;
  const QModelIndex cell = index(row - 1, col);
  emit dataChanged(cell, cell, {Qt::DisplayRole});
}

void DataGridModel::DropTyped() {
  if (!HasTyped()) return;
  const QModelIndex cell = index(typedRow_ - 1, typedCol_);
  typedCol_ = typedRow_ = -1;
  typed_.clear();
  emit dataChanged(cell, cell, {Qt::DisplayRole});
}

void DataGridModel::Reread() {
  typedCol_ = typedRow_ = -1;
  typed_.clear();
  if (rows_ > 0 && columnCount() > 0)
    emit dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1), {Qt::DisplayRole});
}

void DataGridModel::RereadRows(int first, int last) {
  first = std::max(first, 1);
  last = std::min(last, rows_);
  if (first > last || columnCount() == 0) return;
  if (typedRow_ >= first && typedRow_ <= last) DropTyped();
  emit dataChanged(index(first - 1, 0), index(last - 1, columnCount() - 1), {Qt::DisplayRole});
}

int DataGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int DataGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant DataGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::DisplayRole || role == Qt::EditRole) return Text(index.column(), index.row() + 1);
  if (role == Qt::BackgroundRole && columns_[index.column()].fixed) return fixedBrush_;
  return {};
}

bool DataGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  // the editor only hands over what was typed; the check stores it
  if (value.toString() == Text(index.column(), index.row() + 1)) return true;
  SetTyped(index.column(), index.row() + 1, value.toString());
  return true;
}

Qt::ItemFlags DataGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  // fixed cells count as selectable, else the view's checks whether a column is selected
  // would visit every row; the grid itself never moves the selection onto them
  if (columns_[index.column()].fixed) return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QVariant DataGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
  if (role == Qt::DisplayRole) return Text(section, 0);
  if (role == Qt::TextAlignmentRole) return int(Qt::AlignLeft | Qt::AlignVCenter);
  return {};
}

// ---- the view ----

DataGrid::DataGrid(QWidget* parent) : QTableView(parent), model_(new DataGridModel(this)) {
  setModel(model_);
  model_->SetFixedBrush(palette().color(QPalette::Button));
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setSectionsClickable(false);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed |
                  QAbstractItemView::EditKeyPressed);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setWordWrap(false);
  setTextElideMode(Qt::ElideNone);  // a cell clips its text, as the formats are made to fit
  setItemDelegate(new DataGridDelegate(this));
  SetRowHeight(rowHeight_);
}

void DataGrid::SetColumns(std::vector<GridColumn> columns) {
  DiscardEdit();
  moving_ = true;  // a selection that the change moves is no move of the user's
  model_->SetColumns(std::move(columns));
  moving_ = false;
  for (int c = 0; c < ColCount(); ++c) setColumnWidth(c, model_->Columns()[c].width);
  KeepSelectionInside();
}

void DataGrid::SetRowCount(int rows) {
  if (rows - 1 == model_->DataRows()) return;
  DiscardEdit();
  moving_ = true;
  model_->SetDataRows(rows - 1);
  moving_ = false;
  KeepSelectionInside();
}

void DataGrid::KeepSelectionInside() {
  if (model_->DataRows() < 1) return;
  int col = Col();
  if (Fixed(col)) {
    col = 0;
    while (col < ColCount() - 1 && Fixed(col)) ++col;
  }
  const int row = std::clamp(Row(), 1, model_->DataRows());
  if (col != Col() || row != Row()) Select(col, row);
}

void DataGrid::SetRowHeight(int pixels) {
  rowHeight_ = pixels;
  verticalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setDefaultSectionSize(pixels);
  horizontalHeader()->setMinimumSectionSize(1);
  horizontalHeader()->setFixedHeight(pixels);
}

QSize DataGrid::SizeFor(int maxDataRows) {
  const bool scrolls = model_->DataRows() > maxDataRows;
  setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  int width = 2 * frameWidth();
  for (const GridColumn& c : model_->Columns()) width += c.width;
  if (scrolls) width += verticalScrollBar()->sizeHint().width();
  const int rows = std::min(model_->DataRows(), maxDataRows);
  return QSize(width, 2 * frameWidth() + rowHeight_ * (rows + 1));
}

std::string DataGrid::CellText(int col, int row) const {
  return Utf8ToWindows1252(Cell(col, row).toStdString());
}

bool DataGrid::Fixed(int col) const {
  return col < 0 || col >= ColCount() || model_->Columns()[col].fixed;
}

void DataGrid::DiscardEdit() {
  if (Editing() && editor_) closeEditor(editor_, QAbstractItemDelegate::NoHint);
  editor_ = nullptr;
}

void DataGrid::CommitEdit() {
  if (Editing() && editor_) {
    commitData(editor_);
    closeEditor(editor_, QAbstractItemDelegate::NoHint);
  }
  editor_ = nullptr;
}

void DataGrid::Select(int col, int row) {
  DiscardEdit();
  model_->DropTyped();
  if (row < 1 || row > model_->DataRows() || col < 0 || col >= ColCount()) return;
  moving_ = true;
  setCurrentIndex(model_->index(row - 1, col));
  moving_ = false;
}

bool DataGrid::MoveTo(int col, int row) {
  if (row < 1 || row > model_->DataRows() || col < 0 || col >= ColCount()) return false;
  setCurrentIndex(model_->index(row - 1, col));
  const bool moved = Col() == col && Row() == row;
  if (moved) scrollTo(currentIndex());
  return moved;
}

void DataGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);  // an open editor hands its text over first
  if (moving_ || !previous.isValid() || !current.isValid()) return;
  // the handler reads the cell being left through Col() and Row(); a fixed cell is never
  // selected
  moving_ = true;
  selectionModel()->setCurrentIndex(previous, QItemSelectionModel::ClearAndSelect);
  const bool allowed = !Fixed(current.column()) &&
                       (!onSelectCell_ || onSelectCell_(current.column(), current.row() + 1));
  if (allowed) selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect);
  moving_ = false;
}

QModelIndex DataGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  const QModelIndex next = QTableView::moveCursor(action, modifiers);
  // Tab past the last column would land on the fixed cell of the next row, which is never
  // selected, and the entry being left would wait unstored: go on to the next cell that takes
  // entries
  if (action != MoveNext && action != MovePrevious) return next;
  const QModelIndex editable = EditableFrom(next, action == MoveNext);
  return editable.isValid() ? editable : currentIndex();
}

QModelIndex DataGrid::EditableFrom(const QModelIndex& index, bool forward) const {
  const int cols = ColCount();
  const long long cells = static_cast<long long>(model_->DataRows()) * cols;
  // a grid has at most a few fixed columns side by side, so the walk is short
  for (long long at = static_cast<long long>(index.row()) * cols + index.column();
       at >= 0 && at < cells; at += forward ? 1 : -1) {
    const int col = static_cast<int>(at % cols);
    if (!Fixed(col)) return model_->index(static_cast<int>(at / cols), col);
  }
  return {};
}

int DataGrid::NextRow() const {
  const int next = Row() + 1;
  return next > model_->DataRows() ? 1 : next;
}

void DataGrid::OpenEditor() {
  const QModelIndex index = currentIndex();
  if (index.isValid() && (index.flags() & Qt::ItemIsEditable)) QTableView::edit(index);
}

void DataGrid::EnterKey() {
  if (Row() < 1) return;
  const int next = NextRow();
  if (next == Row())
    CheckInPlace();
  else
    MoveTo(Col(), next);
  OpenEditor();
}

void DataGrid::CheckInPlace() {
  // with one data row Enter comes back to the cell it leaves, which the view does not count
  // as a move: the check runs as for any other move, and the selection stays either way
  if (onSelectCell_) onSelectCell_(Col(), Row());
}

bool DataGrid::CopyKeyApplies() const {
  return copyKey_ && Row() >= 1 && (copyLimitCol_ < 0 || Col() < copyLimitCol_);
}

bool DataGrid::CopyKey() {
  if (!CopyKeyApplies()) return false;
  const int above = Row() > 1 ? Row() - 1 : model_->DataRows();
  SetCell(Col(), Row(), Cell(Col(), above));
  EnterKey();
  return true;
}

bool DataGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  // the copy key never starts the editor with a "c" in it
  if (trigger == AnyKeyPressed && event && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->text() == QStringLiteral("c") && CopyKeyApplies())
    return false;
  return QTableView::edit(index, trigger, event);
}

void DataGrid::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    EnterKey();
    return;
  }
  if (event->text() == QStringLiteral("c") && CopyKey()) return;
  QTableView::keyPressEvent(event);
}

}  // namespace planaq::ui
