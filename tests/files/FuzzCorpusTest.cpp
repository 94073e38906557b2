// Inputs the fuzzer found interesting, kept so that every build reads them again.
#include <gtest/gtest.h>

#include <filesystem>

#include "DatafileProperty.h"
#include "support/TempDir.h"

namespace planaq {
namespace {

TEST(DatafileFuzzCorpus, EveryInputEndsInsideTheTablesAndReadsBackAsWritten) {
  const std::filesystem::path corpus = std::filesystem::path(PLANAQ_TEST_DATA) / "fuzz";
  int inputs = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    const std::string bytes = test::ReadFile(entry.path().string());
    EXPECT_EQ(fuzz::CheckDatafileBytes(bytes), "") << entry.path();
    ++inputs;
  }
  EXPECT_GT(inputs, 10);
}

}  // namespace
}  // namespace planaq
