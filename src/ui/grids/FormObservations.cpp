#include "ui/grids/FormObservations.h"

#include <QTimer>
#include <cmath>

#include "model/Windows1252.h"
#include "ui/grids/GridLook.h"

namespace planaq::ui {

namespace {

enum Column { kName, kX, kY, kLayer, kObserved, kComputed, kResidual };

// A name for an observation begun in another column than the name's: P1, P2, ...
std::string FreeName(const ObservationSet& set) {
  for (int n = set.size() + 1;; ++n) {
    const std::string name = "P" + std::to_string(n);
    if (CheckObservationName(set, -1, name).empty()) return name;
  }
}

std::string Trimmed(const std::string& s) {
  const auto a = s.find_first_not_of(" \t");
  if (a == std::string::npos) return "";
  return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

}  // namespace

const char* ObservationsHelpText() {
  return "Observations\n\n"
         "Each row is an observation point: its name, X and Y, the layer, and the head\n"
         "observed there. The computed head is interpolated in the element that holds the\n"
         "point from the heads of the layer in memory (solve first); the residual is the\n"
         "observed head minus the computed one.\n\n"
         "Type into the empty last row to add an observation; the c key copies the cell\n"
         "above. Delete takes the selected observation away; Open reads the observations of\n"
         "a CSV file with the columns name,x,y,layer,head and, if wanted, weight.\n\n"
         "The observations are kept in the file NAME.aqd.obs beside the datafile, opened\n"
         "and saved with it.";
}

TFormObservations::TFormObservations(const GridContext& context, ObservationSet& observations,
                                     QWidget* parent)
    : DataGridForm(QStringLiteral("FormObservations"), QStringLiteral("Observations"),
                   QStringLiteral("ObservationsGrid"), context, parent),
      set_(observations) {
  AddPagingButtons();
  AddBarButton("SpeedButtonOpenCsv", "Open", "Read observations from a CSV file",
               [this] { SpeedButtonOpenCsvClick(); });
  AddBarButton("SpeedButtonDelete", "Delete", "Delete the observation of the selected row",
               [this] { SpeedButtonDeleteClick(); });
  AddHelpButton([this] { SpeedButtonHelpClick(); });
  UseCourierYellowLook(Grid());
  Grid()->EnableCopyKey();
}

std::vector<GridColumn> TFormObservations::Columns(int) const {
  return {{"  Name", 150},
          {"      X (m)", 90},
          {"      Y (m)", 90},
          {" Layer", 50},
          {"  Observed (m)", 100},
          {"  Computed (m)", 100, true},
          {"  Residual (m)", 100, true}};
}

// one row more than there are observations: the row that adds one
int TFormObservations::DataRows() const { return set_.size() + 1; }

std::string TFormObservations::CellText(int col, int row, int) const {
  if (row < 1 || row > set_.size()) return "";
  const Observation& o = set_.points[row - 1];
  const bool used = row - 1 < static_cast<int>(heads_.size()) && heads_[row - 1].used();
  switch (col) {
    case kName:
      return Utf8ToWindows1252(o.name);
    case kX:
      return FormatReal("%12.3f", o.X);
    case kY:
      return FormatReal("%12.3f", o.Y);
    case kLayer:
      return FormatInt("%6d", o.layer + 1);
    case kObserved:
      return FormatReal("%12.3f", o.head);
    case kComputed:
      return used ? FormatReal("%12.3f", heads_[row - 1].computed)
                  : std::string("  ") + StatusText(heads_[row - 1].status);
    case kResidual:
      return used ? FormatReal("%12.3f", heads_[row - 1].residual) : "";
  }
  return "";
}

CellOutcome TFormObservations::StoreCell(int col, int row, int, const std::string& text) {
  const bool adding = row == set_.size() + 1;
  if (adding && Trimmed(text).empty()) return {"", ""};  // nothing typed: no new row
  Observation o = adding ? Observation{} : set_.points[row - 1];
  if (adding) o.name = FreeName(set_);
  const std::string shown = CellText(col, row, 0);
  if (col == kName) {
    const std::string name = Trimmed(Windows1252ToUtf8(text));
    const std::string refused = CheckObservationName(set_, adding ? -1 : row - 1, name);
    if (!refused.empty()) return Refused(shown, refused);
    o.name = name;
  } else {
    const CellReal v = ReadCellReal(text);
    if (!v.ok) return Refused(shown, v.message);
    if (col == kX) o.X = v.value;
    if (col == kY) o.Y = v.value;
    if (col == kObserved) o.head = v.value;
    if (col == kLayer) {
      if (v.value != std::floor(v.value) || v.value < 1 || v.value > kMaxObservationLayer)
        return Refused(shown, "Enter layer 1..6");
      o.layer = static_cast<int>(v.value) - 1;
    }
  }
  if (adding)
    set_.points.push_back(o);
  else
    set_.points[row - 1] = o;
  Changed();
  // the new empty row once the move that stored this one has ended
  if (adding) QTimer::singleShot(0, this, [this] { UpdateRowCount(); });
  return {CellText(col, row, 0), ""};
}

void TFormObservations::Place() { PlaceFromRight(40, 200); }

void TFormObservations::Recompute() { heads_ = ComputeObservedHeads(problem_, set_); }

void TFormObservations::Changed() {
  Recompute();
  Grid()->viewport()->update();
  changed_();
}

void TFormObservations::FormActivate() {
  Recompute();
  DataGridForm::FormActivate();
  SelectCell(kName, 1);
}

void TFormObservations::FormPaint() {
  Recompute();
  DataGridForm::FormPaint();
}

void TFormObservations::FormClose() {
  Grid()->DiscardEdit();
  Grid()->Model().DropTyped();
  DataGridForm::FormClose();
}

void TFormObservations::SpeedButtonDeleteClick() {
  const int row = Grid()->Row();
  if (row < 1 || row > set_.size()) return;
  Grid()->DiscardEdit();
  Grid()->Model().DropTyped();
  set_.points.erase(set_.points.begin() + (row - 1));
  Changed();
  UpdateRowCount();
  FormPaint();
  SelectCell(Grid()->Col() < 0 ? kName : Grid()->Col(), std::min(row, set_.size() + 1));
}

void TFormObservations::SpeedButtonOpenCsvClick() {
  FileDialogSetup setup;
  setup.filter = "CSV(*.csv)|*.csv|OBS(*.obs)|*.obs";
  setup.defaultExt = "*.csv";
  setup.fileName = "";
  const std::optional<std::string> path = dialogs_.OpenFile(setup);
  if (!path) return;
  const ObservationRead read = ReadObservationsFile(*path);
  if (!read.ok) {
    dialogs_.Message(read.message);
    return;
  }
  if (!set_.empty() &&
      !dialogs_.Confirm("Replace the " + std::to_string(set_.size()) + " observations by the " +
                        std::to_string(read.set.size()) + " of the file?"))
    return;
  Grid()->DiscardEdit();
  Grid()->Model().DropTyped();
  set_ = read.set;
  Changed();
  UpdateRowCount();
  SizeToGrid();
  FormPaint();
}

void TFormObservations::SpeedButtonHelpClick() { dialogs_.Message(ObservationsHelpText()); }

}  // namespace planaq::ui
