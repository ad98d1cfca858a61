#include "platform/qt_printer.h"

#include <QDateTime>
#include <QDir>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrintEngine>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <algorithm>
#include <cmath>
#include <optional>
#include <system_error>
#include <utility>

#include "platform/text.h"

namespace vetra {

namespace {

constexpr double kTwipsPerInch = 1440;
constexpr double kTwipsPerPoint = 20;
constexpr double kMillimetresPerInch = 25.4;

// A PDF gets the dots of an office laser printer.
constexpr int kPdfResolution = 600;
// A PDF is laid out as an office laser printer lays out its page: the
// printable area begins a quarter of an inch in from every edge, so that the
// file printed later lands where it would have landed on the printer.
constexpr double kPdfMarginPoints = 18;
// Qt's CUPS engine adds the job options given under this key (its own
// PPK_CupsOptions) to those it makes itself.
const auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

// Line widths count dots of a 300-dpi printer.
constexpr double kTwipsPerLineDot = kTwipsPerInch / 300;

std::optional<QString>& ChosenPrinter() {
  static std::optional<QString> chosen;
  return chosen;
}

std::unique_ptr<QPrinter> MakePdfWriter() {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setResolution(kPdfResolution);
  printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kPdfMarginPoints, kPdfMarginPoints, kPdfMarginPoints, kPdfMarginPoints),
                                     QPageLayout::Point));
  return printer;
}

// The origin goes to the corner of what the device can print: a printer's
// own hardware margins (Qt would otherwise keep margins of its own), the
// typical printer's for a PDF.
void KeepPrintableArea(QPrinter& printer) {
  const QPageLayout layout = printer.pageLayout();
  if (printer.outputFormat() == QPrinter::PdfFormat)
    printer.setPageMargins(QMarginsF(kPdfMarginPoints, kPdfMarginPoints, kPdfMarginPoints, kPdfMarginPoints),
                           QPageLayout::Point);
  else
    printer.setPageMargins(layout.minimumMargins(), layout.units());
}

}  // namespace

std::string DefaultPdfFolder() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty()) folder = QDir::homePath();
  return folder.toStdString();
}

QString CurrentPrinterName() {
  if (ChosenPrinter()) return *ChosenPrinter();
  return QPrinterInfo::defaultPrinter().printerName();
}

void ChoosePrinter(const QString& name) { ChosenPrinter() = name; }

QString WhyPdf() {
  return QPrinterInfo::availablePrinterNames().isEmpty() ? QStringLiteral("No hay ninguna impresora instalada. ")
                                                         : QString();
}

std::unique_ptr<QPrinter> MakeQPrinter(const QString& name) {
  const QPrinterInfo info = name.isEmpty() ? QPrinterInfo() : QPrinterInfo::printerInfo(name);
  if (info.isNull()) return MakePdfWriter();
  auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
  KeepPrintableArea(*printer);
  return printer;
}

std::unique_ptr<QPrinter> MakeDefaultQPrinter() { return MakeQPrinter(CurrentPrinterName()); }

QtPrinter::QtPrinter(std::string pdfFolder, Output output)
    : ownPrinter_(output == Output::Pdf ? MakePdfWriter() : MakeDefaultQPrinter()),
      printer_(ownPrinter_.get()),
      toPdf_(printer_->outputFormat() == QPrinter::PdfFormat),
      pdfFolder_(std::move(pdfFolder)) {
  printer_->setDocName(QStringLiteral("Vetra32"));
  printer_->setCreator(QStringLiteral("Vetra32"));
}

QtPrinter::QtPrinter(QPrinter& preview)
    : printer_(&preview), preview_(true), toPdf_(preview.outputFormat() == QPrinter::PdfFormat) {}

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
    painter_.setPen(Qt::black);
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

void QtPrinter::FormBox(double left, double top, double width, double height) {
  if (!preview_ || !ReadyToDraw()) return;
  painter_.setPen(QPen(QColor(170, 200, 230), kTwipsPerLineDot));
  painter_.setBrush(Qt::NoBrush);
  painter_.drawRect(QRectF(left, top, width, height));
}

void QtPrinter::ApplyPen() {
  QPen pen(Qt::black);
  pen.setWidthF(std::max(lineWidth_, 1) * kTwipsPerLineDot);
  pen.setCapStyle(Qt::RoundCap);
  painter_.setPen(pen);
}

void QtPrinter::SetPaperSize(PaperSize size) {
  switch (size) {
    case PaperSize::User: return;  // the sheet in use is the user's own already
    case PaperSize::A4: formHeight_ = 0; return SetSheet(QPageSize(QPageSize::A4), 0);
    case PaperSize::Wide:
      formHeight_ = 0;
      return SetSheet(QPageSize(QSizeF(350, 297), QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
                      297 / kMillimetresPerInch * kTwipsPerInch / kTwipsPerPoint);
  }
}

int QtPrinter::PageHeight() const {
  if (formHeight_ > 0) return formHeight_;
  // Millimetres, because Qt keeps the standard papers' points rounded to
  // whole points (A4 would be 842 points high, 16840 twips instead of 16838).
  const double millimetres = printer_->pageLayout().fullRect(QPageLayout::Millimeter).height();
  return static_cast<int>(std::lround(millimetres / kMillimetresPerInch * kTwipsPerInch));
}

// The forms get their sizes as their pages begin.
void QtPrinter::SetPageHeight(int twips) { formHeight_ = twips; }

// Qt hands page sizes to the PDF and to CUPS in whole points, and a form of
// 158.5 mm is 449.29 points: at 449 points a page, the forms would drift one
// sign row in 36. A printer is told the exact length as a job option. A PDF
// gives each form the whole points that end it at the last point above where
// the next form truly begins, and draws it lower by what its own top lies
// above its true place (under a point): every form's marks keep their place
// to a fraction of a twip, whatever the job's length.
void QtPrinter::SizeForm(int index) {
  if (formHeight_ <= 0) return;
  const double width = printer_->pageLayout().pageSize().sizePoints().width();
  const auto pointAbove = [this](int form) {
    return std::floor(static_cast<double>(form) * formHeight_ / kTwipsPerPoint);
  };
  const double height = ToPrinter() ? pointAbove(1) : pointAbove(index + 1) - pointAbove(index);
  SetSheet(QPageSize(QSizeF(width, height), QPageSize::Point, QString(), QPageSize::ExactMatch),
           formHeight_ / kTwipsPerPoint);
}

// `exactHeight` is the paper's true length in points when Qt's whole points
// miss it, 0 for a standard paper. The width stays in whole points: the
// pages are as wide as the paper, and CUPS centres a page on its paper.
void QtPrinter::SetSheet(const QPageSize& size, double exactHeight) {
  if (!printer_->setPageSize(size)) Fail("La impresora no admite ese tamaño de papel");
  KeepPrintableArea(*printer_);
  if (!ToPrinter()) return;
  // CUPS would otherwise take Qt's whole points, and round them down once
  // more on the way (595 x 449 comes out 594 x 448).
  QStringList options;
  if (exactHeight > 0)
    options << QStringLiteral("PageSize")
            << QStringLiteral("Custom.%1x%2").arg(size.sizePoints().width()).arg(exactHeight, 0, 'f', 2);
  printer_->printEngine()->setProperty(kCupsOptions, options);
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
  while (breaksOwed_ > 0) {
    --breaksOwed_;
    const int index = page_ - 1 - breaksOwed_;
    SizeForm(index);
    if (!printer_->newPage()) Fail("No se pudo empezar una página nueva");
    BeginPage(index);
  }
  return true;
}

// Twips from the corner of the printable area, on a form drawn at its true
// place.
void QtPrinter::BeginPage(int index) {
  painter_.resetTransform();
  painter_.scale(printer_->logicalDpiX() / kTwipsPerInch, printer_->logicalDpiY() / kTwipsPerInch);
  if (formHeight_ > 0 && !ToPrinter()) {
    const double trueTop = static_cast<double>(index) * formHeight_;
    painter_.translate(0, trueTop - std::floor(trueTop / kTwipsPerPoint) * kTwipsPerPoint);
  }
}

bool QtPrinter::BeginJob() {
  // One failed start per job is enough; the rest of it draws nothing.
  if (jobFailed_) return false;
  if (toPdf_ && !preview_) {
    std::error_code ec;
    std::filesystem::create_directories(pdfFolder_, ec);
    pdfFile_ = NewPdfFileName().string();
    printer_->setOutputFileName(QString::fromStdString(pdfFile_));
  }
  const int index = page_ - 1 - breaksOwed_;
  SizeForm(index);
  if (!painter_.begin(printer_)) {
    jobFailed_ = true;
    Fail(toPdf_ ? "No se puede escribir el fichero " + pdfFile_
                : "No se puede imprimir en " + printer_->printerName().toStdString());
    return false;
  }
  BeginPage(index);
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
  if (preview_) {
    // The next job starts on a page of its own.
    breaksOwed_ = painter_.isActive() ? 1 : 0;
  } else {
    if (painter_.isActive()) {
      if (!painter_.end() || printer_->printerState() == QPrinter::Error)
        Fail("Error al imprimir en " + (toPdf_ ? pdfFile_ : printer_->printerName().toStdString()));
      else if (toPdf_)
        lastPdfFile_ = pdfFile_;
    }
    breaksOwed_ = 0;
  }
  pdfFile_.clear();
  jobFailed_ = false;
  page_ = 1;
  x_ = 0;
  y_ = 0;
  return std::exchange(error_, {});
}

void QtPrinter::Fail(const std::string& message) {
  if (error_.empty()) error_ = message;
}

}  // namespace vetra
