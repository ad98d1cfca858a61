// The recording printer that the tests of slips, listings and the scrutiny
// report read their printed matter from.
#include "tests/support/recording_printer.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vetra::testing {
namespace {

TEST(RecordingPrinter, KeepsEveryOperationWithItsPositionPageAndFont) {
  RecordingPrinter printer;
  Printer& p = printer;  // driven through the interface, as the core does
  p.SetFontName("Courier New");
  p.SetFontSize(9.75);
  p.SetFontBold(true);
  p.MoveTo(6000, 1500);
  p.Print("Premios");
  p.SetFontBold(false);
  p.Print("\xA1Hola \x80");  // Windows-1252 bytes pass untouched
  p.SetLineWidth(2);
  p.Line(100, 200, 170, 330);
  p.FillBox(-275, -106, 145, 170);
  p.NewPage();
  p.PrintEmptyLine();

  const auto& ops = printer.operations;
  ASSERT_EQ(ops.size(), 13u);
  EXPECT_EQ(ops[0].op, PrinterOp::FontName);
  EXPECT_EQ(ops[0].text, "Courier New");
  EXPECT_EQ(ops[1].value, 9.75);
  EXPECT_EQ(ops[2].value, 1);
  EXPECT_EQ(ops[3].op, PrinterOp::CurrentX);
  EXPECT_EQ(ops[3].x, 6000);
  EXPECT_EQ(ops[4].op, PrinterOp::CurrentY);
  EXPECT_EQ(ops[4].y, 1500);

  // A text is recorded where it starts, with the font in force.
  EXPECT_EQ(ops[5].op, PrinterOp::Print);
  EXPECT_EQ(ops[5].text, "Premios");
  EXPECT_EQ(ops[5].x, 6000);
  EXPECT_EQ(ops[5].y, 1500);
  EXPECT_EQ(ops[5].fontName, "Courier New");
  EXPECT_EQ(ops[5].fontSize, 9.75);
  EXPECT_TRUE(ops[5].bold);
  // The next one starts the following line at the left edge.
  EXPECT_EQ(ops[7].text, "\xA1Hola \x80");
  EXPECT_EQ(ops[7].x, 0);
  EXPECT_DOUBLE_EQ(ops[7].y, 1500 + printer.LineHeight());
  EXPECT_FALSE(ops[7].bold);

  EXPECT_EQ(ops[8].value, 2);
  EXPECT_EQ(ops[9].op, PrinterOp::Line);
  EXPECT_EQ(ops[9].x, 100);
  EXPECT_EQ(ops[9].y, 200);
  EXPECT_EQ(ops[9].toX, 170);
  EXPECT_EQ(ops[9].toY, 330);
  EXPECT_EQ(ops[10].op, PrinterOp::FillBox);
  EXPECT_EQ(ops[10].x, -275);
  EXPECT_EQ(ops[10].y, -106);
  EXPECT_EQ(ops[10].width, 145);
  EXPECT_EQ(ops[10].height, 170);
  EXPECT_EQ(ops[10].page, 1);

  // The break belongs to page 1; the empty line after it is at the top of page 2.
  EXPECT_EQ(ops[11].op, PrinterOp::NewPage);
  EXPECT_EQ(ops[11].page, 1);
  EXPECT_EQ(ops[12].op, PrinterOp::Print);
  EXPECT_EQ(ops[12].text, "");
  EXPECT_EQ(ops[12].page, 2);
  EXPECT_EQ(ops[12].x, 0);
  EXPECT_EQ(ops[12].y, 0);
  EXPECT_EQ(printer.Texts(), (std::vector<std::string>{"Premios", "\xA1Hola \x80", ""}));
}

TEST(RecordingPrinter, PositionFollowsDrawingAsOnTheRealPrinter) {
  RecordingPrinter p;
  p.SetFontSize(9.75);
  // Courier New 9.75 points: a line of about 221 twips.
  EXPECT_NEAR(p.LineHeight(), 220.9, 0.1);
  p.MoveTo(2800, 11600);
  p.Print("x");
  EXPECT_EQ(p.CurrentX(), 0);
  EXPECT_DOUBLE_EQ(p.CurrentY(), 11600 + p.LineHeight());
  p.Line(10, 20, 80, 150);
  EXPECT_EQ(p.CurrentX(), 80);
  EXPECT_EQ(p.CurrentY(), 150);
  p.FillBox(8408, 919, 57, 227);
  EXPECT_EQ(p.CurrentX(), 8465);
  EXPECT_EQ(p.CurrentY(), 1146);
  p.NewPage();
  EXPECT_EQ(p.Page(), 2);
  EXPECT_EQ(p.CurrentX(), 0);
  EXPECT_EQ(p.CurrentY(), 0);

  // A job's end starts the count again and reports what the test asked for.
  p.MoveTo(5, 5);
  EXPECT_EQ(p.EndJob(), "");
  EXPECT_EQ(p.Page(), 1);
  EXPECT_EQ(p.CurrentX(), 0);
  EXPECT_EQ(p.CurrentY(), 0);
  p.failure = "Error al imprimir";
  EXPECT_EQ(p.EndJob(), "Error al imprimir");
  EXPECT_EQ(p.Of(PrinterOp::EndJob).size(), 2u);
}

TEST(RecordingPrinter, ContinuousPaperPageHeight) {
  RecordingPrinter p;
  p.SetPageHeight(10000);
  p.SetPaperSize(PaperSize::User);
  EXPECT_EQ(p.PageHeight(), 10000);
  p.SetPaperSize(PaperSize::A4);
  EXPECT_EQ(p.PageHeight(), 16838);
  p.SetPageHeight(static_cast<int>(std::lround(p.PageHeight() * 158.5 / 297)));
  EXPECT_EQ(p.PageHeight(), 8986);
  const auto sizes = p.Of(PrinterOp::PaperSize);
  ASSERT_EQ(sizes.size(), 2u);
  EXPECT_EQ(sizes[0].value, 0);
  EXPECT_EQ(sizes[1].value, 1);
  EXPECT_EQ(p.Of(PrinterOp::PageHeight).back().value, 8986);
}

}  // namespace
}  // namespace vetra::testing
