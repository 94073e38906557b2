#pragma once
// The Contours window: the mesh of one layer with red contours of the head and the particles'
// pathlines, drawn while they are traced; the print key puts the same figure on a page.

#include "observe/Observations.h"
#include "ui/figures/BackgroundMap.h"
#include "ui/figures/LayerFigureForm.h"

namespace planaq::ui {

class TFormContours : public LayerFigureForm {
  Q_OBJECT

 public:
  TFormContours(const FigureContext& context, QWidget* parent = nullptr);
  // the observation points of the layer drawn over the figure (none without observations)
  void ShowObservations(const ObservationSet* observations) { observations_ = observations; }

 protected:
  void PaintFigure(Canvas& canvas, PendingEvents& events) override;
  bool PrintDocument(PrinterCanvas& canvas, PendingEvents& events) override;

 private:
  const ObservationSet* observations_ = nullptr;
  BackgroundMap background_;
};

// The text of the contour window's help key.
const char* ContoursHelpText();

}  // namespace planaq::ui
