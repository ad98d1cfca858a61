#include "reductions/reducir.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>

#include "app/app_state.h"
#include "app/drawing.h"
#include "app/help.h"
#include "app/mensajes.h"
#include "app/opening_reports.h"
#include "app/numbers.h"
#include "app/pointers.h"
#include "app/section_screen.h"
#include "app/sounds.h"
#include "maintenance/historic.h"
#include "matchdays/matchday_file.h"
#include "matchdays/selection_lists.h"
#include "platform/text.h"
#include "reductions/base_editing.h"
#include "reductions/base_file.h"
#include "reductions/counter_panel.h"
#include "reductions/garantia.h"
#include "reductions/progress_panel.h"
#include "reductions/reduction_run.h"
#include "reductions/reduction_store.h"
#include "reductions/reduction_tables.h"

namespace vetra {
namespace {

constexpr int kScreenHeight = 430;
constexpr QSize kEstaSize(200, 270);
constexpr int kTwoButtonsTop = 385;
constexpr int kTwoButtonsWidth = 120;
constexpr int kTwoButtonsHeight = 25;
constexpr int kErrorListLeft = 371;
constexpr int kListEntryHeight = 13;
// Pointer zones of the grids, apart from the screen's panels (1..5).
constexpr int kBaseZones = 100;
constexpr int kElegirZones = 200;
constexpr int kSignosZones = 300;
const QString kSingleBlank = QStringLiteral(" ");

// Where the method's parts lie on the screen.
struct MethodLayout {
  int width;
  int orderListLeft;
  int sheetTextLeft;
  int methodPanelLeft;
  int estaLeft;
  int selectAllLeft;
  int clearAllLeft;
};

MethodLayout LayoutOf(int method) {
  switch (method) {
    case kProbableColumnMethod: return {645, 248, 145, 345, 435, 20, 160};
    case kSignSelectionMethod: return {560, 205, 130, 350, 350, 40, 210};
    default: return {520, 185, 120, 280, 290, 40, 210};
  }
}

int HelpTopicOf(int method) {
  return method == kProbableColumnMethod ? 2230 : method == kSignSelectionMethod ? 2250 : 2210;
}

DrawingSurface* AddGrid(QWidget* parent, const char* name, QPoint at, QSize size) {
  auto* grid = new DrawingSurface(parent, size);
  grid->setObjectName(QString::fromLatin1(name));
  grid->move(at);
  return grid;
}

// The error panels belong to the probable-column method alone.
bool MethodHasPanel(int method, int panel, int minPanel) { return panel < minPanel || method == kProbableColumnMethod; }

QString MethodName(int method) { return QString::fromStdString(std::string(ShortMethodName(method))).trimmed(); }

// The run's progress reaches the screen at most every 20 ms or so, which keeps
// it responsive without paying for an event round once per column.
class ScreenProgress : public RunProgress {
 public:
  explicit ScreenProgress(ProgressPanel* panel) : panel_(panel) { clock_.start(); }
  bool Continue(std::int64_t done, std::int64_t total) override {
    panel_->ShowProgress(QString::fromStdString(ProgressLine(ProgressPercent(done, total))));
    // The first call serves the events at once, so that the panel appears.
    if (done == 0 || clock_.elapsed() >= 20) {
      QApplication::processEvents();
      clock_.restart();
    }
    return !panel_->CancelRequested();
  }

 private:
  ProgressPanel* panel_;
  QElapsedTimer clock_;
};

}  // namespace

Reducir::Reducir(AppState& app, QWidget* parent) : QDialog(parent), app_(app) {
  setObjectName(QStringLiteral("reducir"));
  setWindowTitle(QStringLiteral("Reducción de apuestas"));
  const FirstReportOnly oneMessage(app_);

  ReadMatchday(app_);
  LoadBase(app_, app_.currentMatchday, app_.currentOrder);
  if (app_.keepReductionState != 0) app_.reductionMethod = app_.keepReductionState;
  Layout();
  BuildPanels();

  app_.listsFilling = true;
  FillMatchdayList(app_, panels_[kMatchdayPanel].list, 10);
  FillOrderList(app_, panels_[kOrderPanel].list);
  panels_[kMethodPanel].list->Fill({MethodName(1), MethodName(2), MethodName(3)}, false);
  panels_[kMethodPanel].list->setGeometry(methodPanelLeft_, 15 + 51, 138, 3 * kListEntryHeight + 8);
  panels_[kMethodPanel].list->Select(app_.reductionMethod - 1);
  app_.listsFilling = false;

  descripcion_->setText(FromFileText(app_.description));
  // Drawing the sheet unmarks a marked match of one sign; the panel counts after it.
  DrawScreen();
  Recompute();
  ShowNormalPointer();
}

void Reducir::Layout() {
  const MethodLayout layout = LayoutOf(app_.reductionMethod);
  app_.matchdayListTop = 15;
  app_.orderListLeft = static_cast<std::int16_t>(layout.orderListLeft);
  app_.sheetTextLeft = static_cast<std::int16_t>(layout.sheetTextLeft);
  methodPanelLeft_ = layout.methodPanelLeft;
  selectAllLeft_ = layout.selectAllLeft;
  clearAllLeft_ = layout.clearAllLeft;
  setFixedSize(layout.width, kScreenHeight);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->geometry().center() - rect().center());

  sheet_.screen = new DrawingSurface(this, size());
  connect(sheet_.screen, &DrawingSurface::Pressed, this, &Reducir::PressOnScreen);
  connect(sheet_.screen, &DrawingSurface::Moved, this, &Reducir::MoveOnScreen);
  sheet_.base = AddGrid(this, "Pic_Base", QPoint(kBaseLeft, kGridTop), kBaseGridSize);
  sheet_.elegir = AddGrid(this, "Pic_Elegir", QPoint(kElegirLeft, kGridTop), kElegirSize);
  connect(sheet_.base, &DrawingSurface::Pressed, this, &Reducir::PressBase);
  connect(sheet_.base, &DrawingSurface::Moved, this, &Reducir::MoveBase);
  connect(sheet_.elegir, &DrawingSurface::Pressed, this, &Reducir::PressElegir);
  connect(sheet_.elegir, &DrawingSurface::Moved, this,
          [this](QPoint p) {
            const int match = QueElegidaHaPulsado(app_.baseGrid, p.x(), p.y());
            SetZonePointer(app_.pointerZone, sheet_.elegir, match ? kElegirZones + match : 0,
                           QStringLiteral("ManoIndice"));
          });
  if (app_.reductionMethod == kProbableColumnMethod) {
    sheet_.colBas = AddGrid(this, "Pic_ColBas", QPoint(kThirdGridLeft, kGridTop), kBaseGridSize);
    connect(sheet_.colBas, &DrawingSurface::Pressed, this, &Reducir::PressColBas);
  }
  if (app_.reductionMethod == kSignSelectionMethod) {
    sheet_.signos = AddGrid(this, "Pic_Signos", QPoint(kThirdGridLeft, kGridTop), kSignosSize);
    connect(sheet_.signos, &DrawingSurface::Pressed, this, &Reducir::PressSignos);
    connect(sheet_.signos, &DrawingSurface::Moved, this, &Reducir::MoveSignos);
  }
  esta_ = AddGrid(this, "Pic_Esta", QPoint(layout.estaLeft, kGridTop), kEstaSize);

  descripcion_ = new QLineEdit(this);
  descripcion_->setObjectName(QStringLiteral("Tex_Descripcion"));
  descripcion_->setGeometry(85, 352, 190, 21);  // clear of the totals grid
  descripcion_->setMaxLength(35);
  descripcion_->setFont(ScreenFont(false));
  descripcion_->setValidator(FileTextValidator(descripcion_));
  connect(descripcion_, &QLineEdit::textChanged, this,
          [this](const QString& text) { app_.description = Trimmed(ToFileText(text.left(35))); });

  const int buttonsLeft = layout.width - 4 * 46;
  reducir_ = new PictureButton(this, QStringLiteral("Reducir"), QPoint(buttonsLeft, 372));
  indice_ = new PictureButton(this, QStringLiteral("Indice"), QPoint(buttonsLeft + 46, 372));
  ayuda_ = new PictureButton(this, QStringLiteral("Ayuda"), QPoint(buttonsLeft + 92, 372));
  salir_ = new PictureButton(this, QStringLiteral("Salir"), QPoint(buttonsLeft + 138, 372));
  for (PictureButton* b : {reducir_, indice_, ayuda_, salir_}) SetPointer(b, QStringLiteral("ManoIndice"));
  connect(reducir_, &PictureButton::Pressed, this, &Reducir::RunReduction);
  connect(salir_, &PictureButton::Pressed, this, &Reducir::Leave);
  PressedByHelpKey(ayuda_);
  LeaveByEscape(this, salir_);
  connect(ayuda_, &PictureButton::Pressed, this, [this] {
    PlaySoundEffect(app_, 9);
    ShowHelp(app_, HelpTopicOf(app_.reductionMethod));
  });
  connect(indice_, &PictureButton::Pressed, this, [this] {
    PlaySoundEffect(app_, 9);
    if (ShowHistoric(app_, this)) {
      app_.keepReductionState = 0;
      Reload();
    }
  });

  porcen_ = new ProgressPanel(this, app_);
  porcen_->move((layout.width - porcen_->width()) / 2, 110);
  connect(porcen_, &ProgressPanel::Closed, this, [this] { SetBusy(false); });
  connect(porcen_, &ProgressPanel::GuaranteeAsked, this, [this] { ShowGuarantee(app_, this); });
}

void Reducir::BuildPanels() {
  auto number = [](int value) { return QString::number(value); };
  panels_[kMatchdayPanel] = {QRect(10, app_.matchdayListTop, 90, 30), nullptr,
                             [this] { return MatchdayPanelText(app_.currentMatchday); }, nullptr,
                             [this](int entry) {
                               app_.currentMatchday = static_cast<std::int16_t>(entry + 1);
                               app_.currentOrder = 1;
                               app_.keepReductionState = 0;
                               Reload();
                             }};
  panels_[kOrderPanel] = {QRect(app_.orderListLeft, 15, 80, 30), nullptr,
                          [this] { return OrderPanelText(app_.currentOrder); }, nullptr,
                          [this](int entry) {
                            app_.currentOrder = static_cast<std::int16_t>(entry + 1);
                            app_.keepReductionState = 0;
                            Reload();
                          }};
  panels_[kMethodPanel] = {QRect(methodPanelLeft_, 15, 138, 50), nullptr,
                           [] { return QStringLiteral("Método reductivo:"); },
                           [this] { return MethodName(app_.reductionMethod); },
                           [this](int entry) {
                             app_.reductionMethod = static_cast<std::int16_t>(entry + 1);
                             app_.keepReductionState = app_.reductionMethod;
                             Reload();
                           }};
  panels_[kMinPanel] = {QRect(340, 147, 81, 30), nullptr,
                        [this, number] { return QStringLiteral("Mínimo: ") + number(app_.minErrors); }, nullptr,
                        [this](int entry) {
                          app_.minErrors = static_cast<std::int16_t>(entry);
                          Recompute();
                        }};
  panels_[kMaxPanel] = {QRect(340, 190, 81, 30), nullptr,
                        [this, number] { return QStringLiteral("Máximo: ") + number(app_.maxErrors); }, nullptr,
                        [this](int entry) {
                          app_.maxErrors = static_cast<std::int16_t>(entry);
                          Recompute();
                        }};
  const char* names[kPanelCount] = {"Lis_Jornadas", "Lis_Orden", "Lis_Metodos", "Lis_MinErrores", "Lis_MaxErrores"};
  for (int i = 0; i < kPanelCount; ++i) {
    panels_[i].list = new PickList(this, QString::fromLatin1(names[i]));
    connect(panels_[i].list, &PickList::Chosen, this, [this, i](int entry) { ListChosen(i, entry); });
    connect(panels_[i].list, &PickList::Left, this, [this, i] {
      if (panels_[i].open) ClosePanel(i);
    });
  }
}

void Reducir::DrawScreen() {
  sheet_.screen->Clear(colour::kGround);
  DrawReductionSheet(app_, sheet_, true);
  for (int i = 0; i < kPanelCount; ++i)
    if (MethodHasPanel(app_.reductionMethod, i, kMinPanel)) DrawListPanel(i);
  DrawMethodExtras();
  DrawTwoButtons(0);
  if (sheet_.signos) DrawTotalsGrid(app_, sheet_.signos);
}

void Reducir::DrawMethodExtras() {
  QPainter p(&sheet_.screen->Image());
  DrawShadowText(p, kBaseLeft - 8, 60, QStringLiteral("Quiniela     Partidos"));
  DrawShadowText(p, kBaseLeft - 1, 73, QStringLiteral("base      reducidos"));
  if (app_.reductionMethod == kProbableColumnMethod) {
    DrawShadowText(p, kThirdGridLeft - 12, 60, QStringLiteral("     Columna"));
    DrawShadowText(p, kThirdGridLeft - 12, 73, QStringLiteral("    probable"));
    DrawShadowText(p, 340, 113, QStringLiteral("Errores"));
    DrawShadowText(p, 340, 126, QStringLiteral("permitidos:"));
  }
  if (app_.reductionMethod == kSignSelectionMethod) {
    DrawShadowText(p, kThirdGridLeft - 25, 60, QStringLiteral("       Signos"));
    const char* labels[] = {"1", "X", "2"};
    for (int k = 0; k < 3; ++k) DrawShadowText(p, kThirdGridLeft + 18 * k + 5, 73, QString::fromLatin1(labels[k]));
  }
  p.setFont(ScreenFont(true));
  p.setPen(Bgr(colour::kWhite));
  DrawTextAt(p, 3, 356, QStringLiteral("Descripción.:"));
  sheet_.screen->update();
}

// 0: both raised; 1 or 2: "Seleccionar todo" or "  Borrar todo" pressed.
void Reducir::DrawTwoButtons(int pressed) {
  QPainter p(&sheet_.screen->Image());
  p.fillRect(selectAllLeft_, kTwoButtonsTop, clearAllLeft_ + kTwoButtonsWidth + 8 - selectAllLeft_,
             kTwoButtonsHeight + 8, Bgr(colour::kGround));
  DrawMenuButton(p, selectAllLeft_, kTwoButtonsTop, kTwoButtonsWidth, kTwoButtonsHeight,
                 QStringLiteral("Seleccionar todo"), kSingleBlank, pressed == 1);
  DrawMenuButton(p, clearAllLeft_, kTwoButtonsTop, kTwoButtonsWidth, kTwoButtonsHeight,
                 QStringLiteral("  Borrar todo"), kSingleBlank, pressed == 2);
  sheet_.screen->update();
}

void Reducir::DrawListPanel(int index) {
  const ListPanel& panel = panels_[index];
  QPainter p(&sheet_.screen->Image());
  DrawPanel(p, panel.rect.x(), panel.rect.y(), panel.rect.width(), panel.rect.height(), panel.line1(),
            panel.line2 ? panel.line2() : kSingleBlank);
  if (index == kMatchdayPanel) {
    p.setFont(ScreenFont(true));
    p.setPen(Bgr(colour::kWhite));
    DrawTextAt(p, app_.sheetTextLeft, app_.matchdayListTop + 12, FromFileText(app_.currentMatchdayDate));
  }
  sheet_.screen->update();
}

void Reducir::TogglePanel(int index) {
  ListPanel& panel = panels_[index];
  if (panel.open) {
    ClosePanel(index);
    return;
  }
  OpenPanelEditor(app_, sheet_.screen, panel.rect, panel.list);
  panel.open = true;
}

void Reducir::ClosePanel(int index) {
  ListPanel& panel = panels_[index];
  if (!app_.listsFilling) PlaySoundEffect(app_, 7);
  panel.open = false;
  panel.list->hide();
  DrawListPanel(index);
}

void Reducir::ListChosen(int index, int entry) {
  if (app_.listsFilling) return;
  ListPanel& panel = panels_[index];
  ClosePanel(index);
  const int current = index == kMatchdayPanel ? app_.currentMatchday - 1
                      : index == kOrderPanel  ? app_.currentOrder - 1
                      : index == kMethodPanel ? app_.reductionMethod - 1
                      : index == kMinPanel    ? app_.minErrors
                                              : app_.maxErrors;
  if (entry != current) panel.choose(entry);
}

void Reducir::BuildErrorLists() {
  listedMultiples_ = figures_.multiplesMarked;
  QStringList entries;
  for (int n = 0; n <= figures_.multiplesMarked; ++n) entries << TwoCharacters(n);
  const int height = kListEntryHeight * static_cast<int>(entries.size()) + 2;
  app_.listsFilling = true;
  for (int i : {kMinPanel, kMaxPanel}) {
    PickList* list = panels_[i].list;
    list->Fill(entries, false);
    list->setGeometry(kErrorListLeft, panels_[i].rect.bottom() + 2, 40, height);
    list->Select(i == kMinPanel ? app_.minErrors : app_.maxErrors);
    DrawListPanel(i);
  }
  app_.listsFilling = false;
}

void Reducir::Recompute() {
  BaseRecord record = CurrentBaseRecord(app_);
  RecomputeFigures(record, figures_);
  SetCurrentBaseRecord(app_, record);
  DrawCounterPanel(esta_, record, figures_, app_.betPrice);
  if (app_.reductionMethod == kProbableColumnMethod) {
    if (figures_.multiplesMarked != listedMultiples_) BuildErrorLists();
    DrawListPanel(kMinPanel);
    DrawListPanel(kMaxPanel);
  }
}

void Reducir::Reload() {
  app_.reshowReductionScreen = true;
  accept();
}

void Reducir::PressOnScreen(QPoint point) {
  if (busy_) return;
  for (int i = 0; i < kPanelCount; ++i)
    if (MethodHasPanel(app_.reductionMethod, i, kMinPanel) && panels_[i].rect.contains(point)) {
      TogglePanel(i);
      return;
    }
  const int y = point.y();
  if (y < kTwoButtonsTop || y > kTwoButtonsTop + kTwoButtonsHeight) return;
  const bool selectAll = point.x() >= selectAllLeft_ && point.x() <= selectAllLeft_ + kTwoButtonsWidth;
  const bool clearAll = point.x() >= clearAllLeft_ && point.x() <= clearAllLeft_ + kTwoButtonsWidth;
  if (!selectAll && !clearAll) return;
  PlaySoundEffect(app_, 1);
  DrawTwoButtons(selectAll ? 1 : 2);
  sheet_.screen->repaint();
  if (selectAll)
    SelectAllSigns(app_.baseGrid);
  else
    ClearAllSigns(app_.baseGrid);
  for (int m = 1; m <= 14; ++m) DrawMatchCells(app_, sheet_, m);
  DrawTwoButtons(0);
  Recompute();
  if (sheet_.signos) DrawTotalsGrid(app_, sheet_.signos);
}

void Reducir::MoveOnScreen(QPoint point) {
  int zone = 0;
  for (int i = 0; i < kPanelCount; ++i)
    if (MethodHasPanel(app_.reductionMethod, i, kMinPanel) && panels_[i].rect.contains(point)) zone = i + 1;
  SetZonePointer(app_.pointerZone, sheet_.screen, zone, QStringLiteral("ManoIndice"));
}

void Reducir::AfterEdit(int match) {
  PlaySoundEffect(app_, 1);
  DrawMatchCells(app_, sheet_, match);
  Recompute();
  if (sheet_.signos) DrawTotalsGrid(app_, sheet_.signos);
}

void Reducir::PressBase(QPoint point) {
  if (busy_) return;
  const GridHit hit = QueBaseHaPulsado(point.x(), point.y());
  if (!hit.valid) return;
  ToggleBaseSign(app_.baseGrid[hit.row - 1], hit.column);
  AfterEdit(hit.row);
  MoveBase(point);
}

void Reducir::MoveBase(QPoint point) {
  const GridHit hit = QueBaseHaPulsado(point.x(), point.y());
  if (!hit.valid) {
    SetZonePointer(app_.pointerZone, sheet_.base, 0, QString());
    return;
  }
  // The zone tells the cell and its state, so that a click that changes the
  // state changes the pointer too.
  const bool marked = app_.baseGrid[hit.row - 1].signs[hit.column - 1] != 0;
  SetZonePointer(app_.pointerZone, sheet_.base, kBaseZones + 2 * (hit.row * 3 + hit.column) + marked,
                 marked ? QStringLiteral("Goma") : QStringLiteral("Lapiz"));
}

void Reducir::PressElegir(QPoint point) {
  if (busy_) return;
  const int match = QueElegidaHaPulsado(app_.baseGrid, point.x(), point.y());
  if (match && ToggleMarked(app_.baseGrid[match - 1])) AfterEdit(match);
}

void Reducir::PressColBas(QPoint point) {
  if (busy_) return;
  const GridHit hit = QueBaseHaPulsado(point.x(), point.y());
  if (hit.valid && ToggleProbable(app_.baseGrid[hit.row - 1], hit.column)) AfterEdit(hit.row);
}

void Reducir::PressSignos(QPoint point) {
  if (busy_) return;
  const GridHit hit = QueSignoUEDHaPulsado(point.x(), point.y());
  if (!hit.valid || hit.row > figures_.signCapacity[hit.column - 1]) return;
  auto& flag = app_.allowedTotals[hit.column - 1][hit.row];
  flag = flag ? 0 : 1;
  PlaySoundEffect(app_, 1);
  Recompute();
  DrawTotalsGrid(app_, sheet_.signos);
}

void Reducir::MoveSignos(QPoint point) {
  const GridHit hit = QueSignoUEDHaPulsado(point.x(), point.y());
  if (!hit.valid) {
    SetZonePointer(app_.pointerZone, sheet_.signos, 0, QString());
    return;
  }
  const bool reachable = hit.row <= figures_.signCapacity[hit.column - 1];
  SetZonePointer(app_.pointerZone, sheet_.signos, kSignosZones + 2 * (hit.row * 3 + hit.column) + reachable,
                 reachable ? QStringLiteral("ManoIndice") : QStringLiteral("nodrop"));
}

void Reducir::SetBusy(bool busy) {
  busy_ = busy;
  for (PictureButton* b : {reducir_, indice_, ayuda_, salir_}) b->setEnabled(!busy);
  descripcion_->setEnabled(!busy);
}

void Reducir::RunReduction() {
  if (busy_) return;
  PlaySoundEffect(app_, 9);
  BaseRecord record = CurrentBaseRecord(app_);
  if (const std::optional<Refusal> refusal = CheckRun(record, figures_)) {
    ShowMessage(app_, QString::fromStdString(refusal->title), QString::fromStdString(refusal->text));
    ShowNormalPointer();
    return;
  }
  if (BaseExists(app_, app_.currentMatchday, app_.currentOrder).found) {
    const Refusal question = ReductionExistsQuestion();
    app_.reducePressed = false;
    ShowMessage(app_, QString::fromStdString(question.title), QString::fromStdString(question.text),
                {Answer::Reducir});
    ShowNormalPointer();
    if (!app_.reducePressed) return;
  }
  SetBusy(true);
  porcen_->Start(QString::fromStdString(BetCountsLine(record.directBets, record.reducedBets)));
  ShowHourglass();
  ScreenProgress progress(porcen_);
  const StoreResult result = StoreReduction(app_, progress);
  const char* line = result.fileError ? kRunFailedLine : result.cancelled ? kRunCancelledLine : kRunFinishedLine;
  porcen_->Finish(QString::fromUtf8(line), !result.Finished());
  ShowNormalPointer();
}

void Reducir::Leave() {
  if (busy_) return;
  if (BaseExists(app_, app_.currentMatchday, app_.currentOrder).found) UpdateDescription(app_);
  app_.reshowReductionScreen = false;
  PlaySoundEffect(app_, 5);
  accept();
}

void Reducir::reject() {
  // Closing the window is leaving it, but never in the middle of a run.
  if (busy_) return;
  Leave();
}

void ShowReductionScreen(AppState& app, QWidget* parent) {
  app.reshowReductionScreen = true;
  app.keepReductionState = 0;
  while (app.reshowReductionScreen) {
    Reducir screen(app, parent);
    screen.exec();
  }
}

}  // namespace vetra
