// Slips: every mark where the official slip has its box, in both layouts,
// moved by the operator's offsets; the runs of individual slips and of
// continuous paper over a stored reduction.
#include "output/slip_printing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>
#include <utility>

#include "tests/output/output_test_support.h"
#include "tests/support/recording_printer.h"

namespace vetra::testing {
namespace {

using Corner = std::pair<double, double>;
using Label = std::tuple<std::string, double, double, int>;  // text, x, y, page

// The corner of every X mark (two strokes in a row), page by page.
std::vector<std::set<Corner>> Crosses(const RecordingPrinter& printer, double width, double height) {
  std::vector<std::set<Corner>> pages;
  const auto lines = printer.Of(PrinterOp::Line);
  for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
    const auto &a = lines[i], &b = lines[i + 1];
    // Down one diagonal, then up the other.
    EXPECT_EQ(std::tuple(a.toX, a.toY, b.x, b.y, b.toX, b.toY),
              std::tuple(a.x + width, a.y + height, a.x, a.y + height, a.x + width, a.y));
    pages.resize(std::max<std::size_t>(pages.size(), a.page));
    pages[a.page - 1].insert({a.x, a.y});
  }
  return pages;
}

std::vector<Label> Labels(const RecordingPrinter& printer) {
  std::vector<Label> labels;
  for (const auto& op : printer.Of(PrinterOp::Print)) labels.emplace_back(op.text, op.x, op.y, op.page);
  return labels;
}

using Box = std::tuple<double, double, double, double>;  // left, top, width, height

std::vector<Box> Boxes(const RecordingPrinter& printer) {
  std::vector<Box> boxes;
  for (const auto& op : printer.Of(PrinterOp::FillBox)) boxes.emplace_back(op.x, op.y, op.width, op.height);
  return boxes;
}

// Every cross of the page lies inside a box of the form drawn for the
// preview, a box of its own.
void ExpectEachCrossInItsBox(const RecordingPrinter& printer, double width, double height) {
  const auto boxes = printer.Of(PrinterOp::FormBox);
  const std::set<Corner> crosses = Crosses(printer, width, height)[0];
  ASSERT_EQ(boxes.size(), crosses.size());
  std::set<Corner> boxed;
  for (const auto& box : boxes)
    for (const Corner& c : crosses) {
      if (c.first > box.x && c.first + width < box.x + box.width && c.second > box.y &&
          c.second + height < box.y + box.height) {
        EXPECT_TRUE(boxed.insert(c).second);
      }
    }
  EXPECT_EQ(boxed, crosses);
}

MarkGrid ThreeMarks() {
  MarkGrid grid{};
  grid[0][0][0] = 1;   // column 1, match 1, "1"
  grid[7][13][2] = 1;  // column 8, match 14, "2"
  grid[2][4][1] = 1;   // column 3, match 5, "X"
  return grid;
}

TEST(SlipLayouts, Layout1LiesRotatedWithMatch14AtTheTop) {
  RecordingPrinter printer;
  DrawSlipLayout1(printer, ThreeMarks(), 0, 0, 7, false, kSpanish);
  EXPECT_EQ(Labels(printer), (std::vector<Label>{{"7", 6500, 10, 1}}));
  EXPECT_EQ(Crosses(printer, 70, 130)[0], (std::set<Corner>{{5816, 3986}, {940, 294}, {4332, 2850}}));
  EXPECT_TRUE(Boxes(printer).empty());

  // Offsets of 5 mm, 283.5 twips: half twips go to the even one, and the
  // reading marks move with the rest.
  printer.operations.clear();
  DrawSlipLayout1(printer, ThreeMarks(), 50, 50, 1234, true, kSpanish);
  EXPECT_EQ(Labels(printer), (std::vector<Label>{{"1.234", 6784, 294, 1}}));
  EXPECT_EQ(Crosses(printer, 70, 130)[0], (std::set<Corner>{{6100, 4270}, {1224, 578}, {4616, 3134}}));
  std::vector<Box> reading{{8, 178, 145, 170}, {8536, 178, 145, 170}};
  for (double top : {1202, 1546, 2570, 2914, 3256, 3600, 4286}) reading.emplace_back(8692, top, 57, 227);
  EXPECT_EQ(Boxes(printer), reading);
}

TEST(SlipLayouts, Layout2RunsTheMatchesAcrossAndItsSecondSlotLiesFurtherRight) {
  RecordingPrinter printer;
  DrawSlipLayout2(printer, ThreeMarks(), 0, 0, 1, 2, true, kSpanish);
  EXPECT_EQ(Labels(printer), (std::vector<Label>{{"2", 5990, 0, 1}}));
  EXPECT_EQ(Crosses(printer, 130, 70)[0], (std::set<Corner>{{7040, 6169}, {10732, 1270}, {8176, 4678}}));
  std::vector<Box> reading{{11110, 65, 170, 145}, {11110, 8593, 170, 145}};
  for (double left : {6954, 7641, 7984, 8327, 8670, 9696, 10038}) reading.emplace_back(left, 8748, 227, 57);
  EXPECT_EQ(Boxes(printer), reading);
}

TEST(IndividualSlips, RepeatNextAndALastSlipOfOneColumnWarnedAboutAndPrintedAlone) {
  TestState t;
  StoreTestColumns(t, 17);
  t.app.printOrientation = 1;
  RecordingPrinter printer;
  ScriptedRun run;
  run.answers = {OperatorAnswer::Repeat, OperatorAnswer::Next, OperatorAnswer::Cancel};
  PrintIndividualSlips(printer, t.app, {.firstSlip = 2, .lastSlip = 3}, run, kSpanish);
  EXPECT_EQ(run.events, (std::vector<std::string>{"started", "ÚLTIMO BOLETO INCOMPLETO",
                                                  "Imprimiendo el boleto nro. 2", "job", "job",
                                                  "Imprimiendo el boleto nro. 3", "last", "job"}));

  // One job a slip: slip 2 twice alike, then column 17 alone in the place of
  // column 1: "X" at match 3, "2" at match 12.
  std::vector<RecordingPrinter> jobs(1);
  for (const auto& op : printer.operations) {
    if (op.op == PrinterOp::EndJob) jobs.emplace_back();
    else jobs.back().operations.push_back(op);
  }
  ASSERT_EQ(jobs.size(), 4u);
  EXPECT_EQ(Crosses(jobs[1], 70, 130), Crosses(jobs[0], 70, 130));
  EXPECT_EQ(Crosses(jobs[0], 70, 130)[0].size(), 8 * 14u);
  EXPECT_EQ(Labels(jobs[1]), (std::vector<Label>{{"2", 6500, 10, 1}}));
  const std::set<Corner> marks = Crosses(jobs[2], 70, 130)[0];
  EXPECT_EQ(marks.size(), 14u);
  EXPECT_TRUE(marks.contains({940 + 22 * 212, 10 + 12 * 284}));
  EXPECT_TRUE(marks.contains({940 + 21 * 212, 10 + 3 * 284}));
}

TEST(ContinuousPaper, TwoSlipsAPageAndACancelEndsTheJobAfterTheSlipInProgress) {
  TestState t;
  StoreTestColumns(t, 24);
  t.app.printAdjust1 = 300;  // the individual offsets play no part
  RecordingPrinter printer;
  ScriptedRun run;
  ImpriContinuo(printer, t.app, {.firstSlip = 1, .lastSlip = 3}, run, kSpanish);
  EXPECT_EQ(Labels(printer), (std::vector<Label>{{"1", 0, 0, 1}, {"2", 5990, 0, 1}, {"3", 0, 0, 2}}));
  EXPECT_EQ(printer.Of(PrinterOp::PageHeight)[0].value, 8986);  // 158.5 mm of A4's 297
  EXPECT_EQ(Boxes(printer).size(), 3 * 9u);  // reading marks on every slip
  const auto pages = Crosses(printer, 130, 70);
  EXPECT_EQ(pages[0].size(), 2 * 8 * 14u);
  EXPECT_EQ(pages[1].size(), 8 * 14u);

  RecordingPrinter cancelled;
  cancelled.failure = "sin papel";  // printer errors are not this output's business
  run.cancelAfter = 0;
  ImpriContinuo(cancelled, t.app, {.firstSlip = 1, .lastSlip = 3}, run, kSpanish);
  EXPECT_EQ(Labels(cancelled).size(), 1u);
  EXPECT_EQ(cancelled.Of(PrinterOp::EndJob).size(), 1u);
}

TEST(SlipRuns, ATestPrintMarksEveryBoxWithoutAFileAndARealRunWithoutOnePrintsNothing) {
  TestState t;  // no column file
  t.app.currentMatchday = t.app.currentOrder = 1;
  t.app.reducedBets = 9;
  t.app.printAdjust3 = 100;
  t.app.printOrientation = 1;
  RecordingPrinter single, continuous;
  ScriptedRun run;
  PrintIndividualSlips(single, t.app, {.testPrint = true}, run, kSpanish);
  EXPECT_EQ(Crosses(single, 70, 130)[0].size(), 336u);
  ExpectEachCrossInItsBox(single, 70, 130);
  EXPECT_EQ(Labels(single), (std::vector<Label>{{"999.999", 6500, 10, 1}}));
  // Continuous paper: both slots of one page, with the continuous offsets.
  ImpriContinuo(continuous, t.app, {.testPrint = true}, run, kSpanish);
  EXPECT_EQ(Labels(continuous), (std::vector<Label>{{"999.999", 567, 0, 1}, {"999.999", 6557, 0, 1}}));
  EXPECT_EQ(Crosses(continuous, 130, 70)[0].size(), 672u);
  ExpectEachCrossInItsBox(continuous, 130, 70);
  EXPECT_EQ(run.events, (std::vector<std::string>{"job", "job"}));

  RecordingPrinter nothing;
  PrintIndividualSlips(nothing, t.app, {.firstSlip = 1, .lastSlip = 2}, run, kSpanish);
  ImpriContinuo(nothing, t.app, {.firstSlip = 1, .lastSlip = 2}, run, kSpanish);
  EXPECT_EQ(run.events.size(), 2u);
  EXPECT_TRUE(nothing.Of(PrinterOp::EndJob).empty());
  EXPECT_TRUE(nothing.Of(PrinterOp::Print).empty());
  // Each attempt says which file is missing.
  ASSERT_EQ(t.reporter.messages.size(), 2u);
  for (const std::string& message : t.reporter.messages) EXPECT_NE(message.find("RED0101.VTR"), std::string::npos);
}

}  // namespace
}  // namespace vetra::testing
