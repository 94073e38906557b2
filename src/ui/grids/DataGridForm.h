#pragma once
// The base of the data grid windows: a bar of speed buttons (the paging keys, a layer
// selector and Help where a window has them) above one DataGrid, placed on the screen by the
// window. A window supplies its columns for a layer, its number of data rows, the text of a
// cell and the core cell rule that stores a cell being left; the base wires the rest:
//
//   - the check when a cell is left: the rule runs on the text typed into it, its message
//     goes to the Dialogs, a refused entry keeps the selection in the cell, and the cell
//     shows the problem again (a cell left untouched stores nothing);
//   - paging: "Begin of List", "End of List", "Down" and "Up" by a tenth of the rows, each a
//     move that runs the check;
//   - the current layer, held by the main window and shared by every window that shows one
//     layer, and the grid selection state, shared by the data grids.
//
// Activation (FormActivate) runs each time the main window shows the window.
//
// A new grid window derives from DataGridForm, builds its bar in the constructor
// (AddPagingButtons, AddLayerSelector, AddHelpButton as it has them), sets the grid's font,
// row height and copy key, and supplies Columns, DataRows, CellText, StoreCell and Place;
// the cell rules it calls live in the core (src/grids/, one file per grid).

#include <functional>
#include <utility>

#include "grids/CellValue.h"
#include "model/Problem.h"
#include "ui/Dialogs.h"
#include "ui/SecondaryForm.h"
#include "ui/grids/DataGrid.h"

class QHBoxLayout;
class QToolButton;

namespace planaq::ui {

class LayerSelector;
class SharedLayer;

// What the main window hands to a data grid window: the one problem, the dialogs, the
// current layer and the grid selection state (column, row).
struct GridContext {
  Problem& problem;
  Dialogs& dialogs;
  SharedLayer& layer;
  std::pair<int, int>& selection;
  // told after every entry stored, so the main window's title shows the unsaved edit at once
  std::function<void()> stored = [] {};
};

class DataGridForm : public SecondaryForm {
  Q_OBJECT

 public:
  DataGrid* Grid() const { return grid_; }
  LayerSelector* ComboBoxLayer() const { return layerSelector_; }
  // the layer the grid shows: the shared current layer, held within the problem's layers
  int Layer() const;

  // Layer change: the shared layer becomes layer, and every window showing one follows; the
  // grid is focused.
  void SelectLayer(int layer);
  // The layer's columns, the window sized and placed again and repainted. A cell being
  // edited is checked first, in the layer it was typed in.
  void FollowLayer(int layer);
  void PageBegin();
  void PageEnd();
  void PageDown();
  void PageUp();

  virtual void FormActivate();
  // the headings and columns of the current layer, every cell read again from the problem
  virtual void FormPaint();
  // the rows of the table as the problem counts them now (the main window's repaint)
  void UpdateRowCount();

 protected:
  DataGridForm(const QString& objectName, const QString& caption, const QString& gridName,
               const GridContext& context, QWidget* parent);

  // what each window supplies; rows are grid rows (1 = the first entry), layers 0-based
  virtual std::vector<GridColumn> Columns(int layer) const = 0;
  virtual int DataRows() const = 0;
  virtual std::string CellText(int col, int row, int layer) const = 0;
  virtual CellOutcome StoreCell(int col, int row, int layer, const std::string& text) = 0;
  // where the window goes once it is sized
  virtual void Place() = 0;
  // the data rows the grid shows before it scrolls
  virtual int MaxVisibleRows() const { return 20; }

  // building the bar, in the order the items appear
  void AddPagingButtons();
  void AddLayerSelector();
  QToolButton* AddHelpButton(std::function<void()> help);
  // a key of the window's own, with its hint
  QToolButton* AddBarButton(const char* name, const char* caption, const char* hint,
                            std::function<void()> click);
  // the grid and bar sized for the current columns and rows
  void SizeToGrid();
  // left and top of the window for its right edge rightMargin pixels from the screen's
  void PlaceFromRight(int rightMargin, int top);
  void ShowLayerColumns();
  // the selection put on a cell without the check, and the shared state with it
  void SelectCell(int col, int row);
  static QSize ScreenSize();

  Problem& problem_;
  Dialogs& dialogs_;
  SharedLayer& layer_;
  std::pair<int, int>& selection_;
  std::function<void()> stored_;

 private:
  bool CellLeft(int col, int row);
  // the check of a cell whose typed text is still waiting, as a move would run it
  void StoreTyped();
  void PageTo(int row);
  void showEvent(QShowEvent* event) override;
  // the mouse back in the window, or the window active again: rows the problem gained or lost
  // meanwhile show at once
  void enterEvent(QEnterEvent* event) override;
  void changeEvent(QEvent* event) override;

  QWidget* bar_ = nullptr;
  QHBoxLayout* barLayout_ = nullptr;
  DataGrid* grid_ = nullptr;
  LayerSelector* layerSelector_ = nullptr;
  QToolButton* help_ = nullptr;
  int shown_ = 0;  // the layer of the columns on screen
};

}  // namespace planaq::ui
