#include "reductions/garantia.h"

#include <QListWidget>
#include <QPainter>
#include <QProgressBar>
#include <QThread>
#include <QTimer>

#include "app/app_state.h"
#include "app/drawing.h"
#include "app/help.h"
#include "app/mensajes.h"
#include "app/pointers.h"
#include "app/section_screen.h"
#include "app/sounds.h"
#include "output/guarantee_listing.h"
#include "output/listings.h"
#include "output/print_job.h"
#include "platform/locale_marks.h"
#include "platform/text.h"

namespace vetra {
namespace {

constexpr int kHelpTopic = 2310;
constexpr QSize kScreenSize(560, 500);
constexpr int kMargin = 10;

// The large figure and its words, left of the plot.
constexpr QPoint kFigureAt(40, 70);
constexpr int kFigurePixels = 72;
constexpr int kFigureWordsTop = 160;

// The plot: six groups of four bars, one bar per row of the table.
constexpr QRect kBarsPlace(230, 52, 320, 180);
constexpr int kPlotLeft = 30;
constexpr int kPlotTop = 24;
constexpr int kPlotBottom = 150;
constexpr int kGroupWidth = 48;
constexpr int kBarWidth = 9;
constexpr std::array<std::uint32_t, kFailRows> kRowColours = {0x008000, 0x800000, colour::kRed, colour::kGrey};

constexpr QRect kTablePlace(kMargin, 245, 540, 180);
constexpr int kButtonsTop = 440;
constexpr int kButtonPitch = 46;
// How often the progress bar follows the worker.
constexpr int kPollMilliseconds = 30;

// The worker's side of the progress: how far, and whether to go on.
class WorkerProgress : public RunProgress {
 public:
  WorkerProgress(std::atomic<int>& done, const std::atomic<bool>& cancel) : done_(done), cancel_(cancel) {}
  bool Continue(std::int64_t done, std::int64_t total) override {
    done_.store(static_cast<int>(total == 0 ? kAnalysisSteps : done * kAnalysisSteps / total));
    return !cancel_.load();
  }

 private:
  std::atomic<int>& done_;
  const std::atomic<bool>& cancel_;
};

QString HitsCaption(int cell) {
  return cell == kPrizeDistances ? QStringLiteral("Menos") : QString::number(kMatches - cell);
}

}  // namespace

Garantia::Garantia(AppState& app, QWidget* parent) : QDialog(parent), app_(app) {
  setObjectName(QStringLiteral("garantia"));
  setWindowTitle(QStringLiteral("Garantía de la reducción"));
  setFixedSize(kScreenSize);
  BuildControls();
  CentreAsTheMenu(this);
  Start();
}

Garantia::~Garantia() { StopWorker(); }

void Garantia::BuildControls() {
  screen_ = new DrawingSurface(this, kScreenSize);
  barras_ = new DrawingSurface(this, kBarsPlace.size());
  barras_->setObjectName(QStringLiteral("Pic_Barras"));
  barras_->move(kBarsPlace.topLeft());
  tabla_ = new QListWidget(this);
  tabla_->setObjectName(QStringLiteral("Lis_Garantia"));
  tabla_->setFont(FixedPitchFont(false));
  tabla_->setGeometry(kTablePlace);
  tabla_->setSelectionMode(QAbstractItemView::NoSelection);

  progreso_ = new QProgressBar(this);
  progreso_->setObjectName(QStringLiteral("Prg_Garantia"));
  progreso_->setGeometry(kMargin, kButtonsTop + 8, 300, 20);
  progreso_->setRange(0, kAnalysisSteps);
  cancelar_ = new PictureButton(this, QStringLiteral("Cancelar"), QPoint(320, kButtonsTop));
  SetPointer(cancelar_, QStringLiteral("ManoIndice"));
  connect(cancelar_, &PictureButton::Pressed, this, &Garantia::Cancel);

  const int right = kScreenSize.width() - kMargin - 36;
  imprimir_ = new PictureButton(this, QStringLiteral("Imprimir"), QPoint(right - 2 * kButtonPitch, kButtonsTop));
  SetNoDropPointer(imprimir_);
  connect(imprimir_, &PictureButton::Pressed, this, &Garantia::PrintTable);
  ayuda_ = AddHelpButton(this, app_, kHelpTopic, QPoint(right - kButtonPitch, kButtonsTop));
  salir_ = new PictureButton(this, QStringLiteral("Salir"), QPoint(right, kButtonsTop));
  SetPointer(salir_, QStringLiteral("ManoIndice"));
  connect(salir_, &PictureButton::Pressed, this, &Garantia::Leave);

  poll_ = new QTimer(this);
  poll_->setInterval(kPollMilliseconds);
  connect(poll_, &QTimer::timeout, this, &Garantia::ShowProgress);
}

// The column file is opened here first, so that its errors are reported as
// everywhere; the worker then reads it in big blocks.
void Garantia::Start() {
  const GuaranteeSource source = CurrentGuaranteeSource(app_);
  if (source.fileError != 0) {
    if (source.fileError == 53)
      ShowMessage(app_, QStringLiteral("NO HAY COLUMNAS"),
                  QStringLiteral("No se encuentra el fichero ") + QString::fromStdString(app_.fileToOpen) +
                      QStringLiteral(" con las columnas de esta reducción. Sin ellas no se puede calcular su garantía."));
    run_.outcome = GuaranteeOutcome::NoColumnFile;
    Finished();
    return;
  }
  worker_ = QThread::create([this, source] {
    WorkerProgress progress(done_, cancel_);
    run_ = AnalyseGuarantee(source.path, source.grid, source.prizes, progress);
  });
  connect(worker_, &QThread::finished, this, &Garantia::Finished);
  ShowHourglass();
  worker_->start();
  poll_->start();
  DrawScreen();
}

bool Garantia::Computing() const { return worker_ != nullptr; }

void Garantia::ShowProgress() { progreso_->setValue(done_.load()); }

void Garantia::Finished() {
  if (worker_) {
    worker_->wait();
    worker_->deleteLater();
    worker_ = nullptr;
  }
  poll_->stop();
  ShowNormalPointer();
  progreso_->hide();
  cancelar_->hide();
  if (run_.outcome == GuaranteeOutcome::Counted) {
    SetPointer(imprimir_, QStringLiteral("ManoIndice"));
    for (const std::string& line : GuaranteeLines(run_.figures, LocaleMarks())) tabla_->addItem(FromFileText(line));
  }
  DrawScreen();
}

void Garantia::DrawScreen() {
  screen_->Clear(colour::kGround);
  QPainter p(&screen_->Image());
  DrawShadowText(p, kMargin, kMargin, QStringLiteral("GARANTÍA"));
  p.setFont(ScreenFont(true));
  p.setPen(Bgr(colour::kWhite));
  DrawTextAt(p, kMargin + 80, kMargin, FromFileText(MatchdayHeading(app_)));
  DrawTextAt(p, kMargin + 80, kMargin + 16, FromFileText(app_.description));
  const bool counted = run_.outcome == GuaranteeOutcome::Counted;
  QString words;
  if (Computing())
    words = QStringLiteral("Calculando sobre los 4.782.969 resultados posibles...");
  else if (run_.outcome == GuaranteeOutcome::Stopped)
    words = QStringLiteral("El cálculo de la garantía ha sido cancelado.");
  else if (run_.outcome == GuaranteeOutcome::NoColumnFile)
    words = QStringLiteral("No se pueden leer las columnas de esta reducción.");
  else if (counted)
    words = run_.figures.guarantee != 0 ? QStringLiteral("aciertos asegurados\ncon los 14 resultados\ndentro de la base")
                                         : QStringLiteral("No asegura 10 aciertos\ncon los 14 resultados\ndentro de la base");
  if (counted) {
    QFont big = ScreenFont(true);
    big.setPixelSize(kFigurePixels);
    p.setFont(big);
    const QString figure = run_.figures.guarantee != 0 ? QString::number(run_.figures.guarantee) : QStringLiteral("-");
    p.setPen(Bgr(colour::kShadow));
    DrawTextAt(p, kFigureAt.x() + 3, kFigureAt.y() + 3, figure);
    p.setPen(Bgr(colour::kYellow));
    DrawTextAt(p, kFigureAt.x(), kFigureAt.y(), figure);
  }
  p.setFont(ScreenFont(true));
  p.setPen(Bgr(colour::kWhite));
  p.drawText(QRect(kMargin, kFigureWordsTop, kBarsPlace.left() - 2 * kMargin, 60), Qt::AlignLeft | Qt::TextWordWrap,
             words);
  p.end();
  screen_->update();
  DrawBars();
}

void Garantia::DrawBars() {
  barras_->Clear(colour::kWhite);
  QPainter p(&barras_->Image());
  p.setPen(Bgr(colour::kRed));
  p.drawRect(0, 0, kBarsPlace.width() - 1, kBarsPlace.height() - 1);
  p.setFont(ScreenFont(false));
  p.setPen(Bgr(colour::kBlack));
  DrawTextAt(p, 6, 4, QStringLiteral("Mejor premio, % de resultados; signos fuera de la base:"));
  const int plotHeight = kPlotBottom - kPlotTop;
  p.drawLine(kPlotLeft - 2, kPlotBottom, kPlotLeft + kBestHitColumns * kGroupWidth, kPlotBottom);
  for (int share : {0, 50, 100}) DrawTextAt(p, 4, kPlotBottom - plotHeight * share / 100 - 6, QString::number(share));
  for (int fails = 0; fails < kFailRows; ++fails) {
    const int x = kPlotLeft + 150 + 30 * fails;
    p.fillRect(x, 17, 8, 8, Bgr(kRowColours[static_cast<std::size_t>(fails)]));
    DrawTextAt(p, x + 10, 15, QString::number(fails));
  }
  for (int cell = 0; cell < kBestHitColumns; ++cell) {
    const int left = kPlotLeft + cell * kGroupWidth;
    DrawTextAt(p, left + 6, kPlotBottom + 4, HitsCaption(cell));
    if (run_.outcome != GuaranteeOutcome::Counted) continue;
    for (int fails = 0; fails < kFailRows; ++fails) {
      const int height = static_cast<int>(ResultShare(run_.figures, fails, cell) * plotHeight / 100 + 0.5);
      p.fillRect(left + 4 + fails * (kBarWidth + 1), kPlotBottom - height, kBarWidth, height,
                 Bgr(kRowColours[static_cast<std::size_t>(fails)]));
    }
  }
  DrawTextAt(p, kPlotLeft + 2 * kGroupWidth, kPlotBottom + 16, QStringLiteral("aciertos"));
  p.end();
  barras_->update();
}

void Garantia::Cancel() {
  if (!Computing()) return;
  PlaySoundEffect(app_, 9);
  cancel_.store(true);
}

void Garantia::PrintTable() {
  if (run_.outcome != GuaranteeOutcome::Counted) return;
  PlaySoundEffect(app_, 9);
  const auto job = [this](Printer& printer) { return PrintGuarantee(printer, app_, run_.figures, LocaleMarks()); };
  // The table is looked at on the screen before it goes to paper.
  PreviewAndPrint(this, app_, job, QStringLiteral("GARANTÍA EN PDF"), QStringLiteral("La garantía"));
}

// However the screen goes, no worker outlives it: it is told to stop and
// stops within one step of its progress.
void Garantia::StopWorker() {
  if (!worker_) return;
  cancel_.store(true);
  worker_->wait();
  delete worker_;
  worker_ = nullptr;
}

void Garantia::Leave() {
  PlaySoundEffect(app_, 5);
  StopWorker();
  accept();
}

void Garantia::reject() {
  // Closing the window is leaving it.
  Leave();
}

void ShowGuarantee(AppState& app, QWidget* parent) {
  Garantia screen(app, parent);
  screen.exec();
}

}  // namespace vetra
