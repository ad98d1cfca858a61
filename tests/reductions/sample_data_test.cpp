#include "tools/sample_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "app/data_folder.h"
#include "app/file_io.h"
#include "app/numbers.h"
#include "matchdays/matchday_file.h"
#include "matchdays/team_file.h"
#include "reductions/base_file.h"
#include "reductions/column_file.h"
#include "reductions/reduction_tables.h"
#include "tests/support/temp_folder.h"

namespace vetra {
namespace {

using testing::TestState;

std::string Shipped(const std::string& name) {
  std::string bytes;
  EXPECT_EQ(ReadFileBytes((std::filesystem::path(VETRA_SHIPPED_DATA) / name).string(), bytes), 0) << name;
  return bytes;
}

const char* const kReductionFiles[] = {"RED0101.VTR", "RED0102.VTR", "RED0103.VTR", "RED0201.VTR"};

TEST(SampleData, ShippedReductionsAreWhatTheEngineMakesOfTheirBases) {
  TestState t;
  t.folder.Write("JORNADAS.VTR", Shipped("JORNADAS.VTR"));
  t.folder.Write("BASES.VTR", "");
  const std::string index = Shipped("BASES.VTR");
  ASSERT_EQ(index.size(), 4 * kBaseLineSize);

  EXPECT_EQ(RunReductionsOf(t.app, index), 0);

  EXPECT_EQ(t.folder.Read("BASES.VTR"), index);
  for (const char* name : kReductionFiles) EXPECT_EQ(t.folder.Read(name), Shipped(name)) << name;
  EXPECT_TRUE(t.reporter.messages.empty());
}

TEST(SampleData, TheGeneratorMakesEveryShippedFile) {
  TestState t;
  t.folder.Write("BASES.VTR", "an older index that the samples replace");
  EXPECT_EQ(WriteSampleData(t.app), 0);
  for (const char* name : kShippedFiles) {
    if (std::string(name) == "DATOSGEN.VTR") continue;  // shipped as written by hand
    EXPECT_EQ(t.folder.Read(name), Shipped(name)) << name;
  }
  EXPECT_TRUE(t.reporter.messages.empty());
}

TEST(SampleData, ShippedFilesHangTogether) {
  TestState t;
  for (const char* name : kShippedFiles) t.folder.Write(name, Shipped(name));
  EXPECT_EQ(Shipped("DIRECC.VTR"), "");

  // The team list: Windows-1252 names of at most 15 bytes, CR LF, in order.
  const std::string teamFile = Shipped("EQUIPOS.VTR");
  EXPECT_EQ(teamFile.substr(0, 8), "Alav\xE9s\r\n");
  const std::vector<std::string> teams = LoadTeamList(t.app);
  EXPECT_EQ(teams.size(), 42u);
  for (const std::string& team : teams) EXPECT_LE(team.size(), kTeamNameWidth) << team;
  const std::set<std::string> known(teams.begin(), teams.end());
  EXPECT_EQ(known.size(), teams.size());

  // Matchdays 1 and 2: dated, 28 different teams of the list each.
  EXPECT_EQ(Shipped("JORNADAS.VTR").size(), 2 * kMatchdayRecordSize);
  const char* dates[] = {"01/09/02", "15/09/02"};
  for (int matchday = 1; matchday <= 2; ++matchday) {
    SCOPED_TRACE(matchday);
    t.app.currentMatchday = static_cast<std::int16_t>(matchday);
    ReadMatchday(t.app);
    EXPECT_EQ(t.app.currentMatchdayDate, dates[matchday - 1]);
    std::set<std::string> playing;
    for (int team = 1; team <= kTeamNames; ++team) {
      const std::string name = Trimmed(TeamName(t.app.matchdayRecord, team));
      EXPECT_TRUE(known.count(name)) << name;
      playing.insert(name);
    }
    EXPECT_EQ(playing.size(), static_cast<std::size_t>(kTeamNames));
    EXPECT_EQ(WinningColumnDigits(t.app.matchdayRecord), std::string(14, ' '));
  }

  // Every method at least once, each on a matchday that has its fixtures, of
  // a modest size; the two filtering methods write exactly what they predict.
  std::set<int> methods;
  for (const char* name : kReductionFiles) {
    SCOPED_TRACE(name);
    const int matchday = (name[3] - '0') * 10 + (name[4] - '0');
    const int order = (name[5] - '0') * 10 + (name[6] - '0');
    ASSERT_TRUE(BaseExists(t.app, matchday, order).found);
    LoadBase(t.app, matchday, order);
    methods.insert(t.app.reductionMethod);
    EXPECT_FALSE(t.app.description.empty());
    EXPECT_LE(matchday, 2);
    const long long columns = static_cast<long long>(Shipped(name).size() / kColumnLineSize);
    EXPECT_GE(columns, 100);
    EXPECT_LE(columns, 5000);
    if (t.app.reductionMethod != kDirectMethod) {
      EXPECT_EQ(columns, t.app.reducedBets);
    }
  }
  EXPECT_EQ(methods, (std::set<int>{kDirectMethod, kProbableColumnMethod, kSignSelectionMethod}));
  EXPECT_TRUE(t.reporter.messages.empty());
}

}  // namespace
}  // namespace vetra
