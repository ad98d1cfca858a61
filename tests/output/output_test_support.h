#pragma once
// What the tests of the printed outputs share: a reduction's column file in a
// temporary data folder and a run whose operator follows a script.
#include <deque>
#include <string>
#include <vector>

#include "app/number_format.h"
#include "matchdays/matchday_file.h"
#include "output/output_run.h"
#include "reductions/column_file.h"
#include "tests/support/temp_folder.h"

namespace vetra::testing {

// Column n of the test reductions: "X" at match ((n - 1) mod 14) + 1 and "2"
// at match 14 - ((n - 1) mod 14), "1" elsewhere, so every slip is told apart.
inline std::string TestColumn(int n) {
  std::string column(14, '1');
  column[(n - 1) % 14] = 'X';
  column[13 - (n - 1) % 14] = '2';
  return column;
}

// Matchday 1, order 1, with `columns` columns stored.
inline void StoreTestColumns(TestState& t, int columns) {
  std::string bytes;
  for (int n = 1; n <= columns; ++n) bytes += ColumnLine(TestColumn(n));
  t.folder.Write(ColumnFileName(1, 1), bytes);
  t.app.currentMatchday = 1;
  t.app.currentOrder = 1;
  t.app.reducedBets = columns;
  t.app.slipCount = (columns + 7) / 8;
}

inline const NumberMarks kSpanish{".", ","};
inline const std::string k10(10, ' ');
inline const std::string k36(36, ' ');

// Matchday 7 of 12/10/02, order 3: match 1 a marked triple with "X" probable,
// match 2 an unmarked double of a home team alone, the rest "1" without teams.
inline void SetUpReduction(AppState& app, int method) {
  app.currentMatchday = 7;
  app.currentOrder = 3;
  app.currentMatchdayDate = "12/10/02";
  app.matchdayRecord = EmptyMatchdayRecord();
  SetMatchdayHead(app.matchdayRecord, 7, "12/10/02");
  SetTeamName(app.matchdayRecord, 1, "Real Madrid");
  SetTeamName(app.matchdayRecord, 2, "Barcelona");
  SetTeamName(app.matchdayRecord, 3, "Betis");
  app.reductionMethod = static_cast<std::int16_t>(method);
  for (BaseMatch& m : app.baseGrid) m = {{1, 0, 0}, 1, 0, 0};
  app.baseGrid[0] = {{1, 1, 1}, 3, 1, 2};
  app.baseGrid[1] = {{1, 0, 1}, 2, 0, 0};
  app.directBets = 6;
  app.reducedBets = 4;
  app.maxErrors = 1;
  app.betPrice = 0.5f;
}

class ScriptedRun : public OutputRun {
 public:
  void Started() override { events.push_back("started"); }
  void ShowStatus(const std::string& text) override { events.push_back(text); }
  bool Cancelled() override { return cancelAfter >= 0 && --cancelAfter < 0; }
  void Warn(const std::string& title, const std::string&) override { events.push_back(title); }
  void JobEnded(const std::string& error) override { events.push_back("job" + error); }
  void LastSlip() override { events.push_back("last"); }
  OperatorAnswer AwaitOperator() override {
    if (answers.empty()) return OperatorAnswer::Cancel;
    const OperatorAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::vector<std::string> events;
  std::deque<OperatorAnswer> answers;
  int cancelAfter = -1;  // Cancelled() answers true on its call number cancelAfter + 1
};

}  // namespace vetra::testing
