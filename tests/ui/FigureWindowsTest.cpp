// The contour window and the 3D-graph window as the user drives them from the main window:
// the figure and its legend per layer, the layer selector, printing, and long traces.

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <regex>

#include "UiTest.h"
#include "results/Strip.h"
#include "ui/FormOpt.h"
#include "ui/figures/Form3D.h"
#include "ui/figures/FormContours.h"

namespace planaq::test {
namespace {

using ui::Win;

// Two confined layers on 2000 x 1000 m in 400 elements, heads given: layer 1 falls from 20 m
// to 10 m, layer 2 from 15 m to 11 m toward +x. An extraction well in layer 1 at (1500, 500)
// lies on the path of the first particle; no water passes the aquitard, so each particle
// stays in its layer.
Problem TwoLayers(double retardation = 1.0) {
  Problem p = MakeStrip(StripShape{2000.0, 1000.0, 20, 10, 2});
  SetHeads(p, 0, [](double x, double) { return 20.0 - 0.005 * x; });
  SetHeads(p, 1, [](double x, double) { return 15.0 - 0.002 * x; });
  for (int n = 0; n < p.NN; ++n) p.nodes[n].Type = 2 | 4;
  p.soils[0].R[0] = retardation;
  p.soils[0].KA[1] = 0.0;
  AddWell(p, 15 * 11 + 5, 0, -100.0);
  AddParticle(p, 100.0, 500.0, 5.0);
  AddParticle(p, 100.0, 200.0, -15.0);
  return p;
}

const char* const kLegend1 =
    "Minimum Contour : 10 m, Maximum Contour : 20 m, Contour Interval : 0.5 m";
const char* const kLegend2 =
    "Minimum Contour : 11 m, Maximum Contour : 15 m, Contour Interval : 0.2 m";

int CountPixels(const QImage& image, QColor c) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == c;
  return n;
}

std::string PdfText(const std::string& pdf) {
  const std::string txt = pdf + ".txt";
  const std::string command = std::string(PDFTOTEXT) + " -raw " + pdf + " " + txt;
  EXPECT_EQ(std::system(command.c_str()), 0);
  return std::regex_replace(ReadFile(txt), std::regex(" +"), " ");
}

void Settle(QWidget* window) {
  auto* f = static_cast<ui::LayerFigureForm*>(window);
  QCoreApplication::processEvents();
  while (f->Busy()) QCoreApplication::processEvents();
}

class FigureWindowTest : public MainWindowTest, public ::testing::WithParamInterface<Win> {
 protected:
  void Open(const Problem& p) {
    dialogs.AnswerFile(WriteProblem(dir, "two.aqd", p));
    form->SpeedButtonOpenClick();
    ASSERT_TRUE(dialogs.messages.empty()) << LastMessage();
  }
  // the window's command on the main window, then its drawing
  ui::LayerFigureForm* Show(Win w) {
    if (w == Win::Contours)
      form->SpeedButtonContoursClick();
    else
      form->SpeedButton3DClick();
    auto* f = static_cast<ui::LayerFigureForm*>(form->Window(w));
    Settle(f);
    return f;
  }
  static QComboBox* Selector(QWidget* f) { return f->findChild<QComboBox*>("ComboBoxLayer"); }
  static void TypeLayer(QWidget* f, const char* text) {
    QComboBox* box = Selector(f);
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), text);
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
  }
  static void PickLayer(QWidget* f, int index) {
    QComboBox* box = Selector(f);
    box->setCurrentIndex(index);
    emit box->activated(index);
  }
  QWidget* Child(QWidget* f, const char* name) { return f->findChild<QWidget*>(name); }
};

TEST_P(FigureWindowTest, LegendFollowsTheLayerAndTheSelectorClampsTypedNumbers) {
  Open(TwoLayers());
  ui::LayerFigureForm* f = Show(GetParam());
  EXPECT_EQ(f->BarCaption().toStdString(), kLegend1);
  EXPECT_EQ(Selector(f)->count(), 2);
  EXPECT_EQ(Selector(f)->itemText(1), "  2");
  PickLayer(f, 1);
  Settle(f);
  EXPECT_EQ(f->BarCaption().toStdString(), kLegend2);
  EXPECT_EQ(form->CurrentLayer(), 1);
  TypeLayer(f, "0");
  Settle(f);
  EXPECT_EQ(form->CurrentLayer(), 0);
  EXPECT_EQ(Selector(f)->currentText(), "  1");
  TypeLayer(f, "9");
  Settle(f);
  EXPECT_EQ(form->CurrentLayer(), 1) << "held to NL";
  EXPECT_EQ(Selector(f)->currentText(), "  2");
  EXPECT_EQ(f->BarCaption().toStdString(), kLegend2);
}

TEST_P(FigureWindowTest, ShowingAgainStartsFromLayerOneAndTheOtherWindowSharesTheLayer) {
  Open(TwoLayers());
  const Win other = GetParam() == Win::Contours ? Win::Graph3D : Win::Contours;
  ui::LayerFigureForm* f = Show(GetParam());
  PickLayer(f, 1);
  Settle(f);
  ui::LayerFigureForm* g = Show(other);  // the command closes the first window
  EXPECT_FALSE(f->isVisible());
  EXPECT_EQ(form->CurrentLayer(), 0);
  EXPECT_EQ(Selector(g)->currentText(), "  1");
  PickLayer(g, 1);
  Settle(g);
  EXPECT_EQ(form->CurrentLayer(), 1) << "one value for every window";
}

TEST_P(FigureWindowTest, PrintButtonWritesThePageOrNothingWhenCancelled) {
  Open(TwoLayers());
  ui::LayerFigureForm* f = Show(GetParam());
  PickLayer(f, 1);
  Settle(f);
  QWidget* wait = Child(f, "PanelWait");
  const std::string cancelled = dir.File("cancelled.pdf");
  dialogs.AnswerPrint("");
  QTest::mouseClick(f->findChild<QToolButton*>("SpeedButtonPrint"), Qt::LeftButton);
  EXPECT_EQ(dialogs.printDialogs, 1);
  EXPECT_FALSE(std::ifstream(cancelled).good());

  const std::string pdf = dir.File("page.pdf");
  dialogs.AnswerPrint(pdf);
  bool waitShown = false;  // the pathlines let the program look while the page is printed
  QTimer::singleShot(0, f, [&] { waitShown = wait->isVisible(); });
  QTest::mouseClick(f->findChild<QToolButton*>("SpeedButtonPrint"), Qt::LeftButton);
  EXPECT_TRUE(waitShown);
  EXPECT_FALSE(wait->isVisible());
  const std::string text = PdfText(pdf);
  const char* title = GetParam() == Win::Contours ? "Contours of Groundwater Head"
                                                  : "Three Dimensional Graph of Groundwater Head";
  EXPECT_NE(text.find(title), std::string::npos) << text;
  EXPECT_NE(text.find("Layer 2"), std::string::npos) << text;
  EXPECT_NE(text.find(kLegend2), std::string::npos) << text;
  EXPECT_NE(text.find("Time interval between marks : 2000 d"), std::string::npos) << text;
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_P(FigureWindowTest, SavePictureWritesTheFigureAsAPngOrThePageAsAPdf) {
  Open(TwoLayers());
  ui::LayerFigureForm* f = Show(GetParam());
  auto* key = f->findChild<QToolButton*>("SpeedButtonSavePicture");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->toolTip(), "Save Picture");
  EXPECT_LT(key->x(), f->findChild<QToolButton*>("SpeedButtonPrint")->x());

  const std::string png = dir.File("figure.png");
  dialogs.AnswerFile(png);
  QTest::mouseClick(key, Qt::LeftButton);
  ASSERT_EQ(dialogs.saveSetups.size(), 1u);
  EXPECT_EQ(dialogs.saveSetups[0].initialDir, form->OpenSetup().initialDir);
  const QImage saved = QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(saved.size(), f->Image().size());
  const auto below = [&](const QImage& image) {
    return image.copy(0, 25, image.width(), image.height() - 25);
  };
  EXPECT_TRUE(below(saved) == below(f->Image().convertToFormat(QImage::Format_RGB32)))
      << "the figure under the bar, as on the screen";
  // the bar: its legend in the middle and the layer at the left, but none of the keys
  const auto marked = [&](int x0, int x1) {
    int n = 0;
    for (int y = 3; y < 22; ++y)
      for (int x = x0; x < x1; ++x) n += saved.pixelColor(x, y) != QColor(0, 255, 0);
    return n;
  };
  auto* selector = f->findChild<QComboBox*>("ComboBoxLayer");
  EXPECT_GT(marked(selector->x(), selector->x() + selector->width()), 0) << "the layer";
  EXPECT_GT(marked(f->width() / 3, 2 * f->width() / 3), 0) << "the legend";
  EXPECT_EQ(marked(key->x() + 3, f->width() - 4), 0) << "no keys";

  const std::string pdf = dir.File("page.pdf");
  dialogs.AnswerFile(pdf);
  QTest::mouseClick(key, Qt::LeftButton);
  EXPECT_EQ(dialogs.printDialogs, 0) << "no print dialog";
  EXPECT_NE(PdfText(pdf).find(kLegend1), std::string::npos);

  dialogs.AnswerFile(dir.File("absent/figure.png"));
  QTest::mouseClick(key, Qt::LeftButton);
  EXPECT_EQ(LastMessage(), "Saving the picture failed.\n\ncannot create a file in " +
                               dir.File("absent") + ": No such file or directory");
}

TEST_P(FigureWindowTest, HelpKeyShowsItsText) {
  Open(TwoLayers());
  ui::LayerFigureForm* f = Show(GetParam());
  QTest::mouseClick(f->findChild<QToolButton*>("SpeedButtonHelp"), Qt::LeftButton);
  EXPECT_EQ(LastMessage(),
            GetParam() == Win::Contours ? ui::ContoursHelpText() : ui::Graph3DHelpText());
}

// A particle a million times slower than the water: its trace would take minutes.
TEST_P(FigureWindowTest, ClosingDuringALongTraceReturnsPromptlyAndLeavesTheProgramUsable) {
  Open(TwoLayers(1e6));
  auto* f = static_cast<ui::LayerFigureForm*>(form->Window(GetParam()));
  bool tracing = false;
  QTimer::singleShot(300, f, [&] {
    tracing = f->Busy();
    PickLayer(f, 1);  // restarts the drawing with layer 2, never a second one inside it
  });
  QTimer::singleShot(600, f, [&] { f->close(); });
  QElapsedTimer clock;
  clock.start();
  Show(GetParam());
  EXPECT_LT(clock.elapsed(), 5000);
  EXPECT_TRUE(tracing);
  EXPECT_FALSE(f->Busy());
  EXPECT_FALSE(form->IsOpen(GetParam()));
  EXPECT_EQ(f->BarCaption().toStdString(), kLegend2) << "the second drawing had begun";
  // usable: a command of the main window and the figure of a problem that ends
  dialogs.AnswerFile(WriteProblem(dir, "quick.aqd", TwoLayers()));
  form->SpeedButtonOpenClick();
  EXPECT_EQ(Show(GetParam())->BarCaption().toStdString(), kLegend1);
}

TEST_P(FigureWindowTest, OpeningAnotherFileDuringATraceStopsIt) {
  Open(TwoLayers(1e6));
  auto* f = static_cast<ui::LayerFigureForm*>(form->Window(GetParam()));
  Problem small = StripProblem();
  dialogs.AnswerFile(WriteProblem(dir, "strip.aqd", small));
  QTimer::singleShot(200, f, [&] { form->SpeedButtonOpenClick(); });
  QElapsedTimer clock;
  clock.start();
  Show(GetParam());
  EXPECT_LT(clock.elapsed(), 5000);
  EXPECT_EQ(form->problem().NN, 6);
}

TEST_P(FigureWindowTest, QuitDuringATraceEndsItWithoutDrawingTheReleasedTables) {
  Open(TwoLayers(1e6));
  auto* f = static_cast<ui::LayerFigureForm*>(form->Window(GetParam()));
  QTimer::singleShot(200, f, [&] { form->Quit1Click(); });
  QElapsedTimer clock;
  clock.start();
  Show(GetParam());
  EXPECT_LT(clock.elapsed(), 5000);
  EXPECT_EQ(quits, 1);
  EXPECT_FALSE(f->Busy());
}

INSTANTIATE_TEST_SUITE_P(Windows, FigureWindowTest, ::testing::Values(Win::Contours, Win::Graph3D),
                         [](const auto& info) {
                           return info.param == Win::Contours ? "Contours" : "Graph3D";
                         });

// ---- what each figure shows ----

TEST_F(MainWindowTest, ContourFigureHasRedContoursAndANavyPathline) {
  dialogs.AnswerFile(WriteProblem(dir, "two.aqd", TwoLayers()));
  form->SpeedButtonOpenClick();
  form->SpeedButtonContoursClick();
  Settle(form->Window(Win::Contours));
  auto* f = static_cast<ui::TFormContours*>(form->Window(Win::Contours));
  EXPECT_GT(CountPixels(f->Image(), QColor(255, 0, 0)), 1000);
  EXPECT_GT(CountPixels(f->Image(), QColor(0, 0, 128)), 100);
  EXPECT_GT(CountPixels(f->Image(), QColor(255, 255, 0)), 1000) << "the element outlines";
  EXPECT_EQ(form->problem().particles[0].X, 100.0) << "the particles back at their start";
}

TEST_F(MainWindowTest, Graph3DDrawsWhatTheOptionsChooseAtItsAngle) {
  dialogs.AnswerFile(WriteProblem(dir, "two.aqd", TwoLayers()));
  form->SpeedButtonOpenClick();
  ui::TFormOpt* options = form->FormOpt();
  options->findChild<QCheckBox*>("CheckWater")->setChecked(false);
  options->findChild<QSlider*>("AngleScale")->setValue(10);
  form->SpeedButton3DClick();
  Settle(form->Window(Win::Graph3D));
  auto* f = static_cast<ui::TForm3D*>(form->Window(Win::Graph3D));
  EXPECT_FALSE(f->Flags().Water);
  EXPECT_EQ(f->Flags().AngleScale, 10);
  const QColor aqua(0, 255, 255);
  EXPECT_EQ(CountPixels(f->Image(), aqua), 0);
  EXPECT_GT(CountPixels(f->Image(), QColor(0, 255, 0)), 100) << "the bottoms";
  EXPECT_GT(CountPixels(f->Image(), QColor(0, 0, 128)), 10) << "a pathline";

  form->SpeedButton3DClick();  // closed; the water table chosen again
  options->findChild<QCheckBox*>("CheckWater")->setChecked(true);
  form->SpeedButton3DClick();
  Settle(f);
  EXPECT_GT(CountPixels(f->Image(), aqua), 100);
}

TEST_F(MainWindowTest, Graph3DShownAgainKeepsNothingOfTheFigureBefore) {
  dialogs.AnswerFile(WriteProblem(dir, "two.aqd", TwoLayers()));
  form->SpeedButtonOpenClick();
  QSlider* angle = form->FormOpt()->findChild<QSlider*>("AngleScale");
  auto* f = static_cast<ui::TForm3D*>(form->Window(Win::Graph3D));
  const auto showAt = [&](int position) {
    angle->setValue(position);
    form->SpeedButton3DClick();
    Settle(f);
    const QImage shown = f->Image().copy();
    form->SpeedButton3DClick();
    return shown;
  };
  const QImage steep = showAt(9);
  EXPECT_EQ(f->Image().pixelColor(1, f->Image().height() - 2), QColor(192, 192, 192))
      << "the form colour around the figure";
  showAt(3);  // a wider figure
  EXPECT_TRUE(showAt(9) == steep);
}

TEST_F(MainWindowTest, ContoursOfOtherTablesDrawnForAnotherLayerKeepNothingOfTheFigureBefore) {
  dialogs.AnswerFile(WriteProblem(dir, "two.aqd", TwoLayers()));
  form->SpeedButtonOpenClick();
  auto* f = static_cast<ui::TFormContours*>(form->Window(Win::Contours));
  form->SpeedButtonContoursClick();
  Settle(f);
  // the nodes moved to a lower area, as the Nodes window opened beside it would store them
  Problem& p = form->problem();
  for (int n = 0; n < p.NN; ++n) p.nodes[n].Y *= 0.25;
  f->ComboBoxLayerChange(1);
  Settle(f);
  const QImage afterEdit = f->Image().copy();
  // the same tables and layer drawn over a figure of the same tables
  form->SpeedButtonContoursClick();
  form->SpeedButtonContoursClick();
  Settle(f);
  f->ComboBoxLayerChange(1);
  Settle(f);
  EXPECT_TRUE(f->Image() == afterEdit);
}

}  // namespace
}  // namespace planaq::test
