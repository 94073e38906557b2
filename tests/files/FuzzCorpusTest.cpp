// Inputs the fuzzers found interesting, kept so that every build reads them again.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "DatafileProperty.h"
#include "EditProperty.h"
#include "InstallationProperty.h"
#include "support/TempDir.h"

namespace planaq {
namespace {

using Property = std::function<std::string(const std::string& bytes)>;

void ExpectPropertyForEveryInput(const std::string& folder, const Property& property) {
  const std::filesystem::path corpus = std::filesystem::path(PLANAQ_TEST_DATA) / folder;
  int inputs = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    EXPECT_EQ(property(test::ReadFile(entry.path().string())), "") << entry.path();
    ++inputs;
  }
  EXPECT_GT(inputs, 3);
}

TEST(FuzzCorpus, EveryDatafileEndsInsideTheTablesAndReadsBackAsWritten) {
  ExpectPropertyForEveryInput("fuzz", fuzz::CheckDatafileBytes);
}

TEST(FuzzCorpus, EveryInstallationFileGivesUsableCapacitiesAndReadsBackAsWritten) {
  test::TempDir dir;
  ExpectPropertyForEveryInput("fuzz-installation", [&dir](const std::string& bytes) {
    return fuzz::CheckInstallationBytes(bytes, dir.path());
  });
}

TEST(FuzzCorpus, EveryEditSequenceSavesAndReadsBackAsSaved) {
  ExpectPropertyForEveryInput("fuzz-edits", fuzz::CheckEditBytes);
}

}  // namespace
}  // namespace planaq
