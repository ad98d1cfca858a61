// The copy to disk: the AD243 records byte for byte, the change of volume
// after 11650 slips, the six text formats, a cancel and a failing disk.
#include "output/disk_copy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

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
  void ShowStatus(const std::string& text) override { status = text; }
  bool Cancelled() override { return cancelAfter >= 0 && --cancelAfter < 0; }
  void Warn(const std::string& title, const std::string&) override {
    events.push_back(title);
    if (onWarn) onWarn(title);
  }
  bool AskForDisk(const std::string&, const std::string&) override { return false; }
  void Pause(int) override {}

  std::vector<std::string> events;  // the titles of the warnings
  std::string status;               // the last status shown
  int cancelAfter = -1;  // Cancelled() answers true on its call number cancelAfter + 1
  std::function<void(const std::string&)> onWarn;
};

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
    return CopyToDisk(t.app, {format, drive.Path() + "/", name}, run);
  }
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

TEST(DiskCopyAd243, AHeaderAndOneRecordASlipWithoutLineBreaks) {
  struct Case {
    int columns;
    std::string header, lastRecord;
  };
  const Case cases[] = {
      {16, Header("01", "000016", "01", "000002"), Fixture::SlipRecord("00000002", '8', Fixture::Columns(9, 16))},
      // A lone last column is written twice and counted as one more.
      {17, Header("01", "000018", "01", "000003"),
       Fixture::SlipRecord("00000003", '2', TestColumn(17) + TestColumn(17))},
      // A short last slip says how many columns it holds; blanks after them.
      {20, Header("01", "000020", "01", "000003"), Fixture::SlipRecord("00000003", '4', Fixture::Columns(17, 20))},
  };
  for (const Case& c : cases) {
    Fixture f;
    testing::StoreTestColumns(f.t, c.columns);
    EXPECT_EQ(f.Copy(0, "  AD243 ").outcome, DiskCopyOutcome::Copied);
    EXPECT_EQ(FilesIn(f.drive.Path()), std::vector<std::string>{"AD243"});  // the name trimmed
    const std::string bytes = f.drive.Read("AD243");
    ASSERT_EQ(bytes.size(), 123u * (1 + f.t.app.slipCount));
    EXPECT_EQ(bytes.substr(0, 123), c.header);
    EXPECT_EQ(bytes.substr(123, 123), Fixture::SlipRecord("00000001", '8', Fixture::Columns(1, 8)));
    EXPECT_EQ(bytes.substr(bytes.size() - 123), c.lastRecord);
    EXPECT_EQ(std::ranges::count(f.run.events, "ÚLTIMO BOLETO INCOMPLETO"), c.columns == 17);
    EXPECT_EQ(f.t.app.reducedBets, c.columns);  // the duplicate counts for the copy only
  }
}

TEST(DiskCopyAd243, CheckDigitCountsOtherCharactersAsZeroAndTakesTwoDigits) {
  EXPECT_EQ(Ad243CheckDigit("A9", "    9"), 4);  // 9 x 2 + 9 x 7 = 81, 81 mod 11 = 4
  Ad243Header h;
  h.delegationCode = "05";  // 5 x 2 = 10
  h.receptorCode = "00000";
  EXPECT_EQ(Ad243HeaderRecord(h).substr(35, 2), "10");
}

TEST(DiskCopyAd243, OnAFixedFolderEachVolumeIsKeptInAFolderOfItsOwn) {
  Fixture f;
  const int columns = 11651 * 8;
  testing::StoreTestColumns(f.t, columns);
  const DiskCopyResult result = f.Copy(0);
  EXPECT_EQ(result.volumes, 2);
  EXPECT_EQ(result.outcome, DiskCopyOutcome::Copied);
  EXPECT_EQ(f.run.events.size(), 1u);  // where the volumes are; no disk to change
  const std::string first = f.drive.Read("AD243_Volumen01/AD243");
  ASSERT_EQ(first.size(), 11651 * 123u);
  EXPECT_EQ(first.substr(0, 123), Header("01", "093208", "02", "011651"));
  EXPECT_EQ(first.substr(11650 * 123), Fixture::SlipRecord("00011650", '8', Fixture::Columns(93193, 93200)));
  const std::string second = f.drive.Read("AD243_Volumen02/AD243");
  ASSERT_EQ(second.size(), 246u);
  EXPECT_EQ(second.substr(0, 123), Header("02", "093208", "02", "011651"));
  EXPECT_EQ(second.substr(123), Fixture::SlipRecord("00011651", '8', Fixture::Columns(93201, 93208)));
  std::vector<std::string> files = FilesIn(f.drive.Path());
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<std::string>{"AD243_Volumen01", "AD243_Volumen02"}));

  // Cancelled in the second volume: neither volume nor folder stays.
  Fixture g;
  testing::StoreTestColumns(g.t, columns);
  g.run.cancelAfter = 11651 * 8 - 4;
  EXPECT_EQ(g.Copy(0).outcome, DiskCopyOutcome::Cancelled);
  EXPECT_TRUE(FilesIn(g.drive.Path()).empty());
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
    f.Copy(format, "Col0101.txt");
    EXPECT_EQ(f.drive.Read("Col0101.txt"), expected[format - 1]) << "TXT" << format;
  }
}

TEST(DiskCopyFailures, ACancelOrAFullDiskLeavesNoHalfFile) {
  {
    Fixture f;
    testing::StoreTestColumns(f.t, 40);
    f.drive.Write("AD243", "an older copy");
    f.run.cancelAfter = 20;
    EXPECT_EQ(f.Copy(0).outcome, DiskCopyOutcome::Cancelled);
    EXPECT_TRUE(FilesIn(f.drive.Path()).empty());
  }
  {
    // A full disk or a folder that refuses the file: the copy goes on to
    // its end, then says which file was not copied; nothing is left.
    for (bool full : {true, false}) {
      Fixture f;
      testing::StoreTestColumns(f.t, 40);
      if (full)
        FileFaultsForTesting().bytesBeforeDiskFull = 100;
      else
        FileFaultsForTesting().readOnlyFolders = {f.drive.Path()};
      const DiskCopyResult result = f.Copy(0);
      FileFaultsForTesting() = {};
      EXPECT_EQ(result.outcome, DiskCopyOutcome::Failed);
      EXPECT_EQ(result.writeError, full ? err::kDiskFull : err::kPermissionDenied);
      ASSERT_EQ(f.t.reporter.messages.size(), 1u);
      EXPECT_TRUE(f.t.reporter.messages[0].starts_with(f.drive.Path() + "/AD243 ERROR " + (full ? "61" : "70")));
      EXPECT_EQ(f.run.status.find("Se ha copiado"), std::string::npos);
      EXPECT_TRUE(FilesIn(f.drive.Path()).empty());
    }
  }
  {
    // No column file: said by its name, nothing written.
    Fixture f;
    f.t.app.currentMatchday = f.t.app.currentOrder = 1;
    f.t.app.reducedBets = 8;
    EXPECT_EQ(f.Copy(0).outcome, DiskCopyOutcome::SourceFailed);
    ASSERT_EQ(f.t.reporter.messages.size(), 1u);
    EXPECT_NE(f.t.reporter.messages[0].find("RED0101.VTR"), std::string::npos);
    EXPECT_TRUE(FilesIn(f.drive.Path()).empty());
  }
}

}  // namespace
}  // namespace vetra
