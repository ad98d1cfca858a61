#include "app/general_data.h"

#include <gtest/gtest.h>

#include "app/file_io.h"
#include "tests/support/temp_folder.h"

namespace vetra {
namespace {

using testing::TestState;

const std::string kDefaultLine = "1,\"01/09/02\",1,1,0,0,0,0,1,44,\"0.50\",\"00\",\"00000\",\"Si\"\r\n";

TEST(GeneralData, AMissingFileIsReportedOnceAndCreatedWithTheDefaults) {
  TestState t;
  ReadGeneralData(t.app);
  EXPECT_EQ(t.reporter.messages.size(), 1u);
  EXPECT_EQ(t.folder.Read("DATOSGEN.VTR"), kDefaultLine);
  EXPECT_EQ(t.app.lastFileError, 53);
  EXPECT_FLOAT_EQ(t.app.betPrice, 0.5f);
  ReadGeneralData(t.app);
  EXPECT_EQ(t.reporter.messages.size(), 1u);
}

TEST(GeneralData, EveryFieldReadsBackAndIsRewrittenByteExact) {
  TestState t;
  const std::string line = "38,\"5/5/3\",30,3,-12,7,250,-1,2,52,\"1.5 \",\"7 \",\"00123\",\"No\"\r\n";
  t.folder.Write("DATOSGEN.VTR", line);
  ReadGeneralData(t.app);
  EXPECT_EQ(t.app.currentMatchdayDate, "5/5/3");  // kept at the length it was written with
  EXPECT_EQ(t.app.printAdjust1, -12);
  EXPECT_EQ(t.app.printAdjust4, -1);
  EXPECT_EQ(t.app.totalMatchdays, 52);
  EXPECT_FLOAT_EQ(t.app.betPrice, 1.5f);
  std::filesystem::remove(t.folder.File("DATOSGEN.VTR"));
  WriteGeneralData(t.app);
  EXPECT_EQ(t.folder.Read("DATOSGEN.VTR"), line);

  // Hand-written: blanks around fields, commas within quotes, texts padded or cut.
  t.folder.Write("DATOSGEN.VTR", " 4 , \"1,2/10/02\" ,2,1,0,0,0,0,1, 40 ,\"2\",\"7\",\"123456\",\"si\"\r\n");
  ReadGeneralData(t.app);
  WriteGeneralData(t.app);
  EXPECT_EQ(t.folder.Read("DATOSGEN.VTR"), "4,\"1,2/10/02\",2,1,0,0,0,0,1,40,\"2   \",\"7 \",\"12345\",\"si\"\r\n");
  EXPECT_TRUE(t.reporter.messages.empty());
}

TEST(GeneralData, ValuesOutOfTheirRangesAreBroughtBackWithoutRewritingTheFile) {
  struct Case {
    std::string line;
    int season, matchday, order, method, orientation;
  };
  const Case cases[] = {
      {"0,\"01/09/02\",0,0,0,0,0,0,0,0,\"0.50\",\"00\",\"00000\",\"Si\"\r\n", 44, 1, 1, 1, 1},
      {"120,\"01/09/02\",31,4,0,0,0,0,3,120,\"0.50\",\"00\",\"00000\",\"Si\"\r\n", 52, 52, 30, 1, 1},
      {"-5,\"01/09/02\",-5,-1,0,0,0,0,-2,-3,\"0.50\",\"00\",\"00000\",\"Si\"\r\n", 44, 1, 1, 1, 1},
      {"40,\"01/09/02\",7,2,0,0,0,0,2,38,\"0.50\",\"00\",\"00000\",\"Si\"\r\n", 38, 38, 7, 2, 2},
  };
  for (const Case& c : cases) {
    TestState t;
    t.folder.Write("DATOSGEN.VTR", c.line);
    ReadGeneralData(t.app);
    EXPECT_EQ(t.app.totalMatchdays, c.season) << c.line;
    EXPECT_EQ(t.app.currentMatchday, c.matchday) << c.line;
    EXPECT_EQ(t.app.currentOrder, c.order) << c.line;
    EXPECT_EQ(t.app.reductionMethod, c.method) << c.line;
    EXPECT_EQ(t.app.printOrientation, c.orientation) << c.line;
    EXPECT_TRUE(t.reporter.messages.empty());
    EXPECT_EQ(t.folder.Read("DATOSGEN.VTR"), c.line);
  }
}

TEST(GeneralData, AShortLineIsReportedAndKeepsTheFieldsReadSoFar) {
  TestState t;
  SetGeneralDataDefaults(t.app);
  t.app.totalMatchdays = 30;
  t.folder.Write("DATOSGEN.VTR", "9,\"02/02/03\",4\r\n");
  ReadGeneralData(t.app);
  EXPECT_EQ(t.reporter.messages, std::vector<std::string>{"LDG ERROR 62"});
  EXPECT_EQ(t.app.currentOrder, 4);
  EXPECT_EQ(t.app.totalMatchdays, 30);  // not reached: keeps its value
  EXPECT_EQ(t.folder.Read("DATOSGEN.VTR"), "9,\"02/02/03\",4\r\n");  // never rewritten by a read
}

TEST(GeneralData, AFailedWriteIsReportedAndKeepsThePreviousFile) {
  TestState t;
  t.folder.Write("DATOSGEN.VTR", kDefaultLine);
  ReadGeneralData(t.app);
  t.app.totalMatchdays = 38;
  FileFaultsForTesting().readOnlyFolders = {t.folder.Path()};
  WriteGeneralData(t.app);
  FileFaultsForTesting() = {};
  FileFaultsForTesting().bytesBeforeDiskFull = 10;
  WriteGeneralData(t.app);
  FileFaultsForTesting() = {};
  ASSERT_EQ(t.reporter.messages.size(), 2u);
  EXPECT_EQ(t.reporter.messages[0], "EDG ERROR 70");
  EXPECT_TRUE(t.reporter.messages[1].starts_with("EDG ERROR 61: Disco lleno"));
  EXPECT_EQ(t.folder.Read("DATOSGEN.VTR"), kDefaultLine);
  EXPECT_FALSE(t.folder.Exists("DATOSGEN.VTR.~tmp"));
}

}  // namespace
}  // namespace vetra
