#include "platform/qt_printer.h"

#include <QDateTime>
#include <QDir>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <algorithm>
#include <cmath>
#include <system_error>
#include <utility>

#include "platform/text.h"

namespace vetra {

namespace {

constexpr double kTwipsPerInch = 1440;
constexpr double kMillimetresPerInch = 25.4;

// A PDF gets the dots of an office laser printer, so that line widths given
// in dots look there as they do on paper.
constexpr int kPdfResolution = 600;

}  // namespace

std::string DefaultPdfFolder() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty()) folder = QDir::homePath();
  return folder.toStdString();
}

namespace {

std::unique_ptr<QPrinter> MakePdfWriter() {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setResolution(kPdfResolution);
  // A file has no unprintable edge: the printable page is the whole sheet.
  printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
  return printer;
}

}  // namespace

std::unique_ptr<QPrinter> MakeDefaultQPrinter() {
  const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
  if (printer.isNull()) return MakePdfWriter();
  return std::make_unique<QPrinter>(printer, QPrinter::HighResolution);
}

QtPrinter::QtPrinter(std::string pdfFolder, Output output)
    : ownPrinter_(output == Output::Pdf ? MakePdfWriter() : MakeDefaultQPrinter()),
      printer_(ownPrinter_.get()),
      toPdf_(printer_->outputFormat() == QPrinter::PdfFormat),
      pdfFolder_(std::move(pdfFolder)) {
  printer_->setDocName(QStringLiteral("Vetra32"));
  printer_->setCreator(QStringLiteral("Vetra32"));
}

QtPrinter::QtPrinter(QPrinter& device) : printer_(&device) {}

QtPrinter::~QtPrinter() {
  if (painter_.isActive()) painter_.end();
}

void QtPrinter::SetFontName(std::string_view name) { fontName_ = name; }
void QtPrinter::SetFontSize(double points) { fontSize_ = points; }
void QtPrinter::SetFontBold(bool bold) { bold_ = bold; }

QFont QtPrinter::CurrentFont() const {
  QFont font(FromFileText(fontName_));
  // Qt sizes fonts by the device's dots per inch, but the painter works in
  // twips: scale the points so that one point comes out as 20 units.
  font.setPointSizeF(fontSize_ * kTwipsPerInch / printer_->logicalDpiY());
  font.setBold(bold_);
  // Hinting would round the advances and stretch fixed-pitch columns.
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

void QtPrinter::Print(std::string_view text) {
  const QFont font = CurrentFont();
  const QFontMetricsF metrics(font, printer_);
  if (!text.empty() && ReadyToDraw()) {
    painter_.setFont(font);
    painter_.drawText(QPointF(x_, y_ + metrics.ascent()), FromFileText(text));
  }
  x_ = 0;
  y_ += metrics.lineSpacing();
}

void QtPrinter::Line(double fromX, double fromY, double toX, double toY) {
  if (ReadyToDraw()) {
    ApplyPen();
    painter_.drawLine(QLineF(fromX, fromY, toX, toY));
  }
  x_ = toX;
  y_ = toY;
}

void QtPrinter::FillBox(double left, double top, double width, double height) {
  if (ReadyToDraw()) painter_.fillRect(QRectF(left, top, width, height), Qt::black);
  x_ = left + width;
  y_ = top + height;
}

void QtPrinter::ApplyPen() {
  QPen pen(Qt::black);
  pen.setWidthF(std::max(lineWidth_, 1) * kTwipsPerInch / printer_->logicalDpiX());
  pen.setCapStyle(Qt::RoundCap);
  painter_.setPen(pen);
}

void QtPrinter::SetPaperSize(PaperSize size) {
  if (size == PaperSize::A4) {
    if (!printer_->setPageSize(QPageSize(QPageSize::A4)))
      Fail("La impresora no admite el papel A4");
    return;
  }
  SetSheet(Sheet());
}

// Millimetres, because Qt keeps the standard papers' points rounded to whole
// points (A4 would be 842 points high, 16840 twips instead of 16838).
QSizeF QtPrinter::Sheet() const { return printer_->pageLayout().fullRect(QPageLayout::Millimeter).size(); }

int QtPrinter::PageHeight() const {
  return static_cast<int>(std::lround(Sheet().height() / kMillimetresPerInch * kTwipsPerInch));
}

void QtPrinter::SetPageHeight(int twips) { SetSheet({Sheet().width(), twips / kTwipsPerInch * kMillimetresPerInch}); }

void QtPrinter::SetSheet(QSizeF millimetres) {
  // An exact match keeps Qt from rounding the size to a standard paper. Qt
  // hands a size of its own to the PDF and to CUPS in whole points, though:
  // the 158.5 mm continuous form goes out as 449 points, 158.4 mm.
  const QPageSize size(millimetres, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
  if (!printer_->setPageSize(size)) Fail("La impresora no admite ese tamaño de papel");
}

void QtPrinter::NewPage() {
  // The break is made when something is drawn on the new page, so a job that
  // ends right after it has no blank last page.
  ++breaksOwed_;
  ++page_;
  x_ = 0;
  y_ = 0;
}

bool QtPrinter::ReadyToDraw() {
  if (!painter_.isActive() && !BeginJob()) return false;
  for (; breaksOwed_ > 0; --breaksOwed_) {
    if (!printer_->newPage()) Fail("No se pudo empezar una página nueva");
  }
  return true;
}

bool QtPrinter::BeginJob() {
  // One failed start per job is enough; the rest of it draws nothing.
  if (jobFailed_) return false;
  if (toPdf_) {
    std::error_code ec;
    std::filesystem::create_directories(pdfFolder_, ec);
    pdfFile_ = NewPdfFileName().string();
    printer_->setOutputFileName(QString::fromStdString(pdfFile_));
  }
  if (!painter_.begin(printer_)) {
    jobFailed_ = true;
    Fail(toPdf_ ? "No se puede escribir el fichero " + pdfFile_
                : "No se puede imprimir en " + printer_->printerName().toStdString());
    return false;
  }
  painter_.scale(printer_->logicalDpiX() / kTwipsPerInch, printer_->logicalDpiY() / kTwipsPerInch);
  return true;
}

std::filesystem::path QtPrinter::NewPdfFileName() const {
  const std::string stem =
      "vetra32-" + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")).toStdString();
  std::filesystem::path file = pdfFolder_ / (stem + ".pdf");
  for (int n = 2; std::filesystem::exists(file); ++n) file = pdfFolder_ / (stem + "-" + std::to_string(n) + ".pdf");
  return file;
}

std::string QtPrinter::EndJob() {
  lastPdfFile_.clear();
  if (painter_.isActive()) {
    if (!painter_.end() || printer_->printerState() == QPrinter::Error)
      Fail("Error al imprimir en " + (toPdf_ ? pdfFile_ : printer_->printerName().toStdString()));
    else if (toPdf_)
      lastPdfFile_ = pdfFile_;
  }
  pdfFile_.clear();
  jobFailed_ = false;
  breaksOwed_ = 0;
  page_ = 1;
  x_ = 0;
  y_ = 0;
  return std::exchange(error_, {});
}

void QtPrinter::Fail(const std::string& message) {
  if (error_.empty()) error_ = message;
}

}  // namespace vetra
