#include "tools/sample_data.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "app/data_folder.h"
#include "app/file_io.h"
#include "reductions/base_file.h"
#include "reductions/column_file.h"
#include "reductions/reduction_tables.h"
#include "tests/support/temp_folder.h"

namespace vetra {
namespace {

// The shipped index and column files are what the engine makes of the
// samples, and they show every method on a first start.
TEST(SampleData, TheGeneratorMakesEveryShippedFileAndTheyShowEveryMethod) {
  testing::TestState t;
  t.folder.Write("BASES.VTR", "an older index that the samples replace");
  EXPECT_EQ(WriteSampleData(t.app), 0);
  for (const char* name : kShippedFiles) {
    if (std::string(name) == "DATOSGEN.VTR") continue;  // shipped as written by hand
    std::string shipped;
    EXPECT_EQ(ReadFileBytes((std::filesystem::path(VETRA_SHIPPED_DATA) / name).string(), shipped), 0) << name;
    EXPECT_EQ(t.folder.Read(name), shipped) << name;
  }

  // Every method once at least, on the shipped matchdays, of a modest size.
  std::set<int> methods;
  for (auto [matchday, order] : {std::pair{1, 1}, {1, 2}, {1, 3}, {2, 1}}) {
    LoadBase(t.app, matchday, order);
    methods.insert(t.app.reductionMethod);
    EXPECT_EQ(t.folder.Read(ColumnFileName(matchday, order)).size(), t.app.reducedBets * kColumnLineSize);
    EXPECT_LE(t.app.reducedBets, 5000);
  }
  EXPECT_EQ(methods, (std::set<int>{kDirectMethod, kProbableColumnMethod, kSignSelectionMethod}));
  EXPECT_TRUE(t.reporter.messages.empty());
}

}  // namespace
}  // namespace vetra
