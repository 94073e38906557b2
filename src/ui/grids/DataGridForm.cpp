#include "ui/grids/DataGridForm.h"

#include <QEnterEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QShowEvent>
#include <QToolButton>
#include <algorithm>

#include "ui/widgets/LayerSelector.h"
#include "ui/widgets/Panels.h"

namespace planaq::ui {

namespace {
constexpr int kBarHeight = 30;
}

DataGridForm::DataGridForm(const QString& objectName, const QString& caption,
                           const QString& gridName, const GridContext& context, QWidget* parent)
    : SecondaryForm(objectName, caption, parent),
      problem_(context.problem),
      dialogs_(context.dialogs),
      layer_(context.layer),
      selection_(context.selection),
      stored_(context.stored) {
  // The window stays above the main window as its transient window; an always-on-top flag
  // would also cover the program's own message boxes.
  StayAboveMainWindow();
  bar_ = new QWidget(this);
  bar_->setObjectName(objectName + QStringLiteral("Bar"));
  barLayout_ = new QHBoxLayout(bar_);
  barLayout_->setContentsMargins(4, 2, 0, 2);
  barLayout_->setSpacing(2);
  grid_ = new DataGrid(this);
  grid_->setObjectName(gridName);
  grid_->Model().SetSource([this](int col, int row) { return CellText(col, row, Layer()); });
  grid_->OnSelectCell([this](int col, int row) { return CellLeft(col, row); });
  connect(&layer_, &SharedLayer::Changed, this, [this](int layer) { FollowLayer(layer); });
}

QSize DataGridForm::ScreenSize() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().size() : QSize(1280, 1024);
}

int DataGridForm::Layer() const { return std::clamp(shown_, 0, std::max(problem_.NL - 1, 0)); }

void DataGridForm::AddPagingButtons() {
  const auto add = [this](const char* name, const char* hint, const QString& glyph,
                          void (DataGridForm::*page)()) {
    QToolButton* button = SpeedButton(bar_, name, "", hint);
    button->setText(glyph);
    button->setAutoRaise(true);
    connect(button, &QToolButton::clicked, this, [this, page] { (this->*page)(); });
    barLayout_->addWidget(button);
  };
  add("SpeedButtonEnd", "End of List", QStringLiteral("\u2193|"), &DataGridForm::PageEnd);
  add("SpeedButtonDown", "Down", QStringLiteral("\u2193"), &DataGridForm::PageDown);
  add("SpeedButtonUp", "Up", QStringLiteral("\u2191"), &DataGridForm::PageUp);
  add("SpeedButtonBegin", "Begin of List", QStringLiteral("\u2191|"), &DataGridForm::PageBegin);
  barLayout_->addSpacing(12);
}

void DataGridForm::AddLayerSelector() {
  auto* label = new QLabel(QStringLiteral("Layer :"), bar_);
  label->setObjectName(QStringLiteral("LabelLayer"));
  layerSelector_ = new LayerSelector(bar_);
  layerSelector_->setMinimumContentsLength(3);
  layerSelector_->setFocusPolicy(Qt::ClickFocus);
  connect(layerSelector_, &LayerSelector::LayerChosen, this,
          [this](int layer) { SelectLayer(layer); });
  barLayout_->addWidget(label);
  barLayout_->addWidget(layerSelector_);
}

QToolButton* DataGridForm::AddHelpButton(std::function<void()> help) {
  barLayout_->addStretch(1);
  help_ = SpeedButton(bar_, "SpeedButtonHelp", "Help", "Help");
  help_->setAutoRaise(true);
  connect(help_, &QToolButton::clicked, this, [help = std::move(help)] { help(); });
  barLayout_->addWidget(help_);
  return help_;
}

QToolButton* DataGridForm::AddBarButton(const char* name, const char* caption, const char* hint,
                                        std::function<void()> click) {
  QToolButton* button = SpeedButton(bar_, name, caption, hint);
  button->setAutoRaise(true);
  connect(button, &QToolButton::clicked, this, [click = std::move(click)] { click(); });
  barLayout_->addWidget(button);
  return button;
}

void DataGridForm::ShowLayerColumns() { grid_->SetColumns(Columns(Layer())); }

void DataGridForm::SizeToGrid() {
  const QSize size = grid_->SizeFor(MaxVisibleRows());
  const int width = std::max(size.width(), bar_->sizeHint().width());
  bar_->setGeometry(0, 0, width, kBarHeight);
  grid_->setGeometry(0, kBarHeight, size.width(), size.height());
  setFixedSize(width, kBarHeight + size.height());
}

void DataGridForm::PlaceFromRight(int rightMargin, int top) {
  MoveFrameTo(ScreenSize().width() - rightMargin - width() - FrameWidth(), top);
}

void DataGridForm::UpdateRowCount() {
  const int before = grid_->RowCount();
  grid_->SetRowCount(DataRows() + 1);
  // a window on the screen follows its rows: it grows to the rows it shows, then scrolls
  if (isVisible() && grid_->RowCount() != before) {
    SizeToGrid();
    Place();
  }
}

void DataGridForm::FormActivate() {
  shown_ = 0;
  // a window without a layer selector leaves the current layer of the others alone
  if (layerSelector_) {
    layer_.Set(0);
    layerSelector_->Fill(problem_.NL);
  }
  ShowLayerColumns();
  UpdateRowCount();
  SizeToGrid();
  Place();
  FormPaint();
}

void DataGridForm::SelectCell(int col, int row) {
  grid_->Select(col, row);
  selection_ = {col, row};
}

void DataGridForm::FormPaint() {
  ShowLayerColumns();
  grid_->Model().Reread();
}

void DataGridForm::SelectLayer(int layer) {
  layer = std::clamp(layer, 0, std::max(problem_.NL - 1, 0));
  layer_.Set(layer);
  FollowLayer(layer);
  grid_->setFocus();
}

void DataGridForm::FollowLayer(int layer) {
  // a hidden window starts in layer 1 anyway; one without a selector shows no one layer
  if (layer == shown_ || !isVisible() || !layerSelector_) return;
  StoreTyped();
  shown_ = layer;
  if (layerSelector_ && layerSelector_->currentIndex() != Layer())
    layerSelector_->setCurrentIndex(Layer());
  ShowLayerColumns();
  SizeToGrid();
  Place();
  FormPaint();
}

bool DataGridForm::CellLeft(int newCol, int newRow) {
  const int col = grid_->Col();
  const int row = grid_->Row();
  // A cell left as it was shown stores nothing: its text is the value rounded to the
  // column's format, and walking through the grid must not round the problem.
  if (grid_->Model().TypedAt(col, row)) {
    const CellOutcome out = StoreCell(col, row, Layer(), grid_->CellText(col, row));
    grid_->Model().DropTyped();  // the cell shows the problem, as stored or kept
    stored_();
    if (!out.message.empty()) dialogs_.Message(out.message);
    if (!out.moveOn) return false;
  }
  selection_ = {newCol, newRow};
  return true;
}

void DataGridForm::StoreTyped() {
  grid_->CommitEdit();
  if (!grid_->Model().HasTyped()) return;
  const int col = grid_->Col(), row = grid_->Row();
  const CellOutcome out = StoreCell(col, row, Layer(), grid_->CellText(col, row));
  grid_->Model().DropTyped();
  stored_();
  if (!out.message.empty()) dialogs_.Message(out.message);
}

void DataGridForm::PageTo(int row) {
  const int last = grid_->RowCount() - 1;
  row = std::clamp(row, 1, std::max(last, 1));
  if (grid_->Row() == row || last < 1) return;
  grid_->MoveTo(std::max(grid_->Col(), 0), row);
}

void DataGridForm::PageBegin() { PageTo(1); }
void DataGridForm::PageEnd() { PageTo(grid_->RowCount() - 1); }
void DataGridForm::PageDown() { PageTo(grid_->Row() + (grid_->RowCount() - 1) / 10); }
void DataGridForm::PageUp() { PageTo(grid_->Row() - (grid_->RowCount() - 1) / 10); }

void DataGridForm::enterEvent(QEnterEvent* event) {
  SecondaryForm::enterEvent(event);
  UpdateRowCount();
}

void DataGridForm::changeEvent(QEvent* event) {
  SecondaryForm::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) UpdateRowCount();
}

void DataGridForm::showEvent(QShowEvent* event) {
  SecondaryForm::showEvent(event);
  if (!event->spontaneous()) FormActivate();
}

}  // namespace planaq::ui
