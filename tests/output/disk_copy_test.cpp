// The copy to disk: the AD243 records byte for byte, the change of volume
// after 11650 slips, the six text formats, a drive without a disk, a cancel
// and a failing disk.
#include "output/disk_copy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <random>

#include "app/app_state.h"
#include "app/file_errors.h"
#include "app/file_io.h"
#include "tests/output/output_test_support.h"

namespace vetra {
namespace {

using testing::TempFolder;
using testing::TestColumn;
using testing::TestState;

class FakeDiskRun : public DiskCopyRun {
 public:
  void Started() override { events.push_back("started"); }
  void ShowStatus(const std::string& text) override {
    events.push_back(text);
    status.push_back(text);
  }
  bool Cancelled() override { return cancelAfter >= 0 && --cancelAfter < 0; }
  void Warn(const std::string& title, const std::string& text) override {
    events.push_back(title);
    texts.push_back(text);
    if (onWarn) onWarn(title);
  }
  bool AskForDisk(const std::string& title, const std::string& text) override {
    events.push_back(title);
    texts.push_back(text);
    return diskAnswers-- > 0;
  }
  void Stopping() override { events.push_back("stopping"); }
  void Pause(int milliseconds) override { events.push_back("pause " + std::to_string(milliseconds)); }

  std::vector<std::string> events, status, texts;
  int cancelAfter = -1;  // Cancelled() answers true on its call number cancelAfter + 1
  int diskAnswers = 0;   // times "Copiar" is pressed in "NO HAY DISCO"
  std::function<void(const std::string&)> onWarn;
};

bool Has(const std::vector<std::string>& list, const std::string& item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
  return names;
}

struct Fixture {
  Fixture() {
    t.app.currentMatchdayDate = "07/09/02";
    t.app.delegationCode = "12";
    t.app.receptorCode = "34567";
  }
  DiskCopyResult Copy(int format, const std::string& name = "AD243") {
    return CopyToDisk(t.app, {format, Drive(), name}, run);
  }
  std::string Drive() const { return drive.Path() + "/"; }
  // The slip record as laid out: "D", the slip in 8 digits, the count, the
  // columns from position 11 and blanks up to 123.
  static std::string SlipRecord(const std::string& slip8, char count, const std::string& columns) {
    return "D" + slip8 + count + columns + std::string(113 - columns.size(), ' ');
  }
  static std::string Columns(int from, int to) {
    std::string out;
    for (int n = from; n <= to; ++n) out += TestColumn(n);
    return out;
  }
  TestState t;
  TempFolder drive;
  FakeDiskRun run;
};

// "C", volume, "243", matchday 01, date 070902, delegation 12, receptor
// 34567, then columns, volumes and slips; check (1+4+9+16+25+36+49) mod 11 = 8.
std::string Header(const std::string& volume, const std::string& columns, const std::string& volumes,
                   const std::string& slips) {
  return "C" + volume + "243" + "01" + "070902" + "12" + "34567" + columns + volumes + slips + "08" +
         std::string(86, ' ');
}

TEST(DiskCopyAd243, FullSlipsOneHeaderAndNoLineBreaks) {
  Fixture f;
  testing::StoreTestColumns(f.t, 16);
  const DiskCopyResult result = f.Copy(0, "  AD243 ");
  EXPECT_EQ(result.outcome, DiskCopyOutcome::Copied);
  const std::string bytes = f.drive.Read("AD243");
  ASSERT_EQ(bytes.size(), 369u);
  EXPECT_EQ(bytes.substr(0, 123), Header("01", "000016", "01", "000002"));
  EXPECT_EQ(bytes.substr(123, 123), Fixture::SlipRecord("00000001", '8', Fixture::Columns(1, 8)));
  EXPECT_EQ(bytes.substr(246), Fixture::SlipRecord("00000002", '8', Fixture::Columns(9, 16)));
  EXPECT_EQ(FilesIn(f.drive.Path()), std::vector<std::string>{"AD243"});
  EXPECT_TRUE(Has(f.run.status, "Se está creando en la unidad " + f.Drive() + " el archivo AD243\n"
                                "Número de disquetes necesarios para esta reducción: 1\n"
                                "Se ha copiado el 100 %"));
  EXPECT_EQ(f.run.status.back(), "Se ha copiado a la unidad " + f.Drive() + " el archivo AD243");
  EXPECT_FALSE(Has(f.run.events, "ÚLTIMO BOLETO INCOMPLETO"));
}

TEST(DiskCopyAd243, ALoneLastColumnIsDuplicatedAndAShortSlipCountsItsColumns) {
  {
    Fixture f;
    testing::StoreTestColumns(f.t, 17);
    f.Copy(0);
    const std::string bytes = f.drive.Read("AD243");
    ASSERT_EQ(bytes.size(), 4 * 123u);
    EXPECT_EQ(bytes.substr(0, 123), Header("01", "000018", "01", "000003"));
    EXPECT_EQ(bytes.substr(369), Fixture::SlipRecord("00000003", '2', TestColumn(17) + TestColumn(17)));
    EXPECT_TRUE(Has(f.run.events, "ÚLTIMO BOLETO INCOMPLETO"));
    EXPECT_EQ(f.run.texts.front(),
              "Con esta reducción, el último boleto sólo contiene una columna. Como cada boleto debe tener dos "
              "columnas como mínimo,  se duplicará la última columna y,  por lo tanto, aumentará en una el número "
              "total de columnas incluidas en el disco.");
    EXPECT_EQ(f.t.app.reducedBets, 17);
  }
  {
    Fixture f;
    testing::StoreTestColumns(f.t, 20);
    f.Copy(0);
    const std::string last = f.drive.Read("AD243").substr(369);
    EXPECT_EQ(last, Fixture::SlipRecord("00000003", '4', Fixture::Columns(17, 20)));
    EXPECT_EQ(last.substr(66), std::string(57, ' '));  // positions 67-123
  }
}

TEST(DiskCopyAd243, CheckDigitCountsOtherCharactersAsZero) {
  // 9 x (3 + 4 + 5 + 6 + 7) = 225, 225 mod 11 = 5; the letters count 0.
  EXPECT_EQ(Ad243CheckDigit("AB", "99999"), 5);
  // 1 + 9 x 2 + 9 x 7 = 82, 82 mod 11 = 5; the blanks count 0.
  EXPECT_EQ(Ad243CheckDigit("19", "    9"), 5);
  // In the header at positions 36-37, two digits: 5 x 2 = 10, and 1 x 5 = 5.
  Ad243Header h;
  h.delegationCode = "05";
  h.receptorCode = "00000";
  EXPECT_EQ(Ad243HeaderRecord(h).substr(35, 2), "10");
  h.delegationCode = "00";
  h.receptorCode = "00100";
  EXPECT_EQ(Ad243HeaderRecord(h).substr(35, 2), "05");
}

TEST(DiskCopyAd243, OneSlipPastAVolumeGoesOnASecondDisk) {
  Fixture f;
  const int columns = 11651 * 8;
  testing::StoreTestColumns(f.t, columns);
  std::string firstVolume;
  f.run.onWarn = [&f, &firstVolume](const std::string& title) {
    if (title == "DISCO COMPLETO") firstVolume = f.drive.Read("AD243");
  };
  const DiskCopyResult result = f.Copy(0);
  EXPECT_EQ(result.volumes, 2);
  ASSERT_EQ(firstVolume.size(), 11651 * 123u);
  EXPECT_EQ(firstVolume.substr(0, 123), Header("01", "093208", "02", "011651"));
  EXPECT_EQ(firstVolume.substr(11650 * 123), Fixture::SlipRecord("00011650", '8', Fixture::Columns(93193, 93200)));
  const std::string second = f.drive.Read("AD243");
  ASSERT_EQ(second.size(), 246u);
  EXPECT_EQ(second.substr(0, 123), Header("02", "093208", "02", "011651"));
  EXPECT_EQ(second.substr(123), Fixture::SlipRecord("00011651", '8', Fixture::Columns(93201, 93208)));
  EXPECT_EQ(f.run.texts, std::vector<std::string>{
                             "Se ha completado el disco actual (Volumen 1). Introduzca un nuevo disco (Volumen 2). "
                             "Cuando lo haya cambiado, pulse el botón Salir para seguir copiando."});
  EXPECT_TRUE(Has(f.run.status, "Se está creando en la unidad " + f.Drive() + " el archivo AD243\n"
                                "Número de disquetes necesarios para esta reducción: 2\n"
                                "Se ha copiado el 100 %"));
}

TEST(DiskCopyText, EachFormatWritesItsColumnsAndNothingElse) {
  const std::string a = "1X21X21X21X21X", b = "22222222222222";
  const std::string aSigns = R"("1","X","2","1","X","2","1","X","2","1","X","2","1","X")";
  const std::string bSigns = R"("2","2","2","2","2","2","2","2","2","2","2","2","2","2")";
  const std::string expected[] = {
      a + b,
      a + "\r\n" + b + "\r\n",
      "\"" + a + "\",\"" + b + "\"",
      "\"" + a + "\"\r\n\"" + b + "\"\r\n",
      aSigns + "," + bSigns,
      aSigns + "\r\n" + bSigns + "\r\n",
  };
  for (int format = 1; format <= 6; ++format) {
    Fixture f;
    f.t.folder.Write("RED0101.VTR", "\"" + a + "\"\r\n\"" + b + "\"\r\n");
    f.t.app.currentMatchday = f.t.app.currentOrder = 1;
    f.t.app.reducedBets = 2;
    const std::string name = DefaultExportFileName(format, 1, 1);
    EXPECT_EQ(name, "Col0101.txt");
    f.Copy(format, name);
    EXPECT_EQ(f.drive.Read(name), expected[format - 1]) << "TXT" << format;
    EXPECT_FALSE(Has(f.run.events, "ÚLTIMO BOLETO INCOMPLETO"));
  }
}

TEST(DiskCopyFailures, ADriveThatIsNotThereAsksForADiskUntilTheUserGivesUp) {
  Fixture f;
  testing::StoreTestColumns(f.t, 16);
  std::random_device rd;
  const std::string drive = "/mnt/vetra32-no-such-drive-" + std::to_string(rd()) + "/";
  f.run.diskAnswers = 1;  // "Copiar" once, then "Salir"
  const DiskCopyResult result = CopyToDisk(f.t.app, {0, drive, "AD243"}, f.run);
  EXPECT_EQ(result.outcome, DiskCopyOutcome::Cancelled);
  const std::string text = "No ha colocado ningún disco en la unidad " + drive +
                           ". Introduzca un disco formateado y pulse el botón  Copiar  para comenzar a copiar.   "
                           "Si desea suspender el proceso  de  Copia  a  disco  pulse  el  botón Salir.";
  EXPECT_EQ(f.run.texts, (std::vector<std::string>{text, text}));
  EXPECT_EQ(f.run.status.back(), "   Se ha cancelado la operación de copiado");
  EXPECT_FALSE(std::filesystem::exists(drive));
  EXPECT_TRUE(f.t.reporter.messages.empty());
}

TEST(DiskCopyFailures, ACancelOrAFullDiskLeavesNoHalfFile) {
  for (int format : {0, 2}) {
    Fixture f;
    testing::StoreTestColumns(f.t, 40);
    f.drive.Write("AD243", "an older copy");
    f.run.cancelAfter = 20;
    const DiskCopyResult result = f.Copy(format);
    EXPECT_EQ(result.outcome, DiskCopyOutcome::Cancelled);
    EXPECT_TRUE(FilesIn(f.drive.Path()).empty());
    EXPECT_EQ(f.run.events.back(), "pause 1000");
    EXPECT_EQ(f.run.status.back(), "   Se ha cancelado la operación de copiado");
  }
  {
    // The copy skips its write errors: nothing is reported, the number is kept.
    Fixture f;
    testing::StoreTestColumns(f.t, 40);
    FileFaultsForTesting().bytesBeforeDiskFull = 100;
    const DiskCopyResult result = f.Copy(0);
    FileFaultsForTesting().bytesBeforeDiskFull = -1;
    EXPECT_EQ(result.writeError, err::kDiskFull);
    EXPECT_EQ(f.t.app.lastFileError, err::kDiskFull);
    EXPECT_TRUE(f.t.reporter.messages.empty());
    EXPECT_TRUE(FilesIn(f.drive.Path()).empty());
  }
}

}  // namespace
}  // namespace vetra
