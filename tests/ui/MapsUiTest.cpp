// The map commands driven as a user does: Export Map writes a GeoPackage read back with GDAL
// itself, From Map fills T of the Nodes window's layer from a raster of a known plane.

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <QComboBox>
#include <QPushButton>

#include "GridWindowFixture.h"
#include "ui/FormExportMap.h"
#include "ui/grids/FormNod.h"

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
  EXPECT_EQ(LastMessage(),
            CheckMapExport(form->problem(), dir.File("strip.txt"), MapExportOptions{}));
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

}  // namespace
}  // namespace planaq::test
