// The filter and extension rules of the datafile dialogs, and the scripted dialogs of the tests.

#include <QPrinter>
#include <stdexcept>

#include "UiTest.h"
#include "ui/MemoryGuard.h"

namespace planaq::test {

// gtest owns the environment
::testing::Environment* const kQtApp = ::testing::AddGlobalTestEnvironment(new QtAppEnvironment);

namespace {

TEST(DialogFilter, BecomesAQtNameFilter) {
  EXPECT_EQ(ui::QtNameFilter("AQD(*.aqd)|*.aqd"), "AQD (*.aqd)");
  EXPECT_EQ(ui::QtNameFilter("AQD(*.aqd)|*.aqd|All|*"), "AQD (*.aqd);;All (*)");
}

struct ExtensionCase {
  const char* name;
  const char* path;
  const char* expected;
};

class DefaultExtension : public ::testing::TestWithParam<ExtensionCase> {};

TEST_P(DefaultExtension, IsAddedOnlyToANameWithoutOne) {
  EXPECT_EQ(ui::WithDefaultExtension(GetParam().path, "*.aqd"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, DefaultExtension,
    ::testing::Values(ExtensionCase{"Bare", "/tmp/run", "/tmp/run.aqd"},
                      ExtensionCase{"HasOne", "/tmp/run.aqd", "/tmp/run.aqd"},
                      ExtensionCase{"OtherOne", "/tmp/run.txt", "/tmp/run.txt"},
                      ExtensionCase{"DotInFolderOnly", "/tmp/a.b/run", "/tmp/a.b/run.aqd"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ScriptedDialogs, AnswersInOrderThenCancels) {
  EnsureApp();
  ui::ScriptedDialogs d;
  d.AnswerFile("/tmp/one.aqd");
  d.AnswerFile("");
  ui::FileDialogSetup setup;
  setup.fileName = "proposed.aqd";
  EXPECT_EQ(d.OpenFile(setup).value_or("none"), "/tmp/one.aqd");
  EXPECT_FALSE(d.SaveFile(setup).has_value());
  EXPECT_FALSE(d.OpenFile(setup).has_value()) << "no answer left counts as cancel";
  ASSERT_EQ(d.openSetups.size(), 2u);
  EXPECT_EQ(d.saveSetups.at(0).fileName, "proposed.aqd");

  QPrinter printer;
  d.AnswerPrint("/tmp/out.pdf");
  EXPECT_TRUE(d.Print(printer));
  EXPECT_EQ(printer.outputFileName(), QStringLiteral("/tmp/out.pdf"));
  EXPECT_FALSE(d.Print(printer));
  EXPECT_EQ(d.printDialogs, 2);
}

}  // namespace
}  // namespace planaq::test

namespace planaq::test {
namespace {

TEST(MemoryGuard, ACommandShortOfMemoryIsToldAndTheProgramGoesOn) {
  ui::ScriptedDialogs d;
  int ran = 0;
  EXPECT_TRUE(ui::WithinMemory(d, "Save", [&] { ++ran; }));
  EXPECT_FALSE(ui::WithinMemory(d, "Split 4", [] { throw std::bad_alloc(); }));
  EXPECT_EQ(ran, 1);
  ASSERT_EQ(d.messages.size(), 1u);
  EXPECT_EQ(d.messages[0], "Not enough memory for Split 4.");
  // anything else is no shortage of memory and is not swallowed
  EXPECT_THROW(ui::WithinMemory(d, "Open", [] { throw std::runtime_error("other"); }),
               std::runtime_error);
}

}  // namespace
}  // namespace planaq::test
