#pragma once
// The printer that slips, listings and the scrutiny report draw on. Positions
// are twips (1440 per inch) from the top-left corner of the printable page,
// x to the right, y downwards. Texts are Windows-1252 bytes, like the data
// files they come from, so that padding by characters is padding by bytes.
// The core builds its printed matter against this interface; the platform
// supplies the real printer and the tests a recording one.
#include <string>
#include <string_view>

namespace vetra {

enum class PaperSize {
  User,  // the current dimensions, kept as a size of its own
  A4,
  Wide,  // continuous paper 350 mm wide, as long as A4
};

class Printer {
 public:
  virtual ~Printer() = default;

  // Font of the texts printed from now on. The size is in points and may be
  // fractional (9.75).
  virtual void SetFontName(std::string_view name) = 0;
  virtual void SetFontSize(double points) = 0;
  virtual void SetFontBold(bool bold) = 0;

  virtual double CurrentX() const = 0;
  virtual double CurrentY() const = 0;
  virtual void SetCurrentX(double x) = 0;
  virtual void SetCurrentY(double y) = 0;
  void MoveTo(double x, double y) {
    SetCurrentX(x);
    SetCurrentY(y);
  }

  // Prints `text` with the top of its line at the current position, then
  // moves to the start of the next line: CurrentX becomes 0 and CurrentY
  // grows by the height of a line of the current font.
  virtual void Print(std::string_view text) = 0;
  void PrintEmptyLine() { Print({}); }

  // A straight line in the current line width; the current position becomes
  // its end.
  virtual void Line(double fromX, double fromY, double toX, double toY) = 0;
  // A black rectangle; the current position becomes its bottom-right corner.
  virtual void FillBox(double left, double top, double width, double height) = 0;
  // Width of lines in dots of a 300-dpi printer, so that a line is as wide
  // on paper whatever the device's resolution.
  virtual void SetLineWidth(int dots) = 0;
  // The outline of a box of the official form under the marks. A preview
  // draws it faintly, so that the user sees which box each mark fills and
  // can set the offsets before wasting forms; paper never gets it.
  virtual void FormBox(double /*left*/, double /*top*/, double /*width*/, double /*height*/) {}

  virtual void SetPaperSize(PaperSize size) = 0;
  // Height of the whole sheet in twips; setting it keeps the width. Sheets of
  // a height set here are forms of continuous paper: form k begins exactly
  // (k - 1) heights below the first, to the twip.
  virtual int PageHeight() const = 0;
  virtual void SetPageHeight(int twips) = 0;

  // Ends the page; the next one begins at position 0, 0. A page break with
  // nothing printed after it before the end of the job gives no blank page.
  virtual void NewPage() = 0;
  // Number of the page being printed, 1 for the first page of a job.
  virtual int Page() const = 0;
  // Sends the job. Returns what went wrong since the previous end of a job
  // (UTF-8, for the user), empty when nothing did. Printing goes on after a
  // failure without raising anything, so callers that ignore printer errors
  // need not check. Font, line width and paper stay as they were.
  virtual std::string EndJob() = 0;
};

}  // namespace vetra
