#pragma once
// The Nodes window: the nodes of one layer in a grid, coordinates, bottom, top, head, supply
// and the two switches of Type, each checked by the core rules of grids/NodesGrid when the
// selection leaves it.

#include "ui/FormFromMap.h"
#include "ui/RememberedGeoreference.h"
#include "ui/grids/DataGridForm.h"

namespace planaq::ui {

class TFormNod : public DataGridForm {
  Q_OBJECT

 public:
  TFormNod(const GridContext& context, QWidget* parent = nullptr);

  DataGrid* NodesGrid() const { return Grid(); }
  void FormPaint() override;
  void SpeedButtonHelpClick();
  // beyond the written keys: one quantity of the current layer filled from a map
  void SpeedButtonFromMapClick();
  TFormFromMap* FormFromMap() const { return fromMap_; }
  // the origin of From Map starts from the datafile's georeference
  void UseGeoreference(RememberedGeoreference& georeference) { georeference_ = &georeference; }

 protected:
  std::vector<GridColumn> Columns(int layer) const override;
  int DataRows() const override;
  std::string CellText(int col, int row, int layer) const override;
  CellOutcome StoreCell(int col, int row, int layer, const std::string& text) override;
  void Place() override;

 private:
  void PrepareFromMap();
  void AssignFromMap(const FromMapRequest& request);
  void RememberOrigin(const FromMapRequest& request);

  TFormFromMap* fromMap_ = nullptr;
  RememberedGeoreference* georeference_ = nullptr;
};

}  // namespace planaq::ui
