#include "ui/FormBalance.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>

#include "ui/grids/DataGrid.h"

namespace planaq::ui {

namespace {
constexpr int kLabelWidth = 96;
constexpr int kFigureWidth = 90;
}  // namespace

TFormBalance::TFormBalance(QWidget* parent)
    : SecondaryForm(QStringLiteral("FormBalance"), QStringLiteral("Water Balance"), parent) {
  grid_ = new DataGrid(this);
  grid_->setObjectName(QStringLiteral("BalanceGrid"));
  QFont mono(QStringLiteral("Liberation Mono"));
  mono.setStyleHint(QFont::Monospace);
  mono.setPixelSize(11);
  grid_->setFont(mono);
  grid_->horizontalHeader()->setFont(mono);
  grid_->SetRowHeight(17);
  grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  grid_->setSelectionMode(QAbstractItemView::NoSelection);
  grid_->Model().SetSource([this](int col, int row) {
    const std::size_t r = static_cast<std::size_t>(row - 1);
    return r < rows_.size() ? rows_[r][static_cast<std::size_t>(col)] : std::string();
  });
  std::vector<GridColumn> columns;
  for (std::string heading : WaterBalanceColumns()) {
    // headings of figures stand over them, right-aligned as the figures
    if (!columns.empty() && heading.size() < 12) heading.insert(0, 12 - heading.size(), ' ');
    columns.push_back({heading, columns.empty() ? kLabelWidth : kFigureWidth, true});
  }
  grid_->SetColumns(columns);
}

void TFormBalance::ShowBalance(const WaterBalance& balance) {
  rows_ = WaterBalanceRows(balance);
  grid_->SetRowCount(static_cast<int>(rows_.size()) + 1);
  grid_->Model().Reread();
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QSize area = screen ? screen->availableGeometry().size() : QSize(1280, 1024);
  QSize size = grid_->SizeFor(12);
  // wider than the screen, the grid scrolls sideways
  if (size.width() > area.width() - 40) {
    size.setWidth(area.width() - 40);
    size.setHeight(size.height() + grid_->horizontalScrollBar()->sizeHint().height());
  }
  grid_->setGeometry(0, 0, size.width(), size.height());
  setFixedSize(size);
  if (!isVisible()) move(20, std::max(0, area.height() - size.height() - 80));
  show();
  raise();
}

}  // namespace planaq::ui
