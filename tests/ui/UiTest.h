#pragma once
// What the window tests share: a Qt application on the offscreen platform, a main window
// working in a temporary folder with scripted dialogs, and small datafiles made for a test.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QToolButton>
#include <memory>
#include <string>

#include "files/Datafile.h"
#include "support/TempDir.h"
#include "ui/FormFem.h"
#include "ui/ScriptedDialogs.h"
#include "ui/widgets/StringGrid.h"

namespace planaq::test {

// The application lives from before the first test to after the last: it goes before the
// program's static objects do, which Qt's test devices need.
inline QApplication& EnsureApp() {
  QApplication* app = qobject_cast<QApplication*>(QCoreApplication::instance());
  if (!app) ADD_FAILURE() << "the application is made by QtAppEnvironment";
  return *app;
}

class QtAppEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    app_ = std::make_unique<QApplication>(argc_, argv_);
  }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[16] = "planaq-ui-test";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

// A problem of four nodes on a square of LX by LY in two elements and one layer: the left
// side held at 10 m, the right side at 5 m, with nw wells and np particles.
inline Problem SquareProblem(int nw, int np) {
  Problem p;
  p.StartUp(Capacities{});
  p.NL = 1;
  p.NN = 4;
  p.NA = 4;
  p.NM = 2;
  p.NB = 1;
  p.ProblemName = "Square";
  const double xs[4] = {0.0, 0.0, p.LX, p.LX};
  const double ys[4] = {0.0, p.LY, 0.0, p.LY};
  for (int n = 0; n < 4; ++n) {
    p.nodes[n] = Node{xs[n], ys[n], 2, 0};  // head given in layer 1
    p.layers[n].B[0] = 0.0;
    p.layers[n].T[0] = 20.0;
    p.layers[n].F[0] = n < 2 ? 10.0 : 5.0;
  }
  p.blocks[0] = Block{{0, 2, 1}, 0};
  p.elements[0] = Element{{0, 2, 1}, 0};
  p.elements[1] = Element{{1, 2, 3}, 0};
  p.NW = nw;
  for (int w = 0; w < nw; ++w) p.wells[w] = Well{w % 4, 0, -10.0};
  p.NP = np;
  for (int i = 0; i < np; ++i) p.particles[i].X0 = p.particles[i].Y0 = 100.0 + i;
  return p;
}

inline std::string WriteProblem(const TempDir& dir, const std::string& name, Problem p) {
  const std::string path = dir.File(name);
  const Outcome written = WriteDatafile(p, path);
  EXPECT_TRUE(written.ok) << written.message;
  return path;
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApp();
    form = std::make_unique<ui::TFormFem>(dialogs, dir.path());
    form->OnQuit([this] { ++quits; });
  }
  void TearDown() override { form.reset(); }

  ui::StringGrid* Grid(const char* name) const {
    auto* grid = form->findChild<ui::StringGrid*>(QString::fromLatin1(name));
    EXPECT_NE(grid, nullptr) << name;
    return grid;
  }
  QToolButton* Button(const char* name) const {
    auto* button = form->findChild<QToolButton*>(QString::fromLatin1(name));
    EXPECT_NE(button, nullptr) << name;
    return button;
  }
  void Trigger(const char* action) const {
    auto* item = form->findChild<QAction*>(QString::fromLatin1(action));
    ASSERT_NE(item, nullptr) << action;
    item->trigger();
  }
  QWidget* Panel(const char* name) const {
    auto* panel = form->findChild<QWidget*>(QString::fromLatin1(name));
    EXPECT_NE(panel, nullptr) << name;
    return panel;
  }
  std::string LastMessage() const {
    return dialogs.messages.empty() ? std::string() : dialogs.messages.back();
  }
  // types text into a cell of column 1 and leaves it for the given row
  bool EnterAndLeave(ui::StringGrid* grid, int row, const std::string& text, int nextRow) {
    grid->Select(1, row);
    grid->SetCellText(1, row, text);
    return grid->MoveTo(1, nextRow);
  }

  TempDir dir;
  ui::ScriptedDialogs dialogs;
  std::unique_ptr<ui::TFormFem> form;
  int quits = 0;
};

}  // namespace planaq::test

namespace planaq::test {

// Six nodes on a strip of LX by LY in four elements and one layer: the left side held at
// 10 m, the right side at 4 m, the middle pair unknown. The aquifer is confined (its top at
// 2 m), so the heads are linear in x and the middle pair comes out at 7 m.
inline Problem StripProblem() {
  Problem p = SquareProblem(0, 0);
  p.NN = p.NA = 6;
  p.NM = 4;
  const double xs[6] = {0.0, 0.0, 0.5 * p.LX, 0.5 * p.LX, p.LX, p.LX};
  const double ys[6] = {0.0, p.LY, 0.0, p.LY, 0.0, p.LY};
  const double fs[6] = {10.0, 10.0, 9.0, 9.0, 4.0, 4.0};
  for (int n = 0; n < 6; ++n) {
    p.nodes[n] = Node{xs[n], ys[n], (n == 2 || n == 3) ? 0 : 2, 0};
    p.layers[n].B[0] = 0.0;
    p.layers[n].T[0] = 2.0;
    p.layers[n].F[0] = fs[n];
  }
  p.elements[0] = Element{{0, 2, 1}, 0};
  p.elements[1] = Element{{1, 2, 3}, 0};
  p.elements[2] = Element{{2, 4, 3}, 0};
  p.elements[3] = Element{{3, 4, 5}, 0};
  return p;
}

}  // namespace planaq::test
