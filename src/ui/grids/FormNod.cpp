#include "ui/grids/FormNod.h"

#include <QHeaderView>
#include <algorithm>

#include "grids/NodesGrid.h"
#include "maps/MapSampling.h"
#include "ui/widgets/DialogFields.h"
#include "ui/widgets/TaskProgress.h"

namespace planaq::ui {

TFormNod::TFormNod(const GridContext& context, QWidget* parent)
    : DataGridForm(QStringLiteral("FormNod"), QStringLiteral("Nodes"), QStringLiteral("NodesGrid"),
                   context, parent) {
  AddPagingButtons();
  AddLayerSelector();
  AddBarButton("SpeedButtonFromMap", "From Map...", "From Map",
               [this] { SpeedButtonFromMapClick(); });
  AddHelpButton([this] { SpeedButtonHelpClick(); });
  QFont mono(QStringLiteral("Liberation Mono"));
  mono.setStyleHint(QFont::Monospace);
  mono.setPixelSize(11);
  Grid()->setFont(mono);
  Grid()->horizontalHeader()->setFont(mono);
  Grid()->SetRowHeight(17);
  Grid()->EnableCopyKey(kNodeCO);  // in C/O the c closes the top
}

std::vector<GridColumn> TFormNod::Columns(int layer) const {
  const int fixed = NodesFixedColumns(layer);
  std::vector<GridColumn> columns = {
      {"     i", 50},        {"      X (m)", 90}, {"      Y (m)", 90},
      {"   B (m)", 75},      {"   T (m)", 75},    {"   F (m)", 75},
      {"  Q (m\xB3/d)", 75}, {" F/Q", 40},        {" C/O", 40}};
  columns.resize(NodesColumnCount(layer));
  for (int c = 0; c < fixed; ++c) columns[c].fixed = true;
  return columns;
}

int TFormNod::DataRows() const {
  return std::clamp(problem_.NN, 0, static_cast<int>(problem_.nodes.size()));
}

std::string TFormNod::CellText(int col, int row, int layer) const {
  return NodesCellText(problem_, col, row - 1, layer);
}

CellOutcome TFormNod::StoreCell(int col, int row, int layer, const std::string& text) {
  return StoreNodesCell(problem_, col, row - 1, layer, text);
}

void TFormNod::Place() { PlaceFromRight(30, static_cast<int>(0.4 * ScreenSize().height())); }

void TFormNod::FormPaint() {
  // every repaint puts the selection back on the first editable cell of row 1
  DataGridForm::FormPaint();
  SelectCell(NodesFixedColumns(Layer()), 1);
}

void TFormNod::SpeedButtonFromMapClick() {
  if (!fromMap_) {
    fromMap_ = new TFormFromMap(dialogs_, this);
    fromMap_->onApply = [this](const FromMapRequest& r) { AssignFromMap(r); };
  }
  PrepareFromMap();
  fromMap_->show();
  fromMap_->raise();
}

void TFormNod::PrepareFromMap() {
  if (!georeference_) {
    fromMap_->Prepare(Layer());
    return;
  }
  const Georeference& g = georeference_->Value();
  fromMap_->Prepare(Layer(), g.X0, g.Y0, georeference_->CanRemember());
}

void TFormNod::AssignFromMap(const FromMapRequest& request) {
  PrepareFromMap();  // the layer may have changed while the dialog was open
  const int count = DataRows();
  std::vector<int> nodes(count);
  std::vector<MapPoint> points(count);
  for (int n = 0; n < count; ++n) {
    nodes[n] = n;
    points[n] = {problem_.nodes[n].X + request.X0, problem_.nodes[n].Y + request.Y0};
  }
  MapSamples samples;
  {
    TaskProgress progress(fromMap_, QStringLiteral("From Map"));
    samples = SampleMap(request.path, request.field, points, progress.Callback());
  }
  if (!samples.message.empty()) {
    dialogs_.Message(AsSentence(samples.message));
    return;
  }
  RememberOrigin(request);
  const NodeValuesOutcome outcome =
      AssignNodeValues(problem_, request.quantity, Layer(), nodes, samples.values);
  FormPaint();
  stored_();
  dialogs_.Message("Changed " + std::to_string(outcome.changed) + " nodes, left " +
                   std::to_string(outcome.left));
}

void TFormNod::RememberOrigin(const FromMapRequest& request) {
  if (!georeference_ || !request.remember) return;
  Georeference g = georeference_->Value();  // the CRS stays as remembered
  g.X0 = request.X0;
  g.Y0 = request.Y0;
  if (const std::string refused = georeference_->Remember(g); !refused.empty())
    dialogs_.Message(AsSentence(refused));
  PrepareFromMap();
}

void TFormNod::SpeedButtonHelpClick() { dialogs_.Message(NodesHelpText()); }

}  // namespace planaq::ui
