#pragma once
// Bases for the engine's tests, written as text, and a sink and progress that
// record what the generator does.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "reductions/column_generator.h"

namespace vetra::testing {

// A match from its signs ("1", "X2", "1X2"), whether it is marked, and its
// probable sign ('1', 'X', '2' or 0).
inline BaseMatch Match(std::string_view signs, bool marked = false, char probable = 0) {
  BaseMatch match;
  for (char c : signs) match.signs[c == '1' ? 0 : c == 'X' ? 1 : 2] = 1;
  match.signCount = static_cast<std::int16_t>(signs.size());
  match.marked = marked;
  match.probable = probable == '1' ? 1 : probable == 'X' ? 2 : probable == '2' ? 3 : 0;
  return match;
}

// A reduction by `method` with matches 1.. as given, the rest single "1".
inline BaseRecord MakeReduction(int method, const std::vector<BaseMatch>& matches) {
  BaseRecord reduction;
  reduction.reductionMethod = static_cast<std::int16_t>(method);
  reduction.baseGrid.fill(Match("1"));
  for (std::size_t m = 0; m < matches.size(); ++m) reduction.baseGrid[m] = matches[m];
  return reduction;
}

class CollectingSink : public ColumnSink {
 public:
  void Take(std::string_view block) override {
    for (std::size_t at = 0; at < block.size(); at += kColumnLength)
      columns.emplace_back(block.substr(at, kColumnLength));
  }
  std::vector<std::string> columns;
};

class CountingSink : public ColumnSink {
 public:
  void Take(std::string_view block) override { columns += static_cast<std::int64_t>(block.size() / kColumnLength); }
  std::int64_t columns = 0;
};

// Records every call; `answer` decides whether the run goes on.
class RecordingProgress : public RunProgress {
 public:
  bool Continue(std::int64_t done, std::int64_t total) override {
    calls.push_back(done);
    this->total = total;
    return answer ? answer(static_cast<int>(calls.size())) : true;
  }
  std::function<bool(int call)> answer;
  std::vector<std::int64_t> calls;  // `done` of each call
  std::int64_t total = 0;
};

}  // namespace vetra::testing
