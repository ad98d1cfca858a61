#include "app/general_data.h"

#include <gtest/gtest.h>

#include "app/file_io.h"
#include "tests/support/temp_folder.h"

namespace vetra {
namespace {

using testing::TestState;

const std::string kDefaultLine = "1,\"01/09/02\",1,1,0,0,0,0,1,44,\"0.50\",\"00\",\"00000\",\"Si\"\r\n";

TEST(GeneralData, MissingFileIsReportedThenCreatedWithTheDefaults) {
  TestState t;
  ReadGeneralData(t.app);
  ASSERT_EQ(t.reporter.messages.size(), 1u);
  EXPECT_EQ(t.reporter.messages[0],
            "No se encuentra el fichero de datos generales DATOSGEN.VTR.\r\n"
            "Se ha procedido a crearlo automáticamente con los valores establecidos por defecto.");
  EXPECT_EQ(t.folder.Read("DATOSGEN.VTR"), kDefaultLine);
  EXPECT_EQ(t.app.lastFileError, 53);
  EXPECT_FLOAT_EQ(t.app.betPrice, 0.5f);
  EXPECT_EQ(t.app.totalMatchdays, 44);
  EXPECT_EQ(t.app.soundSetting, "Si");
  EXPECT_EQ(t.app.currentMatchdayDate, "01/09/02");

  // The second read finds the file and says nothing.
  ReadGeneralData(t.app);
  EXPECT_EQ(t.reporter.messages.size(), 1u);
  EXPECT_EQ(t.app.lastFileError, 0);
}

TEST(GeneralData, AllFourteenFieldsSurviveARoundTrip) {
  TestState t;
  AppState& a = t.app;
  a.currentMatchday = 38;
  a.currentMatchdayDate = "5/5/3";
  a.currentOrder = 30;
  a.reductionMethod = 3;
  a.printAdjust1 = -12;
  a.printAdjust2 = 7;
  a.printAdjust3 = 250;
  a.printAdjust4 = -1;
  a.printOrientation = 2;
  a.totalMatchdays = 52;
  a.betPriceText = "1.5";
  a.delegationCode = "7";
  a.receptorCode = "0012345";
  a.soundSetting = "No";
  WriteGeneralData(a);
  EXPECT_EQ(t.folder.Read("DATOSGEN.VTR"),
            "38,\"5/5/3\",30,3,-12,7,250,-1,2,52,\"1.5 \",\"7 \",\"00123\",\"No\"\r\n");

  AppState b;
  b.dataFolder = a.dataFolder;
  b.reporter = &t.reporter;
  ReadGeneralData(b);
  EXPECT_TRUE(t.reporter.messages.empty());
  EXPECT_EQ(b.currentMatchday, 38);
  EXPECT_EQ(b.currentMatchdayDate, "5/5/3");  // kept at the length it was written with
  EXPECT_EQ(b.currentOrder, 30);
  EXPECT_EQ(b.reductionMethod, 3);
  EXPECT_EQ(b.printAdjust1, -12);
  EXPECT_EQ(b.printAdjust2, 7);
  EXPECT_EQ(b.printAdjust3, 250);
  EXPECT_EQ(b.printAdjust4, -1);
  EXPECT_EQ(b.printOrientation, 2);
  EXPECT_EQ(b.totalMatchdays, 52);
  EXPECT_EQ(b.betPriceText, "1.5 ");
  EXPECT_FLOAT_EQ(b.betPrice, 1.5f);
  EXPECT_EQ(b.delegationCode, "7 ");
  EXPECT_EQ(b.receptorCode, "00123");
  EXPECT_EQ(b.soundSetting, "No");
}

TEST(GeneralData, FieldsAreReadWithBlanksQuotesAndShortTexts) {
  TestState t;
  t.folder.Write("DATOSGEN.VTR", " 4 , \"1,2/10/02\" ,2,1,0,0,0,0,1, 40 ,\"2\",\"7\",\"123456\",\"si\"\r\n");
  ReadGeneralData(t.app);
  EXPECT_TRUE(t.reporter.messages.empty());
  EXPECT_EQ(t.app.currentMatchday, 4);
  EXPECT_EQ(t.app.currentMatchdayDate, "1,2/10/02");
  EXPECT_EQ(t.app.totalMatchdays, 40);
  EXPECT_EQ(t.app.betPriceText, "2   ");
  EXPECT_FLOAT_EQ(t.app.betPrice, 2.0f);
  EXPECT_EQ(t.app.delegationCode, "7 ");
  EXPECT_EQ(t.app.receptorCode, "12345");
  EXPECT_EQ(t.app.soundSetting, "si");
}

TEST(GeneralData, AMalformedLineIsReportedAndTheFieldsReadSoFarAreKept) {
  TestState t;
  SetGeneralDataDefaults(t.app);
  t.app.totalMatchdays = 30;
  t.folder.Write("DATOSGEN.VTR", "9,\"02/02/03\",4\r\n");
  ReadGeneralData(t.app);
  ASSERT_EQ(t.reporter.messages.size(), 1u);
  EXPECT_EQ(t.reporter.messages[0], "LDG ERROR 62");
  EXPECT_EQ(t.app.lastFileError, 62);
  EXPECT_EQ(t.app.currentMatchday, 9);
  EXPECT_EQ(t.app.currentMatchdayDate, "02/02/03");
  EXPECT_EQ(t.app.currentOrder, 4);
  EXPECT_EQ(t.app.totalMatchdays, 30);  // not reached: keeps its value
  EXPECT_EQ(t.folder.Read("DATOSGEN.VTR"), "9,\"02/02/03\",4\r\n");  // never rewritten by a read

  t.reporter.messages.clear();
  t.folder.Write("DATOSGEN.VTR", "2,\"01/09/02\",ab,1,0,0,0,0,1,44,\"0.50\",\"00\",\"00000\",\"Si\"\r\n");
  ReadGeneralData(t.app);
  ASSERT_EQ(t.reporter.messages.size(), 1u);
  EXPECT_EQ(t.reporter.messages[0], "LDG ERROR 13");
  EXPECT_EQ(t.app.currentMatchday, 2);
  EXPECT_EQ(t.app.currentOrder, 4);

  // An overflow stops the reading without a message.
  t.reporter.messages.clear();
  t.folder.Write("DATOSGEN.VTR", "99999,\"01/09/02\"\r\n");
  ReadGeneralData(t.app);
  EXPECT_TRUE(t.reporter.messages.empty());
  EXPECT_EQ(t.app.lastFileError, 6);
  EXPECT_EQ(t.app.currentMatchday, 2);
}

TEST(GeneralData, AFailedWriteIsReportedAndKeepsThePreviousFile) {
  TestState t;
  t.folder.Write("DATOSGEN.VTR", kDefaultLine);
  ReadGeneralData(t.app);
  t.app.totalMatchdays = 38;

  FileFaultsForTesting().readOnlyFolders = {t.folder.Path()};
  WriteGeneralData(t.app);
  FileFaultsForTesting() = {};
  ASSERT_EQ(t.reporter.messages.size(), 1u);
  EXPECT_EQ(t.reporter.messages[0], "EDG ERROR 70");
  EXPECT_EQ(t.app.lastFileError, 70);
  EXPECT_EQ(t.folder.Read("DATOSGEN.VTR"), kDefaultLine);

  FileFaultsForTesting().bytesBeforeDiskFull = 10;
  WriteGeneralData(t.app);
  FileFaultsForTesting() = {};
  ASSERT_EQ(t.reporter.messages.size(), 2u);
  EXPECT_EQ(t.reporter.messages[1], "EDG ERROR 61");
  EXPECT_EQ(t.folder.Read("DATOSGEN.VTR"), kDefaultLine);
  EXPECT_FALSE(t.folder.Exists("DATOSGEN.VTR.~tmp"));

  // A data folder that has gone away.
  t.app.dataFolder = t.folder.File("gone");
  WriteGeneralData(t.app);
  ASSERT_EQ(t.reporter.messages.size(), 3u);
  EXPECT_EQ(t.reporter.messages[2],
            "EDG ERROR 76: No existe la carpeta del fichero de datos generales DATOSGEN.VTR");
}

}  // namespace
}  // namespace vetra
