#pragma once
// The look of the wells and particles grids (and of the block properties grid): Courier New
// at 11 pixels, rows of 16 pixels, the fixed cells and the heading row in yellow.

namespace planaq::ui {

class DataGrid;

void UseCourierYellowLook(DataGrid* grid);

}  // namespace planaq::ui
