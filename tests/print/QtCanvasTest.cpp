#include <gtest/gtest.h>

#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPrinter>
#include <QRegularExpression>
#include <memory>
#include <string>

#include "print/DataReport.h"
#include "support/TempDir.h"
#include "ui/qt/QtFonts.h"
#include "ui/qt/QtImageCanvas.h"
#include "ui/qt/QtPageImagesCanvas.h"
#include "ui/qt/QtPrinterCanvas.h"
#include "ui/qt/Windows1252.h"

namespace planaq {
namespace {

// Qt's fonts and painters need an application object; it goes before the program's static
// objects do, so its own clean-up still finds Qt in place.
class QtApplicationEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app_ = std::make_unique<QGuiApplication>(argc_, argv_);
  }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[16] = "test_qtcanvas";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QGuiApplication> app_;
};

testing::Environment* const kQtApplication =
    testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

void EnsureApplication() { ASSERT_NE(QGuiApplication::instance(), nullptr); }

TEST(Windows1252, QtStringsCrossTheCodePageBothWays) {
  EXPECT_EQ(FromWindows1252("Q (m\xB3/d) \x80\x81"), QString::fromUtf8("Q (m\u00B3/d) \u20AC?"));
  EXPECT_EQ(ToWindows1252(QString::fromUtf8("\u00D8 \u2013 \u2260")), "\xD8 \x96 ?");
}

struct Pixels {
  QImage image = QtImageCanvas::MakeImage(40, 40);
  bool Black(int x, int y) const { return image.pixelColor(x, y) == QColor(0, 0, 0); }
  bool White(int x, int y) const { return image.pixelColor(x, y) == QColor(255, 255, 255); }
};

TEST(QtImageCanvas, LineLeavesItsEndPointUndrawn) {
  EnsureApplication();
  Pixels px;
  {
    QtImageCanvas canvas(px.image);
    canvas.SetPenColour(Rgb{0, 0, 0});
    canvas.MoveTo(2, 5);
    canvas.LineTo(8, 5);
    canvas.LineTo(8, 12);
  }
  EXPECT_TRUE(px.Black(2, 5));
  EXPECT_TRUE(px.Black(7, 5));
  EXPECT_TRUE(px.Black(8, 5));  // the start of the second line
  EXPECT_TRUE(px.Black(8, 11));
  EXPECT_TRUE(px.White(8, 12));
  EXPECT_TRUE(px.White(9, 5));
}

TEST(QtImageCanvas, NotXorLineDrawnTwiceLeavesThePicture) {
  EnsureApplication();
  Pixels px;
  {
    QtImageCanvas canvas(px.image);
    canvas.SetPenMode(PenMode::NotXor);
    canvas.SetPenColour(Rgb{0, 0, 0});
    for (int pass = 0; pass < 2; ++pass) {
      canvas.MoveTo(3, 3);
      canvas.LineTo(30, 20);
    }
    canvas.SetPenMode(PenMode::Copy);
    canvas.MoveTo(0, 30);
    canvas.LineTo(10, 30);
  }
  for (int x = 0; x < 40; ++x)
    for (int y = 0; y < 25; ++y) ASSERT_TRUE(px.White(x, y)) << x << "," << y;
  EXPECT_TRUE(px.Black(5, 30));
}

TEST(QtImageCanvas, FillRectAndPolygonUseTheBrushAndThePen) {
  EnsureApplication();
  Pixels px;
  {
    QtImageCanvas canvas(px.image);
    canvas.SetBrushColour(Rgb{0, 0, 0});
    canvas.FillRect(1, 1, 5, 4);
    canvas.SetBrushColour(Rgb{255, 255, 0});
    canvas.SetPenColour(Rgb{255, 0, 0});
    canvas.Polygon({{10, 10}, {30, 10}, {10, 30}});
  }
  EXPECT_TRUE(px.Black(1, 1));
  EXPECT_TRUE(px.Black(4, 3));
  EXPECT_TRUE(px.White(5, 3));  // right and bottom edges excluded
  EXPECT_TRUE(px.White(4, 4));
  EXPECT_EQ(px.image.pixelColor(15, 15), QColor(255, 255, 0));
  EXPECT_EQ(px.image.pixelColor(20, 10), QColor(255, 0, 0));
}

TEST(QtFonts, DocumentedFacesUseTheirMetricTwins) {
  EnsureApplication();
  EXPECT_EQ(QFontInfo(QtFontFor(Font{"Courier New", 11}, false)).family(), "Liberation Mono");
  EXPECT_EQ(QFontInfo(QtFontFor(Font{"MS Sans Serif", 13, true}, false)).family(),
            "Liberation Sans");
  EXPECT_EQ(QFontInfo(QtFontFor(Font{"Arial", 13}, false)).family(), "Liberation Sans");
}

TEST(QtImageCanvas, CourierNewIsFixedPitch) {
  EnsureApplication();
  QImage image = QtImageCanvas::MakeImage(10, 10);
  QtImageCanvas canvas(image);
  canvas.SetFont(Font{"Courier New", 11});
  EXPECT_EQ(canvas.TextWidth("iiiiiiii"), canvas.TextWidth("WWWWWWWW"));
  canvas.SetFont(Font{"MS Sans Serif", 11});
  EXPECT_LT(canvas.TextWidth("iiiiiiii"), canvas.TextWidth("WWWWWWWW"));
}

// The superscript three stands in the upper part of the line, where a missing-glyph box
// would fill the whole height.
TEST(QtImageCanvas, SuperscriptThreeIsDrawnAsASuperscript) {
  EnsureApplication();
  QImage image = QtImageCanvas::MakeImage(80, 80);
  int height = 0, width = 0;
  {
    QtImageCanvas canvas(image);
    canvas.SetFont(Font{"Courier New", 48});
    height = canvas.TextHeight("W");
    width = canvas.TextWidth("\xB3");
    canvas.TextOut(0, 0, "\xB3");
  }
  int inked = 0, low = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (image.pixelColor(x, y).lightness() < 128) {
        ++inked;
        if (y > height / 2) ++low;
      }
  EXPECT_GT(inked, 10);
  EXPECT_EQ(low, 0);
}

TEST(QtPrinterCanvas, FontsKeepTheirSizeInPointsOnPaper) {
  EnsureApplication();
  test::TempDir dir;
  QPrinter printer(QPrinter::HighResolution);
  SetUpPdfPrinter(printer, QString::fromStdString(dir.File("size.pdf")));
  QtPrinterCanvas paper(printer);
  ASSERT_TRUE(paper.BeginDoc());
  EXPECT_EQ(paper.PixelsPerInch(), 600);
  paper.SetFont(Font{"Courier New", 11});
  const double onPaper = paper.TextHeight("W");
  paper.EndDoc();
  QImage image = QtImageCanvas::MakeImage(10, 10);
  QtImageCanvas screen(image);
  screen.SetFont(Font{"Courier New", 11});
  EXPECT_NEAR(onPaper / screen.TextHeight("W"), 600.0 / 96.0, 0.1 * 600.0 / 96.0);
  // an A4 sheet less 5 mm all round, at 600 dots per inch
  EXPECT_NEAR(paper.Width(), 200.0 / 25.4 * 600.0, 6.0);
  EXPECT_NEAR(paper.Height(), 287.0 / 25.4 * 600.0, 6.0);
}

TEST(QtPrinterCanvas, ReportBecomesAPdfWithAPagePerSection) {
  EnsureApplication();
  test::TempDir dir;
  Problem problem;
  problem.StartUp(Capacities{});
  Options all;
  all.Nodes = all.Elements = all.Mesh = true;
  {
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdfPrinter(printer, QString::fromStdString(dir.File("report.pdf")));
    QtPrinterCanvas canvas(printer);
    PrintState state;
    ASSERT_TRUE(PrintReport(problem, all, canvas, state));
    EXPECT_EQ(state.pageCounter, 5);
  }
  const std::string pdf = test::ReadFile(dir.File("report.pdf"));
  ASSERT_EQ(pdf.compare(0, 5, "%PDF-"), 0);
  const QRegularExpression page("/Type\\s*/Page[^s]");
  EXPECT_EQ(QString::fromLatin1(pdf.data(), static_cast<qsizetype>(pdf.size())).count(page), 4);
}

// Rows of the sheet with ink on them.
std::vector<int> InkedRows(const QImage& page) {
  std::vector<int> rows;
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x)
      if (page.pixelColor(x, y).lightness() < 128) {
        rows.push_back(y);
        break;
      }
  return rows;
}

TEST(QtPageImagesCanvas, EverySheetBecomesAnImageOfItsOwn) {
  EnsureApplication();
  Problem problem;
  problem.StartUp(Capacities{});
  Options o;
  o.Elements = o.Mesh = true;
  std::vector<QImage> pages;
  std::vector<int> numbers;
  QtPageImagesCanvas canvas(PrintableWidthAt(100), PrintableHeightAt(100), 100,
                            [&](const QImage& page, int number) {
                              pages.push_back(page.copy());
                              numbers.push_back(number);
                            });
  PrintState state;
  ASSERT_TRUE(PrintReport(problem, o, canvas, state));
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(pages[0].width(), 787);  // 200 mm at 100 dots per inch
  EXPECT_EQ(canvas.PixelsPerInch(), 100);
  canvas.SetFont(Font{"Courier New", 11});
  const int h = canvas.TextHeight("W");
  for (const QImage& page : pages) {
    // the title line is the first ink on every sheet, at line 2
    const std::vector<int> rows = InkedRows(page);
    ASSERT_FALSE(rows.empty());
    EXPECT_GE(rows.front(), 2 * h);
    EXPECT_LT(rows.front(), 3 * h);
  }
  // the mesh page: the triangle stands in the middle third of the sheet
  const std::vector<int> rows = InkedRows(pages[2]);
  EXPECT_GT(rows.back(), pages[2].height() / 3);
  EXPECT_LT(rows.back(), 2 * pages[2].height() / 3);
}

}  // namespace
}  // namespace planaq
