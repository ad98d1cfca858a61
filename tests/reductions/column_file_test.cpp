#include "reductions/column_file.h"

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/file_io.h"
#include "tests/support/temp_folder.h"

namespace vetra {
namespace {

using testing::TestState;
using Messages = std::vector<std::string>;

// Column n of a test run: n written in base 3 over the 14 matches, match 1
// changing fastest, as the engine's odometer would.
std::string ColumnNumber(long long n) {
  std::string column;
  for (int m = 0; m < 14; ++m, n /= 3) column += "1X2"[n % 3];
  return column;
}

void WriteColumns(AppState& app, int matchday, int order, long long count) {
  ColumnFileWriter out(app, matchday, order);
  for (long long n = 0; n < count; ++n) out.Write(ColumnNumber(n));
  out.Commit();
}

TEST(ColumnFile, NamesCarryMatchdayAndOrderInTwoDigits) {
  EXPECT_EQ(ColumnFileName(1, 1), "RED0101.VTR");
  EXPECT_EQ(ColumnFileName(7, 3), "RED0703.VTR");
  EXPECT_EQ(ColumnFileName(12, 30), "RED1230.VTR");
}

TEST(ColumnFile, OneColumnIsAnEighteenByteFile) {
  TestState t;
  ColumnFileWriter out(t.app, 7, 3);
  out.Write("1X21X21X21X21X");
  EXPECT_FALSE(t.folder.Exists("RED0703.VTR"));  // nothing under the real name before the end
  out.Commit();
  EXPECT_TRUE(out.Good());
  EXPECT_EQ(t.app.lastFileError, 0);
  EXPECT_EQ(t.folder.Read("RED0703.VTR"), "\"1X21X21X21X21X\"\r\n");
  EXPECT_FALSE(t.folder.Exists("RED0703.VTR.~tmp"));
}

TEST(ColumnFile, ManyColumnsAreReadInOrderAndFromAnyColumnOn) {
  TestState t;
  constexpr long long kCount = 100000;
  WriteColumns(t.app, 12, 30, kCount);
  ASSERT_EQ(t.folder.Read("RED1230.VTR").size(), 18u * kCount);

  t.app.currentMatchday = 12;
  t.app.currentOrder = 30;
  ColumnFileReader in;
  ASSERT_EQ(in.Open(t.app), 0);
  EXPECT_EQ(t.app.fileToOpen, "RED1230.VTR");
  EXPECT_EQ(in.ColumnCount(), kCount);
  std::string column;
  long long n = 0;
  bool inOrder = true;
  while (in.Next(column)) inOrder = inOrder && column == ColumnNumber(n++);
  EXPECT_TRUE(inOrder);
  EXPECT_EQ(n, kCount);

  in.SeekColumn(54321);  // slip 6791 starts at column 54321
  ASSERT_TRUE(in.Next(column));
  EXPECT_EQ(column, ColumnNumber(54320));
  ASSERT_TRUE(in.Next(column));
  EXPECT_EQ(column, ColumnNumber(54321));
  in.SeekColumn(kCount);
  ASSERT_TRUE(in.Next(column));
  EXPECT_EQ(column, ColumnNumber(kCount - 1));
  EXPECT_FALSE(in.Next(column));  // never past the end
  in.SeekColumn(kCount + 5);
  EXPECT_FALSE(in.Next(column));
  EXPECT_TRUE(t.reporter.messages.empty());
}

TEST(ColumnFile, ARunReplacesTheWholeFileAndACancelLeavesNone) {
  TestState t;
  WriteColumns(t.app, 12, 30, 50);
  WriteColumns(t.app, 12, 30, 2);
  EXPECT_EQ(t.folder.Read("RED1230.VTR"), "\"11111111111111\"\r\n\"X1111111111111\"\r\n");

  {
    ColumnFileWriter out(t.app, 12, 30);
    out.Write("22222222222222");
    out.Cancel();
  }
  EXPECT_FALSE(t.folder.Exists("RED1230.VTR"));
  EXPECT_FALSE(t.folder.Exists("RED1230.VTR.~tmp"));

  // A writer dropped without a commit leaves the old file as it was.
  WriteColumns(t.app, 1, 1, 1);
  {
    ColumnFileWriter out(t.app, 1, 1);
    out.Write("22222222222222");
  }
  EXPECT_EQ(t.folder.Read("RED0101.VTR"), "\"11111111111111\"\r\n");
  EXPECT_FALSE(t.folder.Exists("RED0101.VTR.~tmp"));
  EXPECT_TRUE(t.reporter.messages.empty());
}

TEST(ColumnFile, AFailedWriteIsReportedOnceAndKeepsThePreviousFile) {
  TestState t;
  WriteColumns(t.app, 7, 3, 3);
  const std::string before = t.folder.Read("RED0703.VTR");

  FileFaultsForTesting().readOnlyFolders = {t.folder.Path()};
  WriteColumns(t.app, 7, 3, 10);
  FileFaultsForTesting() = {};
  EXPECT_EQ(t.reporter.messages, Messages{"ECR ERROR 70"});
  EXPECT_EQ(t.app.lastFileError, 70);

  // The disk fills in the middle of a large run.
  FileFaultsForTesting().bytesBeforeDiskFull = 1000000;
  ColumnFileWriter out(t.app, 7, 3);
  for (long long n = 0; n < 200000; ++n) out.Write(ColumnNumber(n));
  out.Commit();
  FileFaultsForTesting() = {};
  EXPECT_FALSE(out.Good());
  EXPECT_LT(out.ColumnsWritten(), 200000);
  EXPECT_EQ(t.reporter.messages, (Messages{"ECR ERROR 70", "ECR ERROR 61"}));
  EXPECT_EQ(t.folder.Read("RED0703.VTR"), before);
  EXPECT_FALSE(t.folder.Exists("RED0703.VTR.~tmp"));

  t.app.dataFolder = t.folder.File("gone");
  WriteColumns(t.app, 7, 3, 1);
  EXPECT_EQ(t.reporter.messages.back(), "ECR ERROR 76: No existe la carpeta del fichero RED0703.VTR");
}

TEST(ColumnFile, EmptyShortAndBinaryFilesAreReadToTheirEndWithoutHarm) {
  TestState t;
  t.app.currentMatchday = 2;
  t.app.currentOrder = 1;
  ColumnFileReader in;
  std::string column;

  t.folder.Write("RED0201.VTR", "");
  ASSERT_EQ(in.Open(t.app), 0);
  EXPECT_EQ(in.ColumnCount(), 0);
  EXPECT_FALSE(in.Next(column));

  // A short column, an unquoted one, a last line without its line end.
  t.folder.Write("RED0201.VTR", "\"1X2\"\r\n 111XXX222111XX , \"2\"\n\"11111111111111");
  ASSERT_EQ(in.Open(t.app), 0);
  std::vector<std::string> columns;
  while (in.Next(column)) columns.push_back(column);
  EXPECT_EQ(columns, (std::vector<std::string>{"1X2", "111XXX222111XX", "11111111111111"}));

  std::string binary;
  for (int i = 0; i < 5000; ++i) binary += static_cast<char>((i * 7919) % 256);
  t.folder.Write("RED0201.VTR", binary);
  ASSERT_EQ(in.Open(t.app), 0);
  long long lines = 0;
  bool narrow = true;
  while (in.Next(column)) {
    ++lines;
    narrow = narrow && column.size() <= 14;
  }
  EXPECT_GT(lines, 0);
  EXPECT_TRUE(narrow);
  EXPECT_EQ(in.ColumnCount(), (5000 + 17) / 18);
  EXPECT_TRUE(t.reporter.messages.empty());
}

TEST(ColumnFile, OpeningFailsAsTheSharedOpenRoutineDoes) {
  TestState t;
  t.app.currentMatchday = 7;
  t.app.currentOrder = 3;
  ColumnFileReader in;
  EXPECT_EQ(in.Open(t.app), 53);  // a missing file is left to the caller
  EXPECT_EQ(t.app.lastFileError, 53);
  EXPECT_FALSE(in.IsOpen());
  std::string column;
  EXPECT_FALSE(in.Next(column));
  EXPECT_TRUE(t.reporter.messages.empty());

  t.app.dataFolder = t.folder.File("gone");
  EXPECT_EQ(in.Open(t.app), 76);
  EXPECT_EQ(t.reporter.messages, Messages{"RED0703.VTR ERROR 76"});
}

TEST(ColumnFile, DeletionTakesTheFilesOfAKeyOrOfAWholeMatchday) {
  TestState t;
  for (const char* name : {"RED0501.VTR", "RED0530.VTR", "RED0599.VTR", "RED05.VTR", "RED0601.VTR", "RED1505.VTR",
                           "RED0501.TXT", "BASES.VTR"})
    t.folder.Write(name, "x");

  DeleteColumnFile(t.app, 6, 1);
  DeleteColumnFile(t.app, 6, 2);  // missing: no error
  EXPECT_EQ(t.app.lastFileError, 0);
  EXPECT_FALSE(t.folder.Exists("RED0601.VTR"));

  DeleteMatchdayColumnFiles(t.app, 5);
  for (const char* gone : {"RED0501.VTR", "RED0530.VTR", "RED0599.VTR", "RED05.VTR"})
    EXPECT_FALSE(t.folder.Exists(gone)) << gone;
  for (const char* kept : {"RED1505.VTR", "RED0501.TXT", "BASES.VTR"}) EXPECT_TRUE(t.folder.Exists(kept)) << kept;
  EXPECT_TRUE(t.reporter.messages.empty());

  t.folder.Write("RED1505.VTR", "x");
  FileFaultsForTesting().readOnlyFolders = {t.folder.Path()};
  DeleteColumnFile(t.app, 15, 5);
  FileFaultsForTesting() = {};
  EXPECT_EQ(t.reporter.messages, Messages{"BCR ERROR 70"});
  EXPECT_TRUE(t.folder.Exists("RED1505.VTR"));
}

}  // namespace
}  // namespace vetra
