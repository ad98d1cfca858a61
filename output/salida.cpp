#include "output/salida.h"

#include <QPainter>
#include <QPointer>

#include "app/app_state.h"
#include "app/drawing.h"
#include "app/number_format.h"
#include "app/pointers.h"
#include "app/section_screen.h"
#include "app/sounds.h"
#include "matchdays/matchday_file.h"
#include "output/listados.h"
#include "platform/locale_marks.h"
#include "reductions/base_file.h"
#include "reductions/browser_view.h"
#include "reductions/summary_drawing.h"

namespace vetra {
namespace {

constexpr QSize kScreenSize(560, 445);

// The output buttons in a column right of the sheet, each with its name.
constexpr int kOutputsLeft = 380;
constexpr int kOutputsTop = 66;
constexpr int kOutputsPitch = 44;
constexpr int kNameGap = 46;
constexpr int kNameDrop = 11;
constexpr int kSlipCountOffset = 20;  // from the first button's left, at y = 35
constexpr int kSlipCountTop = 35;
constexpr int kActionTop = 392;
constexpr int kActionPitch = 40;

// In the order of the output types.
struct OutputButton {
  const char* picture;
  const char* name;
};
constexpr OutputButton kOutputs[] = {{"Quiniela", "Datos básicos"},       {"Boletos", "Boletos individuales"},
                                     {"Relacion", "Relación de boletos"}, {"Disco", "Copia a disco"},
                                     {"Continuo", "Papel continuo"},      {"Mail", "Correo electrónico"}};

}  // namespace

Salida::Salida(AppState& app, QWidget* parent) : QDialog(parent), app_(app) {
  setObjectName(QStringLiteral("salida"));
  setWindowTitle(QStringLiteral("Salida de Datos por Impresora o a Disco Flexible"));
  setFixedSize(kScreenSize);
  CentreAsTheMenu(this);
  BuildControls();
  // Filling the lists loads the reduction of the current matchday and order.
  PrepareSheetScreen(app_, pictures_.sheet, panels_->Matchdays(), panels_->Orders());
}

void Salida::BuildControls() {
  pictures_ = AddStoredSheetPictures(this, kScreenSize);
  DrawingSurface* screen = pictures_.sheet.screen;
  panels_ = new SheetPanels(app_, this, screen, [this] { LoadOutputReduction(); });
  connect(screen, &DrawingSurface::Pressed, panels_, &SheetPanels::Press);
  connect(screen, &DrawingSurface::Moved, panels_, &SheetPanels::Move);

  for (int type = 0; type < static_cast<int>(std::size(kOutputs)); ++type) {
    auto* button = new PictureButton(this, QString::fromLatin1(kOutputs[type].picture),
                                     QPoint(kOutputsLeft, kOutputsTop + kOutputsPitch * type));
    SetPointer(button, QStringLiteral("ManoIndice"));
    connect(button, &PictureButton::Pressed, this, [this, type] { OpenOutput(type); });
    if (type == 0) quiniela_ = button;
  }
  auto* indice = new PictureButton(this, QStringLiteral("Indice"), {});
  SetPointer(indice, QStringLiteral("ManoIndice"));
  connect(indice, &PictureButton::Pressed, panels_, &SheetPanels::OpenIndex);
  int x = kScreenSize.width() - 3 * kActionPitch;
  for (QWidget* b : {static_cast<QWidget*>(indice), static_cast<QWidget*>(AddHelpButton(this, app_, 2400, {})),
                     static_cast<QWidget*>(AddExitButton(this, app_, {}))}) {
    b->move(x, kActionTop);
    x += kActionPitch;
  }
}

void Salida::LoadOutputReduction() {
  ReadMatchday(app_);
  LoadBase(app_, app_.currentMatchday, app_.currentOrder);
  panels_->Arrange(OpeningPanelPlaces(app_.reductionMethod));
  pictures_.ShowGridsOf(app_.reductionMethod);
  app_.slipCount = SlipCountOf(app_.reducedBets);
  DrawScreen();
}

void Salida::DrawScreen() {
  const SheetPictures& sheet = pictures_.sheet;
  sheet.screen->Clear(colour::kGround);
  DrawReductionSheet(app_, sheet, false);
  if (sheet.signos) DrawTotalsGrid(app_, sheet.signos);
  {
    QPainter p(&sheet.screen->Image());
    p.setFont(ScreenFont(true));
    p.setPen(Bgr(colour::kWhite));
    DrawTextAt(p, quiniela_->x() + kSlipCountOffset, kSlipCountTop,
               QString::fromStdString(FormatNumber(app_.slipCount, "###,###", LocaleMarks())) +
                   QStringLiteral(" Boletos"));
    for (int type = 0; type < static_cast<int>(std::size(kOutputs)); ++type)
      DrawShadowText(p, kOutputsLeft + kNameGap, kOutputsTop + kOutputsPitch * type + kNameDrop,
                     QString::fromUtf8(kOutputs[type].name));
  }
  DrawReductionSummary(app_, sheet.screen);
  sheet.screen->update();
}

void Salida::OpenOutput(int type) {
  ShowHourglass();
  PlaySoundEffect(app_, 9);
  app_.outputType = static_cast<std::int16_t>(type);
  // On the heap and deleted when it closes: the chooser, its parent, may be
  // closed and deleted while it runs, and takes it along.
  const QPointer<Salida> self(this);
  auto* listados = new Listados(app_, this);
  listados->setAttribute(Qt::WA_DeleteOnClose);
  listados->exec();
  if (self) ShowNormalPointer();
}

}  // namespace vetra
