#pragma once
// The Water Balance window: the balance of the problem as it is when the command runs, one row
// per aquifer and per aquitard, in a data grid whose cells are all fixed (nothing is edited).

#include <string>
#include <vector>

#include "solver/WaterBalance.h"
#include "ui/SecondaryForm.h"

namespace planaq::ui {

class DataGrid;

class TFormBalance : public SecondaryForm {
  Q_OBJECT

 public:
  explicit TFormBalance(QWidget* parent = nullptr);
  DataGrid* Grid() const { return grid_; }
  // the grid filled from the balance, the window sized to it, shown and raised
  void ShowBalance(const WaterBalance& balance);

 private:
  DataGrid* grid_ = nullptr;
  std::vector<std::vector<std::string>> rows_;
};

}  // namespace planaq::ui
