// The map commands driven as a user does: Export Map writes a GeoPackage read back with GDAL
// itself, From Map fills T of the Nodes window's layer from a raster of a known plane.

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

#include "GridWindowFixture.h"
#include "mesh/MeshMapping.h"
#include "ui/FormExportMap.h"
#include "ui/FormOpt.h"
#include "ui/figures/FormMesh.h"
#include "ui/grids/FormNod.h"
#include "ui/widgets/DialogFields.h"

namespace planaq::test {
namespace {

::testing::Environment* const kQtApp = ::testing::AddGlobalTestEnvironment(new QtAppEnvironment);

double Plane(double x, double y) { return 20.0 + 0.01 * x - 0.004 * y; }

// cell centres hold the plane, so bilinear sampling gives it exactly inside the raster
void WritePlaneRaster(const std::string& path, double left, double top, double cell, int cols,
                      int rows) {
  GDALAllRegister();
  GDALDataset* d = GetGDALDriverManager()->GetDriverByName("GTiff")->Create(
      path.c_str(), cols, rows, 1, GDT_Float64, nullptr);
  ASSERT_NE(d, nullptr);
  double gt[6] = {left, cell, 0.0, top, 0.0, -cell};
  d->SetGeoTransform(gt);
  std::vector<double> cells;
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c)
      cells.push_back(Plane(left + (c + 0.5) * cell, top - (r + 0.5) * cell));
  EXPECT_EQ(d->GetRasterBand(1)->RasterIO(GF_Write, 0, 0, cols, rows, cells.data(), cols, rows,
                                          GDT_Float64, 0, 0, nullptr),
            CE_None);
  GDALClose(d);
}

// an RGB map: red west of x = split, blue east of it
void WriteTwoColourMap(const std::string& path, double left, double top, double cell, int cols,
                       int rows, double split) {
  GDALAllRegister();
  GDALDataset* d = GetGDALDriverManager()->GetDriverByName("GTiff")->Create(
      path.c_str(), cols, rows, 3, GDT_Byte, nullptr);
  ASSERT_NE(d, nullptr);
  double gt[6] = {left, cell, 0.0, top, 0.0, -cell};
  d->SetGeoTransform(gt);
  for (int band = 1; band <= 3; ++band) {
    std::vector<GByte> cells;
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < cols; ++c) {
        const bool west = left + (c + 0.5) * cell < split;
        cells.push_back((band == 1 && west) || (band == 3 && !west) ? 255 : 0);
      }
    EXPECT_EQ(d->GetRasterBand(band)->RasterIO(GF_Write, 0, 0, cols, rows, cells.data(), cols, rows,
                                               GDT_Byte, 0, 0, nullptr),
              CE_None);
  }
  GDALClose(d);
}

class MapsUi : public GridWindowFixture {
 protected:
  template <class W>
  W* Child(QWidget* parent, const char* name) {
    auto* w = parent->findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  void TypeInto(QWidget* parent, const char* name, const std::string& text) {
    auto* edit = Child<QLineEdit>(parent, name);
    edit->selectAll();
    QTest::keyClicks(edit, QString::fromStdString(text));
  }
  ui::TFormExportMap* OpenExportDialog() {
    Trigger("ExportMap1");
    ui::TFormExportMap* d = form->FormExportMap();
    EXPECT_TRUE(d && QTest::qWaitForWindowExposed(d));
    return d;
  }
};

TEST_F(MapsUi, ExportMapWritesAGeoPackageWithAFeaturePerElementAndNode) {
  OpenFile(StripProblem(), "strip.aqd");
  ui::TFormExportMap* d = OpenExportDialog();
  TypeInto(d, "EditFile", dir.File("strip.gpkg"));
  TypeInto(d, "EditX0", "1000");
  QTest::mouseClick(Child<QPushButton>(d, "ButtonExport"), Qt::LeftButton);
  ASSERT_TRUE(dialogs.messages.empty()) << LastMessage();

  GDALAllRegister();
  GDALDataset* gpkg = static_cast<GDALDataset*>(
      GDALOpenEx(dir.File("strip.gpkg").c_str(), GDAL_OF_VECTOR, nullptr, nullptr, nullptr));
  ASSERT_NE(gpkg, nullptr);
  EXPECT_EQ(gpkg->GetLayerByName("mesh")->GetFeatureCount(), form->problem().NM);
  OGRLayer* nodes = gpkg->GetLayerByName("nodes");
  EXPECT_EQ(nodes->GetFeatureCount(), form->problem().NN);
  // the origin typed into the dialog is added to the model's x
  double left = 1e300;
  for (auto& f : *nodes) left = std::min(left, f->GetGeometryRef()->toPoint()->getX());
  EXPECT_DOUBLE_EQ(left, 1000.0);
  GDALClose(gpkg);
}

TEST_F(MapsUi, ExportMapShowsTheRefusalAndWritesNothing) {
  OpenFile(StripProblem(), "strip.aqd");
  ui::TFormExportMap* d = OpenExportDialog();
  TypeInto(d, "EditFile", dir.File("strip.txt"));
  QTest::mouseClick(Child<QPushButton>(d, "ButtonExport"), Qt::LeftButton);
  EXPECT_EQ(LastMessage(), ui::AsSentence(CheckMapExport(form->problem(), dir.File("strip.txt"),
                                                         MapExportOptions{})));
  EXPECT_FALSE(LastMessage().empty());
  EXPECT_FALSE(std::ifstream(dir.File("strip.txt")).good());
}

TEST_F(MapsUi, FromMapOnAPlaneRasterSetsTAtTheNodes) {
  OpenFile(StripProblem(), "strip.aqd");
  auto* nod = ShowWindow<ui::TFormNod>(ui::Win::Nodes, &ui::TFormFem::SpeedButtonNodesClick);
  const Problem& p = form->problem();
  WritePlaneRaster(dir.File("plane.tif"), -50.0, p.LY + 50.0, 10.0, 220, 120);
  QTest::mouseClick(Child<QToolButton>(nod, "SpeedButtonFromMap"), Qt::LeftButton);
  QWidget* fromMap = nod->FormFromMap();
  ASSERT_NE(fromMap, nullptr);
  dialogs.AnswerFile(dir.File("plane.tif"));
  QTest::mouseClick(Child<QPushButton>(fromMap, "ButtonBrowse"), Qt::LeftButton);
  Child<QComboBox>(fromMap, "ComboBoxQuantity")->setCurrentIndex(0);  // Top T
  QTest::mouseClick(Child<QPushButton>(fromMap, "ButtonApply"), Qt::LeftButton);

  EXPECT_EQ(LastMessage(), "Changed 6 nodes, left 0");
  for (int n = 0; n < p.NN; ++n)
    EXPECT_NEAR(p.layers[n].T[0], Plane(p.nodes[n].X, p.nodes[n].Y), 1e-6) << n;
  // the grid shows the new top at once (column 4 is T)
  const std::string top = QString::asprintf("%.3f", Plane(0.0, 0.0)).toStdString();
  EXPECT_NE(grid->CellText(4, 1).find(top), std::string::npos) << grid->CellText(4, 1);
}

TEST_F(MapsUi, TheGeoreferenceBesideTheDatafileStartsBothDialogsAndWhatAnExportUsedIsKept) {
  dir.Write("strip.aqd.geo", "origin 1000 2000\ncrs EPSG:28992\n");
  OpenFile(StripProblem(), "strip.aqd");
  ui::TFormExportMap* d = OpenExportDialog();
  EXPECT_EQ(Child<QLineEdit>(d, "EditX0")->text(), "1000");
  EXPECT_EQ(Child<QLineEdit>(d, "EditY0")->text(), "2000");
  EXPECT_EQ(Child<QLineEdit>(d, "EditCrs")->text(), "EPSG:28992");
  EXPECT_EQ(Child<QLineEdit>(form->FormOpt(), "EditMapX0")->text(), "1000.000");

  TypeInto(d, "EditFile", dir.File("strip.dxf"));
  TypeInto(d, "EditX0", "1500");
  QTest::mouseClick(Child<QPushButton>(d, "ButtonExport"), Qt::LeftButton);
  ASSERT_TRUE(dialogs.messages.empty()) << LastMessage();
  EXPECT_EQ(ReadAll(dir.File("strip.aqd.geo")), "origin 1500 2000\ncrs EPSG:28992\n");
  GDALAllRegister();
  GDALDataset* dxf = static_cast<GDALDataset*>(
      GDALOpenEx(dir.File("strip.dxf").c_str(), GDAL_OF_VECTOR, nullptr, nullptr, nullptr));
  ASSERT_NE(dxf, nullptr);
  OGREnvelope box;
  ASSERT_EQ(dxf->GetLayer(0)->GetExtent(&box), OGRERR_NONE);
  EXPECT_DOUBLE_EQ(box.MinX, 1500.0);
  GDALClose(dxf);

  // From Map starts from the origin just remembered; Save As takes the georeference along
  auto* nod = ShowWindow<ui::TFormNod>(ui::Win::Nodes, &ui::TFormFem::SpeedButtonNodesClick);
  QTest::mouseClick(Child<QToolButton>(nod, "SpeedButtonFromMap"), Qt::LeftButton);
  EXPECT_EQ(Child<QLineEdit>(nod->FormFromMap(), "EditX0")->text(), "1500");
  dialogs.AnswerFile(dir.File("copy.aqd"));
  form->SpeedButtonSaveClick();
  ASSERT_TRUE(dialogs.messages.empty()) << LastMessage();
  EXPECT_EQ(ReadAll(dir.File("copy.aqd.geo")), "origin 1500 2000\ncrs EPSG:28992\n");
}

TEST_F(MapsUi, AnExportWithoutAGeoreferenceWritesNoSideFile) {
  OpenFile(StripProblem(), "strip.aqd");
  ui::TFormExportMap* d = OpenExportDialog();
  TypeInto(d, "EditFile", dir.File("strip.geojson"));
  QTest::mouseClick(Child<QPushButton>(d, "ButtonExport"), Qt::LeftButton);
  ASSERT_TRUE(dialogs.messages.empty()) << LastMessage();
  EXPECT_FALSE(std::ifstream(dir.File("strip.aqd.geo")).good());
}

TEST_F(MapsUi, TheBackgroundMapLiesUnderTheMeshInsideTheAreaOnly) {
  OpenFile(StripProblem(), "strip.aqd");
  const Problem& p = form->problem();
  // in map coordinates: the model's origin lies at (5000, 7000)
  WriteTwoColourMap(dir.File("map.tif"), 4900.0, 7000.0 + p.LY + 100.0, 5.0, 460, 240,
                    5000.0 + 0.5 * p.LX);
  form->SpeedButtonMeshClick();
  auto* mesh = static_cast<ui::TFormMesh*>(form->Window(ui::Win::Mesh));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(mesh));
  mesh->Redraw();
  const QImage plain = mesh->Image().copy();

  form->SpeedButtonOptionsClick();
  QWidget* options = form->FormOpt();
  TypeInto(options, "EditMapX0", "5000");
  QTest::keyClick(Child<QLineEdit>(options, "EditMapX0"), Qt::Key_Return);
  TypeInto(options, "EditMapY0", "7000");
  QTest::keyClick(Child<QLineEdit>(options, "EditMapY0"), Qt::Key_Return);
  dialogs.AnswerFile(dir.File("map.tif"));
  QTest::mouseClick(Child<QToolButton>(options, "SpeedButtonBackground"), Qt::LeftButton);
  ASSERT_TRUE(dialogs.messages.empty()) << LastMessage();
  EXPECT_TRUE(Child<QCheckBox>(options, "CheckBackground")->isChecked());
  const QImage shown = mesh->Image();

  const MeshMapping m = ComputeMeshMapping(mesh->width(), mesh->height(), p.LX, p.LY);
  const Point west = m.ToPixel(0.2 * p.LX, 0.4 * p.LY), east = m.ToPixel(0.8 * p.LX, 0.75 * p.LY);
  const Point outside = m.ToPixel(0.5 * p.LX, 0.0);
  const QColor w0 = plain.pixelColor(west.x, west.y), w1 = shown.pixelColor(west.x, west.y);
  const QColor e0 = plain.pixelColor(east.x, east.y), e1 = shown.pixelColor(east.x, east.y);
  // the map shows through the element fills: red in the west, blue in the east
  EXPECT_NE(w1, w0);
  EXPECT_NE(e1, e0);
  EXPECT_GT(w1.red(), std::max(w1.green(), w1.blue()) + 40);
  EXPECT_GT(e1.blue(), std::max(e1.red(), e1.green()) + 40);
  EXPECT_EQ(shown.pixelColor(outside.x, outside.y + 5), plain.pixelColor(outside.x, outside.y + 5));

  // switched off: the figure as it was
  QTest::mouseClick(Child<QCheckBox>(options, "CheckBackground"), Qt::LeftButton);
  EXPECT_EQ(mesh->Image(), plain);
}

}  // namespace
}  // namespace planaq::test
