#include "tools/sample_data.h"

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/cp1252.h"
#include "app/data_folder.h"
#include "app/file_errors.h"
#include "app/file_io.h"
#include "matchdays/matchday_file.h"
#include "matchdays/team_file.h"
#include "reductions/base_file.h"
#include "reductions/reduction_engine.h"
#include "reductions/reduction_store.h"

namespace vetra {
namespace {

struct Matchday {
  int number;
  const char* date;
  const char* teams[kTeamNames];  // home and away of the 14 fixtures, UTF-8
};

// Ten fixtures of the first division and four of the second, as the slips of
// the time mixed them.
const Matchday kMatchdays[] = {
    {1,
     "01/09/02",
     {"Barcelona", "Atlético Madrid", "Valencia", "Valladolid", "Deportivo", "Osasuna", "Celta", "Recreativo",
      "Real Sociedad", "Sevilla", "Betis", "Racing", "Athletic Club", "Villarreal", "Mallorca", "Real Madrid",
      "Málaga", "Alavés", "Espanyol", "Rayo Vallecano", "Zaragoza", "Levante", "Tenerife", "Albacete",
      "Las Palmas", "Getafe", "Sporting Gijón", "Murcia"}},
    {2,
     "15/09/02",
     {"Real Madrid", "Real Sociedad", "Atlético Madrid", "Valencia", "Osasuna", "Barcelona", "Sevilla", "Deportivo",
      "Villarreal", "Celta", "Valladolid", "Mallorca", "Racing", "Athletic Club", "Recreativo", "Málaga", "Alavés",
      "Espanyol", "Rayo Vallecano", "Betis", "Murcia", "Zaragoza", "Getafe", "Tenerife", "Levante", "Las Palmas",
      "Albacete", "Sporting Gijón"}},
};

// The twenty clubs of the first division and the twenty-two of the second,
// in the order of the team list.
const char* const kTeams[] = {
    "Alavés",        "Albacete",   "Almería",         "Athletic Club", "Atlético Madrid", "Barcelona",
    "Betis",         "Burgos",     "Celta",           "Compostela",    "Córdoba",         "Deportivo",
    "Eibar",         "Elche",      "Espanyol",        "Getafe",        "Las Palmas",      "Leganés",
    "Levante",       "Málaga",     "Mallorca",        "Murcia",        "Numancia",        "Osasuna",
    "Oviedo",        "Poli Ejido", "Racing",          "Racing Ferrol", "Rayo Vallecano",  "Real Madrid",
    "Real Sociedad", "Recreativo", "Salamanca",       "Sevilla",       "Sporting Gijón",  "Tenerife",
    "Terrassa",      "Valencia",   "Valladolid",      "Villarreal",    "Xerez",           "Zaragoza",
};

// A match of a base: its signs ("1", "X2", "1X2"), marked for reduction, its
// probable sign.
struct SampleMatch {
  const char* signs;
  bool marked = false;
  char probable = 0;
};

struct SampleReduction {
  int matchday;
  int order;
  int method;
  const char* description;  // UTF-8
  SampleMatch matches[kMatches];
  int minErrors = 0;
  int maxErrors = 0;
  // Sign selection: the totals allowed for 1, X and 2, from .. to.
  int totals[3][2] = {};
};

const SampleReduction kReductions[] = {
    // Four marked triples by table A, four more multiples in full: 9 x 24.
    {1, 1, kDirectMethod, "Directa: 4 triples con la tabla A",
     {{"1X"}, {"1"}, {"1"}, {"1X2", true}, {"1X2", true}, {"1"}, {"1X2", true}, {"X2"}, {"1X2", true}, {"1X"},
      {"1"}, {"1X2"}, {"1"}, {"1"}}},
    // Six triples and three doubles against a probable column, 0 to 3 errors.
    {1, 2, kProbableColumnMethod, "Columna probable, de 0 a 3 errores",
     {{"1X2", true, '1'}, {"1X", true, '1'}, {"1X2", true, '1'}, {"1"}, {"1X2", true, 'X'}, {"1X", true, '1'},
      {"1X2", true, '1'}, {"X2", true, '2'}, {"1X2", true, '1'}, {"1"}, {"1"}, {"1X2", true, 'X'}, {"1X"}, {"1"}},
     0, 3},
    // Eight triples, with 3 to 5 wins, 2 or 3 draws and 1 or 2 away wins.
    {1, 3, kSignSelectionMethod, "Selección de signos, 8 triples",
     {{"1X2", true}, {"1"}, {"1X2", true}, {"1"}, {"1X2", true}, {"1X2", true}, {"1X2", true}, {"X2"},
      {"1X2", true}, {"1"}, {"1X2", true}, {"1X2", true}, {"1"}, {"1"}},
     0, 0, {{3, 5}, {2, 3}, {1, 2}}},
    // Two triples and five doubles by table E, three more multiples in full.
    {2, 1, kDirectMethod, "Directa: 2 triples y 5 dobles",
     {{"1X", true}, {"1X2", true}, {"X2", true}, {"1X2", true}, {"1X", true}, {"1"}, {"1X", true}, {"1X2"},
      {"1"}, {"12", true}, {"1X"}, {"1"}, {"1X"}, {"1"}}},
};

// 1 for "1", 2 for "X", 3 for "2", 0 for none.
int SignNumber(char sign) { return sign == '1' ? 1 : sign == 'X' ? 2 : sign == '2' ? 3 : 0; }

BaseRecord RecordOf(const SampleReduction& sample) {
  BaseRecord record = EmptyBaseRecord();
  record.matchday = static_cast<std::int16_t>(sample.matchday);
  record.orderNumber = static_cast<std::int16_t>(sample.order);
  record.reductionMethod = static_cast<std::int16_t>(sample.method);
  record.minErrors = static_cast<std::int16_t>(sample.minErrors);
  record.maxErrors = static_cast<std::int16_t>(sample.maxErrors);
  record.description = Utf8ToCp1252(sample.description);
  for (int m = 0; m < kMatches; ++m) {
    const SampleMatch& from = sample.matches[m];
    BaseMatch& match = record.baseGrid[m];
    match = BaseMatch{};
    for (const char* c = from.signs; *c; ++c) match.signs[SignNumber(*c) - 1] = 1;
    match.signCount = static_cast<std::int16_t>(std::string_view(from.signs).size());
    match.marked = from.marked;
    match.probable = static_cast<std::int16_t>(SignNumber(from.probable));
  }
  if (sample.method == kSignSelectionMethod)
    for (int k = 0; k < 3; ++k)
      for (int total = sample.totals[k][0]; total <= sample.totals[k][1]; ++total) record.allowedTotals[k][total] = 1;
  return record;
}

class Unattended : public RunProgress {
 public:
  bool Continue(std::int64_t, std::int64_t) override { return true; }
};

int Reduce(AppState& app, BaseRecord record) {
  ReductionFigures figures;
  RecomputeFigures(record, figures);
  app.currentMatchday = record.matchday;
  app.currentOrder = record.orderNumber;
  SetCurrentBaseRecord(app, record);
  Unattended progress;
  return StoreReduction(app, progress).fileError;
}

}  // namespace

int WriteSampleData(AppState& app) {
  for (const Matchday& matchday : kMatchdays) {
    std::string record = EmptyMatchdayRecord();
    SetMatchdayHead(record, matchday.number, matchday.date);
    for (int team = 1; team <= kTeamNames; ++team) SetTeamName(record, team, Utf8ToCp1252(matchday.teams[team - 1]));
    if (int number = WriteMatchdayRecord(app, matchday.number, record)) return number;
  }

  std::vector<std::string> teams;
  for (const char* team : kTeams) teams.push_back(Utf8ToCp1252(team));
  WriteTeamList(app, teams);
  if (app.lastFileError) return app.lastFileError;

  if (int number = WriteFileReplacing(DataFilePath(app, "DIRECC.VTR"), "")) return number;

  if (int number = WriteFileReplacing(DataFilePath(app, kBaseFile), "")) return number;
  for (const SampleReduction& sample : kReductions)
    if (int number = Reduce(app, RecordOf(sample))) return number;
  return 0;
}

}  // namespace vetra
