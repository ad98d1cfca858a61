#pragma once
// The printer on Qt Print Support: the printer the user chose, else the
// system's default printer, or a PDF file for each job when there is none.
#include <QPainter>
#include <QString>
#include <filesystem>
#include <memory>
#include <string>

#include "output/printer.h"

class QPageSize;
class QPrinter;

namespace vetra {

// Where PDF jobs go unless told otherwise: the user's documents folder.
std::string DefaultPdfFolder();

// The printer jobs go to: the one chosen in a preview during this session,
// else the system's default; empty when jobs become PDF files.
QString CurrentPrinterName();
// Sends the following jobs of this session to `name`, or to PDF files when
// it is empty.
void ChoosePrinter(const QString& name);

// Why a job became a PDF file, for the message that says where it went:
// "No hay ninguna impresora instalada. ", or nothing when the user chose the
// file in a preview.
QString WhyPdf();

// The Qt printer named `name`, or, when it is empty or unknown, a PDF writer
// on A4 laid out as a typical office printer lays out its page. Either way
// the origin is the corner of the device's printable area.
std::unique_ptr<QPrinter> MakeQPrinter(const QString& name);
// The Qt printer of CurrentPrinterName().
std::unique_ptr<QPrinter> MakeDefaultQPrinter();

class QtPrinter final : public Printer {
 public:
  enum class Output {
    DefaultPrinter,  // a PDF file only when there is no printer to go to
    Pdf,             // always a PDF file
  };

  // PDF files are written into `pdfFolder`, made when missing.
  explicit QtPrinter(std::string pdfFolder, Output output = Output::DefaultPrinter);
  // Draws on a print preview's printer: the jobs follow one another as
  // pages, and the boxes of the forms are drawn under the marks.
  explicit QtPrinter(QPrinter& preview);
  ~QtPrinter() override;
  QtPrinter(const QtPrinter&) = delete;
  QtPrinter& operator=(const QtPrinter&) = delete;

  bool PrintsToPdf() const { return toPdf_; }
  // The PDF file of the job ended last, for the screen to tell the user;
  // empty when it went to a printer, printed nothing or failed.
  const std::string& LastPdfFile() const { return lastPdfFile_; }

  void SetFontName(std::string_view name) override;
  void SetFontSize(double points) override;
  void SetFontBold(bool bold) override;
  double CurrentX() const override { return x_; }
  double CurrentY() const override { return y_; }
  void SetCurrentX(double x) override { x_ = x; }
  void SetCurrentY(double y) override { y_ = y; }
  void Print(std::string_view text) override;
  void Line(double fromX, double fromY, double toX, double toY) override;
  void FillBox(double left, double top, double width, double height) override;
  void SetLineWidth(int dots) override { lineWidth_ = dots; }
  void FormBox(double left, double top, double width, double height) override;
  void SetPaperSize(PaperSize size) override;
  int PageHeight() const override;
  void SetPageHeight(int twips) override;
  void NewPage() override;
  int Page() const override { return page_; }
  std::string EndJob() override;

 private:
  // Starts the job and any page breaks still owed; false when nothing can
  // be drawn.
  bool ReadyToDraw();
  bool BeginJob();
  void BeginPage(int index);
  void SizeForm(int index);
  void SetSheet(const QPageSize& size, double exactHeight);
  // Whether the jobs go to a printer, not to a file or a preview.
  bool ToPrinter() const { return !toPdf_ && !preview_; }
  void ApplyPen();
  QFont CurrentFont() const;
  void Fail(const std::string& message);
  std::filesystem::path NewPdfFileName() const;

  std::unique_ptr<QPrinter> ownPrinter_;  // outlives painter_
  QPrinter* printer_;
  QPainter painter_;
  bool preview_ = false;
  bool toPdf_ = false;
  std::filesystem::path pdfFolder_;
  std::string pdfFile_;      // file of the running job
  std::string lastPdfFile_;  // file of the last job ended
  std::string error_;
  bool jobFailed_ = false;

  std::string fontName_ = "Arial";
  double fontSize_ = 10;
  bool bold_ = false;
  int lineWidth_ = 1;
  double x_ = 0;
  double y_ = 0;
  int page_ = 1;
  int breaksOwed_ = 0;  // page breaks asked for and not yet made
  int formHeight_ = 0;  // twips of a continuous form; 0 for sheets
};

}  // namespace vetra
