// Deleting a range of matchdays: which records are blanked, which index
// entries freed, which column files removed, and what is said when a step fails.
#include "maintenance/matchday_deletion.h"

#include <gtest/gtest.h>

#include "app/file_io.h"
#include "tests/support/temp_folder.h"

namespace vetra {
namespace {

using testing::TestState;
using Messages = std::vector<std::string>;

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

const std::string kBlankRecord = Blanks(533);
const std::string kFreeSlot = "0000" + Blanks(226) + "\r\n";

// A filled record of matchday n (below 10).
std::string Record(int n) { return "Jor0" + std::to_string(n) + "12/10/03" + std::string(520, 'A'); }

// An index line of a key: its four digits, a method and blanks to 230, CR LF.
std::string IndexLine(const std::string& key) { return key + "1" + Blanks(225) + "\r\n"; }

const std::string kColumns = "\"1X21X21X21X21X\"\r\n";

}  // namespace

TEST(MatchdayDeletion, ARangeTakesExactlyItsRecordsEntriesAndFiles) {
  TestState t;
  std::string matchdays;
  for (int n = 1; n <= 6; ++n) matchdays += Record(n);
  t.folder.Write("JORNADAS.VTR", matchdays);
  // Keys of the range with orders 1, 30 and 31; neighbours on both sides; a free slot.
  const std::vector<std::string> keys = {"0201", "0301", "0330", "0331", "0000", "0412", "0501",
                                         "0301", "1003"};
  std::string index;
  for (const std::string& key : keys) index += key == "0000" ? kFreeSlot : IndexLine(key);
  t.folder.Write("BASES.VTR", index);
  const std::vector<std::string> gone = {"RED0301.VTR", "RED0330.VTR", "RED0331.VTR", "RED03.VTR", "RED0412.VTR"};
  const std::vector<std::string> kept = {"RED0201.VTR", "RED0501.VTR", "RED1003.VTR", "RED3001.VTR",
                                         "RED0301.TXT", "XRED0301.VTR"};
  for (const std::string& name : gone) t.folder.Write(name, kColumns);
  for (const std::string& name : kept) t.folder.Write(name, kColumns);

  DeleteMatchdays(t.app, 3, 4);

  EXPECT_EQ(t.folder.Read("JORNADAS.VTR"),
            Record(1) + Record(2) + kBlankRecord + kBlankRecord + Record(5) + Record(6));
  EXPECT_EQ(t.folder.Read("BASES.VTR"), IndexLine("0201") + kFreeSlot + kFreeSlot + IndexLine("0331") + kFreeSlot +
                                            kFreeSlot + IndexLine("0501") + kFreeSlot + IndexLine("1003"));
  for (const std::string& name : gone) EXPECT_FALSE(t.folder.Exists(name)) << name;
  for (const std::string& name : kept) EXPECT_EQ(t.folder.Read(name), kColumns) << name;
  EXPECT_EQ(t.reporter.messages, Messages{});
}

TEST(MatchdayDeletion, RecordsPastTheEndExtendTheFileAndAMissingIndexIsLeftAlone) {
  TestState t;
  t.folder.Write("JORNADAS.VTR", Record(1) + Record(2));
  t.folder.Write("RED0501.VTR", kColumns);

  DeleteMatchdays(t.app, 4, 5);

  EXPECT_EQ(t.folder.Read("JORNADAS.VTR"), Record(1) + Record(2) + Blanks(3 * 533));
  EXPECT_EQ(t.reporter.messages, Messages{});
  EXPECT_FALSE(t.folder.Exists("BASES.VTR"));
  EXPECT_FALSE(t.folder.Exists("RED0501.VTR"));  // the columns go all the same
}

TEST(MatchdayDeletion, StepsThatCannotWriteAreSkippedAndOnlyTheIndexSpeaks) {
  TestState t;
  t.folder.Write("JORNADAS.VTR", Record(1) + Record(2));
  const std::string index = IndexLine("0101") + IndexLine("0202") + IndexLine("0207");
  t.folder.Write("BASES.VTR", index);
  t.folder.Write("RED0202.VTR", kColumns);
  FileFaultsForTesting().readOnlyFolders = {t.folder.Path()};

  DeleteMatchdays(t.app, 2, 2);
  FileFaultsForTesting() = SimulatedFaults{};

  // One report per order that has a line to free; the record and the column file stay silently.
  EXPECT_EQ(t.reporter.messages, Messages(2, "BRB ERROR 70"));
  EXPECT_EQ(t.folder.Read("JORNADAS.VTR"), Record(1) + Record(2));
  EXPECT_EQ(t.folder.Read("BASES.VTR"), index);
  EXPECT_TRUE(t.folder.Exists("RED0202.VTR"));
}

}  // namespace vetra
