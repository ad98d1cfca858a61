#pragma once
// A printer that keeps every operation, in order, with the position, page and
// font it happened with. Core tests and screen tests both use it, so it lives
// here, header-only, and stays out of the program.
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "output/printer.h"

namespace vetra::testing {

enum class PrinterOp {
  FontName,
  FontSize,
  FontBold,
  CurrentX,
  CurrentY,
  Print,
  Line,
  FillBox,
  FormBox,
  LineWidth,
  PaperSize,
  PageHeight,
  NewPage,
  EndJob,
};

struct PrintedOperation {
  PrinterOp op{};
  std::string text{};  // FontName: the name; Print: the text, "" for an empty line
  double value = 0;  // FontSize, FontBold (0/1), LineWidth, PaperSize (0 User, 1 A4, 2 Wide), PageHeight
  double x = 0;      // CurrentX and CurrentY: the new position; Print: where the text starts;
  double y = 0;      // Line: its start; FillBox, FormBox: its top-left corner
  double toX = 0;    // Line: its end
  double toY = 0;
  double width = 0;  // FillBox, FormBox
  double height = 0;
  int page = 1;  // page the operation happened on
  // The font in force when it happened.
  std::string fontName{};
  double fontSize = 0;
  bool bold = false;
};

class RecordingPrinter : public Printer {
 public:
  // A line is as high as a line of Courier New, the font of every listing:
  // ascent plus descent, 2320/2048 of its size.
  double LineHeight() const { return fontSize_ * 20 * 2320 / 2048; }

  void SetFontName(std::string_view name) override {
    fontName_ = name;
    Record({.op = PrinterOp::FontName, .text = std::string(name)});
  }
  void SetFontSize(double points) override {
    fontSize_ = points;
    Record({.op = PrinterOp::FontSize, .value = points});
  }
  void SetFontBold(bool bold) override {
    bold_ = bold;
    Record({.op = PrinterOp::FontBold, .value = bold ? 1.0 : 0.0});
  }
  double CurrentX() const override { return x_; }
  double CurrentY() const override { return y_; }
  void SetCurrentX(double x) override {
    x_ = x;
    Record({.op = PrinterOp::CurrentX});
  }
  void SetCurrentY(double y) override {
    y_ = y;
    Record({.op = PrinterOp::CurrentY});
  }
  void Print(std::string_view text) override {
    Record({.op = PrinterOp::Print, .text = std::string(text)});
    x_ = 0;
    y_ += LineHeight();
  }
  void Line(double fromX, double fromY, double toX, double toY) override {
    Record({.op = PrinterOp::Line, .x = fromX, .y = fromY, .toX = toX, .toY = toY});
    x_ = toX;
    y_ = toY;
  }
  void FillBox(double left, double top, double width, double height) override {
    Record({.op = PrinterOp::FillBox, .x = left, .y = top, .width = width, .height = height});
    x_ = left + width;
    y_ = top + height;
  }
  void FormBox(double left, double top, double width, double height) override {
    Record({.op = PrinterOp::FormBox, .x = left, .y = top, .width = width, .height = height});
  }
  void SetLineWidth(int dots) override { Record({.op = PrinterOp::LineWidth, .value = double(dots)}); }
  void SetPaperSize(PaperSize size) override {
    if (size != PaperSize::User) pageHeight_ = kA4Height;  // both papers are as long as A4
    Record({.op = PrinterOp::PaperSize, .value = static_cast<double>(size)});
  }
  int PageHeight() const override { return pageHeight_; }
  void SetPageHeight(int twips) override {
    pageHeight_ = twips;
    Record({.op = PrinterOp::PageHeight, .value = double(twips)});
  }
  void NewPage() override {
    Record({.op = PrinterOp::NewPage});
    ++page_;
    x_ = 0;
    y_ = 0;
  }
  int Page() const override { return page_; }
  std::string EndJob() override {
    Record({.op = PrinterOp::EndJob});
    page_ = 1;
    x_ = 0;
    y_ = 0;
    return failure;
  }

  // What EndJob answers, so that tests can make the printer fail.
  std::string failure;
  std::vector<PrintedOperation> operations;

  std::vector<PrintedOperation> Of(PrinterOp op) const {
    std::vector<PrintedOperation> found;
    for (const auto& operation : operations)
      if (operation.op == op) found.push_back(operation);
    return found;
  }
  // The printed texts in order, "" for empty lines.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& operation : Of(PrinterOp::Print)) texts.push_back(operation.text);
    return texts;
  }

 private:
  static constexpr int kA4Height = 16838;  // 297 mm

  void Record(PrintedOperation operation) {
    if (operation.op == PrinterOp::CurrentX || operation.op == PrinterOp::CurrentY || operation.op == PrinterOp::Print) {
      operation.x = x_;
      operation.y = y_;
    }
    operation.page = page_;
    operation.fontName = fontName_;
    operation.fontSize = fontSize_;
    operation.bold = bold_;
    operations.push_back(std::move(operation));
  }

  std::string fontName_ = "Arial";
  double fontSize_ = 10;
  bool bold_ = false;
  double x_ = 0;
  double y_ = 0;
  int page_ = 1;
  int pageHeight_ = kA4Height;
};

// Readable operations in test failures.
inline void PrintTo(const PrintedOperation& o, std::ostream* out) {
  static constexpr const char* kNames[] = {"FontName", "FontSize", "FontBold", "CurrentX", "CurrentY",
                                           "Print",    "Line",     "FillBox",  "FormBox",  "LineWidth", "PaperSize",
                                           "PageHeight", "NewPage", "EndJob"};
  *out << kNames[static_cast<int>(o.op)] << " page " << o.page << " '" << o.text << "' value " << o.value << " at ("
       << o.x << ", " << o.y << ") to (" << o.toX << ", " << o.toY << ") size " << o.width << " x " << o.height;
}

}  // namespace vetra::testing
