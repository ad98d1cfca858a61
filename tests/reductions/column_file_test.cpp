#include "reductions/column_file.h"

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/file_io.h"
#include "tests/reductions/numbered_columns.h"
#include "tests/support/temp_folder.h"

namespace vetra {
namespace {

using testing::ColumnNumber;
using testing::TestState;
using Messages = std::vector<std::string>;

void WriteColumns(AppState& app, int matchday, int order, long long count) {
  ColumnFileWriter out(app, matchday, order);
  for (long long n = 0; n < count; ++n) out.Write(ColumnNumber(n));
  out.Commit();
}

TEST(ColumnFile, ANewFileReplacesTheOldOnlyWhenCommitted) {
  TestState t;
  WriteColumns(t.app, 7, 3, 50);
  {
    ColumnFileWriter out(t.app, 7, 3);
    out.Write("1X21X21X21X21X");
    EXPECT_EQ(t.folder.Read("RED0703.VTR").size(), 50 * 18u);  // the old file till the end
    out.Commit();
  }
  EXPECT_EQ(t.folder.Read("RED0703.VTR"), "\"1X21X21X21X21X\"\r\n");

  FileFaultsForTesting().readOnlyFolders = {t.folder.Path()};
  WriteColumns(t.app, 7, 3, 10);
  FileFaultsForTesting() = {};
  EXPECT_EQ(t.reporter.messages, Messages{"ECR ERROR 70"});  // once for the whole run
  EXPECT_EQ(t.folder.Read("RED0703.VTR"), "\"1X21X21X21X21X\"\r\n");
}

TEST(ColumnFile, ColumnsAreReadInOrderAndOddFilesToTheirEndWithoutHarm) {
  TestState t;
  constexpr long long kCount = 100000;
  WriteColumns(t.app, 12, 30, kCount);
  t.app.currentMatchday = 12;
  t.app.currentOrder = 30;
  ColumnFileReader in;
  ASSERT_EQ(in.Open(t.app), 0);
  EXPECT_EQ(in.ColumnCount(), kCount);
  std::string column;
  long long n = 0;
  bool inOrder = true;
  while (in.Next(column)) inOrder = inOrder && column == ColumnNumber(n++);
  EXPECT_TRUE(inOrder);
  EXPECT_EQ(n, kCount);

  t.app.currentMatchday = 2;
  t.app.currentOrder = 1;
  EXPECT_EQ(in.Open(t.app), 53);  // a missing file is left to the caller
  EXPECT_FALSE(in.Next(column));
  // A short column, an unquoted one, a last line without its line end.
  t.folder.Write("RED0201.VTR", "\"1X2\"\r\n 111XXX222111XX , \"2\"\n\"11111111111111");
  ASSERT_EQ(in.Open(t.app), 0);
  std::vector<std::string> columns;
  while (in.Next(column)) columns.push_back(column);
  EXPECT_EQ(columns, (std::vector<std::string>{"1X2", "111XXX222111XX", "11111111111111"}));
  EXPECT_TRUE(t.reporter.messages.empty());

  t.app.dataFolder = t.folder.File("gone");
  EXPECT_EQ(in.Open(t.app), 76);
  EXPECT_EQ(t.reporter.messages, Messages{"RED0201.VTR ERROR 76"});
}

}  // namespace
}  // namespace vetra
