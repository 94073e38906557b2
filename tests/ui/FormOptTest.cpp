// The options window: its defaults, what Settings() reads from its controls, and its help.

#include <QCheckBox>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>

#include "UiTest.h"
#include "solver/Multigrid.h"
#include "ui/FormOpt.h"

namespace planaq::test {
namespace {

class FormOptTest : public ::testing::Test {
 protected:
  // the window needs the application before it is made
  FormOptTest() : app_(EnsureApp()), form(dialogs) {}
  QCheckBox* Check(const char* name) { return form.findChild<QCheckBox*>(name); }
  QSlider* Track(const char* name) { return form.findChild<QSlider*>(name); }
  QApplication& app_;
  ui::ScriptedDialogs dialogs;
  ui::TFormOpt form;
};

TEST_F(FormOptTest, StartsFromTheDefaults) {
  const Options o = form.Settings();
  EXPECT_TRUE(o.General);
  EXPECT_FALSE(o.Nodes);
  EXPECT_FALSE(o.Elements);
  EXPECT_FALSE(o.Mesh);
  EXPECT_TRUE(o.Water && o.Contours && o.Bottom && o.Top);
  EXPECT_EQ(o.GraphScale, 5);
  EXPECT_EQ(o.AngleScale, 5);
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Options"));
}

struct ControlCase {
  const char* control;
  const char* caption;
  bool Options::*field;
};

class FormOptControl : public FormOptTest, public ::testing::WithParamInterface<ControlCase> {};

TEST_P(FormOptControl, SettingsReadTheCheckBox) {
  QCheckBox* box = Check(GetParam().control);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->text().toStdString(), GetParam().caption);
  box->setChecked(!box->isChecked());
  EXPECT_EQ(form.Settings().*GetParam().field, box->isChecked());
  box->setChecked(!box->isChecked());
  EXPECT_EQ(form.Settings().*GetParam().field, box->isChecked());
}

INSTANTIATE_TEST_SUITE_P(
    Controls, FormOptControl,
    ::testing::Values(ControlCase{"CheckGeneral", "General Data", &Options::General},
                      ControlCase{"CheckNodes", "Nodes", &Options::Nodes},
                      ControlCase{"CheckElements", "Elements", &Options::Elements},
                      ControlCase{"CheckMesh", "Mesh", &Options::Mesh},
                      ControlCase{"CheckWater", "Groundwater Table", &Options::Water},
                      ControlCase{"CheckCont", "Contours", &Options::Contours},
                      ControlCase{"CheckBottom", "Bottom Surface", &Options::Bottom},
                      ControlCase{"CheckTop", "Top Surface", &Options::Top}),
    [](const auto& info) { return std::string(info.param.control); });

TEST_F(FormOptTest, TrackBarsRunFromZeroToTenAndGiveTheAngle) {
  QSlider* angle = Track("AngleScale");
  QSlider* scale = Track("GraphScale");
  ASSERT_NE(angle, nullptr);
  ASSERT_NE(scale, nullptr);
  EXPECT_EQ(angle->minimum(), 0);
  EXPECT_EQ(angle->maximum(), 10);
  EXPECT_EQ(scale->pageStep(), 5);
  angle->setValue(0);
  scale->setValue(10);
  EXPECT_EQ(form.Settings().ViewingAngleDegrees(), 1.0);  // held to 1 degree
  EXPECT_DOUBLE_EQ(form.Settings().GraphFraction(), 10.0 / 11.0);
  angle->setValue(20);
  EXPECT_EQ(form.Settings().AngleScale, 10) << "the bar never goes past its end";
}

// Conjugate gradients until the user picks the multigrid, which a build without it hides.
TEST_F(FormOptTest, SolverGroupChoosesTheMultigrid) {
  auto* conjugate = form.findChild<QRadioButton*>("RadioConjugate");
  auto* multigrid = form.findChild<QRadioButton*>("RadioMultigrid");
  ASSERT_NE(conjugate, nullptr);
  ASSERT_NE(multigrid, nullptr);
  EXPECT_EQ(conjugate->text(), QStringLiteral("Conjugate gradients"));
  EXPECT_EQ(multigrid->text(), QStringLiteral("Algebraic multigrid"));
  EXPECT_TRUE(conjugate->isChecked());
  EXPECT_FALSE(form.Settings().Multigrid);
  EXPECT_EQ(multigrid->isVisibleTo(&form), MultigridAvailable());
  multigrid->click();
  EXPECT_FALSE(conjugate->isChecked());
  EXPECT_EQ(form.Settings().Multigrid, MultigridAvailable());
}

TEST_F(FormOptTest, HelpButtonShowsTheHelp) {
  auto* help = form.findChild<QToolButton*>("SpeedButtonHelp");
  ASSERT_NE(help, nullptr);
  help->click();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].rfind("Print Options :\n\n- Print General Data :", 0), 0u);
  EXPECT_NE(
      dialogs.messages[0].find("- Viewing Angle : Scale of the viewing angle (1..89 degrees)."),
      std::string::npos);
}

TEST_F(FormOptTest, ClosingHidesAndReports) {
  int closed = 0;
  form.OnClosed([&] { ++closed; });
  form.show();
  form.close();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(closed, 1);
  EXPECT_EQ(form.size(), QSize(300, 380));
}

}  // namespace
}  // namespace planaq::test
