#pragma once
// What the contour window and the 3D-graph window share: a lime bar across the top whose
// caption carries the contour legend, the layer selector, the print and help keys, the red
// wait panel shown while printing, and the one rule for their long drawings.
//
// A figure traces its pathlines while the program goes on handling events, so a layer change,
// a resize, a print or a close can arrive in the middle of a drawing. None of them starts a
// second drawing inside the first: a redraw asked for meanwhile stops the running one at its
// next pass and starts afresh after it, a print waits for the drawing to stop, a close ends it.
// A command that changes the tables under a trace ends it too (TraceGuard).

#include <QImage>
#include <QString>
#include <functional>
#include <string>

#include "model/Options.h"
#include "model/Problem.h"
#include "print/PrintJob.h"
#include "results/PendingEvents.h"
#include "ui/figures/DrawnFor.h"
#include "ui/figures/FigureForm.h"
#include "ui/widgets/LayerSelector.h"

class QComboBox;
class QLabel;
class QToolButton;

namespace planaq::ui {

class Dialogs;

// What the main window hands to each figure window: the one problem, the one current layer
// (0-based, shared with every window that shows one layer), the dialogs, the page counter and
// the options as the options window holds them now, and where the datafile dialogs start.
struct FigureContext {
  Problem& problem;
  SharedLayer& currentLayer;
  Dialogs& dialogs;
  PrintState& printState;
  std::function<Options()> options;
  std::function<std::string()> folder;
};

class LayerFigureForm : public FigureForm {
  Q_OBJECT

 public:
  struct Texts {
    const char* objectName;
    const char* caption;
    const char* barName;      // PanelContours, Panel3D
    const char* pictureName;  // what the save dialog proposes
    std::string helpText;
  };
  LayerFigureForm(const FigureContext& context, const Texts& texts, QWidget* parent);

  // FormActivate: the selector filled with the layers, layer 1 selected, the bar blank
  void FormActivate();
  // ComboBoxLayerChange: the layer picked or typed becomes the current one, then the figure at
  // once (as soon as the event that changed it has been handled)
  void ComboBoxLayerChange(int layer);
  void SpeedButtonPrintClick();
  void SpeedButtonHelpClick();
  // beyond the print key: the figure as it stands into a PNG file, or its page into a PDF
  // file when the name chosen ends in .pdf
  void SpeedButtonSavePictureClick();
  // the figure drawn again; while a drawing or a print runs it follows once that has stopped
  void DrawFigure();
  bool Busy() const { return Drawing() || printing_; }
  QString BarCaption() const;

 protected:
  // the screen figure; returns early when events.Process() says stop
  virtual void PaintFigure(Canvas& canvas, PendingEvents& events) = 0;
  // the window's page as a document of its own; false when the printer could not begin it
  virtual bool PrintDocument(PrinterCanvas& canvas, PendingEvents& events) = 0;

  void FormPaint(Canvas& canvas) final;
  bool StartsAfresh() override;
  void SetLegend(const std::string& legend);
  Problem& problem() { return context_.problem; }
  int Layer() const { return context_.currentLayer.Value(); }
  Options CurrentOptions() const { return context_.options(); }
  PrintState& printState() { return context_.printState; }

  void showEvent(QShowEvent* event) override;
  void PlaceBeforeShow() override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  class ScreenEvents;
  class PrintEvents;
  void FormCreate(const Texts& texts);
  void LayOutBar();
  void QueueDraw();
  void RunDrawings();
  // the page through the print dialog, or straight into the PDF file pdfPath
  void RunPrint(const std::string& pdfPath = {});
  void SavePicture(const std::string& path);
  QImage PictureWithBar() const;
  bool KeepTracing();

  FigureContext context_;
  std::string helpText_;
  std::string pictureName_;
  QLabel* bar_ = nullptr;
  QLabel* LabelLayer = nullptr;
  LayerSelector* ComboBoxLayer = nullptr;
  QToolButton* SpeedButtonPrint = nullptr;
  QToolButton* SpeedButtonHelp = nullptr;
  QToolButton* SpeedButtonSavePicture = nullptr;
  QLabel* PanelWait = nullptr;
  bool redrawAsked_ = false;
  bool printAsked_ = false;
  std::string pdfAsked_;  // the PDF file of a page asked for while drawing
  bool printing_ = false;
  bool eraseNext_ = true;    // the next drawing starts from the form colour
  DrawnFor drawn_;           // what the figure on the screen was drawn for
  bool drawQueued_ = false;  // a drawing waits for the command that asked for it to end
};

}  // namespace planaq::ui
