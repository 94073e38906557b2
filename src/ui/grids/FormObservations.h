#pragma once
// The Observations window: the observation points of the problem with their observed heads,
// and the heads computed there from the heads in memory with the residuals (fixed columns).
// The last row is empty: an entry there adds an observation, the copy key fills it from the
// row above. Delete takes the selected observation away; Open reads a CSV file.

#include <functional>
#include <vector>

#include "observe/ObservedHeads.h"
#include "ui/grids/DataGridForm.h"

namespace planaq::ui {

class TFormObservations : public DataGridForm {
  Q_OBJECT

 public:
  TFormObservations(const GridContext& context, ObservationSet& observations,
                    QWidget* parent = nullptr);

  DataGrid* ObservationsGrid() const { return Grid(); }
  void FormActivate() override;
  void FormPaint() override;
  void FormClose() override;
  // the observation of the selected row taken away
  void SpeedButtonDeleteClick();
  // the observations replaced by those of a CSV file the user picks
  void SpeedButtonOpenCsvClick();
  void SpeedButtonHelpClick();
  // told whenever the observations changed
  void OnChanged(std::function<void()> changed) { changed_ = std::move(changed); }

 protected:
  std::vector<GridColumn> Columns(int layer) const override;
  int DataRows() const override;
  std::string CellText(int col, int row, int layer) const override;
  CellOutcome StoreCell(int col, int row, int layer, const std::string& text) override;
  void Place() override;

 private:
  void Recompute();
  void Changed();

  ObservationSet& set_;
  std::vector<ObservedHead> heads_;
  std::function<void()> changed_ = [] {};
};

const char* ObservationsHelpText();

}  // namespace planaq::ui
