#pragma once
// The generation of a reduction's columns. The base is walked like an
// odometer whose fastest wheel is match 1, signs in the order 1, X, 2; the
// direct method writes every row of its table for each state of the wheels
// left outside the table, the other two methods write the states that meet
// their condition. Columns are handed over in blocks as they are made and
// never held, so that a full base of 3^14 columns runs in flat memory.
#include <cstdint>
#include <string_view>

#include "reductions/reduction_engine.h"

namespace vetra {

inline constexpr std::size_t kColumnLength = 14;

// What a sink wants written around the 14 signs of every column it is handed,
// so that a file writer receives its lines ready made.
struct ColumnFrame {
  std::string_view before;
  std::string_view after;
};

// Receives the kept columns in run order: each block holds whole framed
// columns back to back, the 14 characters "1", "X", "2" of each with match 1
// first; unframed unless the sink says otherwise.
class ColumnSink {
 public:
  virtual ~ColumnSink() = default;
  virtual ColumnFrame Frame() const { return {}; }
  virtual void Take(std::string_view columns) = 0;
};

// Asked before the first column and then after every few thousand columns
// made or examined (the columns before it have been handed to the sink);
// `done` of `total` states of the wheels have been gone through. Returning
// false stops the run.
class RunProgress {
 public:
  virtual ~RunProgress() = default;
  virtual bool Continue(std::int64_t done, std::int64_t total) = 0;
};

struct GenerationResult {
  bool cancelled = false;
  std::int64_t columns = 0;  // handed to the sink
  std::int64_t states = 0;   // states of the wheels gone through
  std::int64_t total = 0;    // states of the whole run
};

// Generates the columns of the reduction by its method. The direct method
// uses the table that SelectReductionTable gives for the marked counts (with
// nothing marked, every column of the base is written once). A base with a
// match without signs generates nothing.
GenerationResult GenerateColumns(const BaseRecord& reduction, ColumnSink& sink, RunProgress& progress);

}  // namespace vetra
