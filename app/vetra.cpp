#include "app/vetra.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPainter>

#include "app/app_state.h"
#include "app/datosgen.h"
#include "app/drawing.h"
#include "app/file_io.h"
#include "app/general_data.h"
#include "app/help.h"
#include "app/pointers.h"
#include "app/section_screen.h"
#include "app/sounds.h"
#include "maintenance/borrar.h"
#include "matchdays/jornadas.h"
#include "output/salida.h"
#include "reductions/consredu.h"
#include "reductions/reducir.h"
#include "scrutiny/escrutin.h"

namespace vetra {
namespace {

constexpr QSize kMenuSize(560, 410);
constexpr int kCoverLeft = 73;
constexpr int kCoverTop = 15;
constexpr QSize kCoverSize(404, 188);

// A hidden picture the other screens take their images from.
void AddHiddenPicture(QWidget* parent, const QString& name, const QPixmap& picture) {
  auto* label = new QLabel(parent);
  label->setObjectName(QStringLiteral("Pic_") + name);
  label->setPixmap(picture);
  label->hide();
}

}  // namespace

MainMenu::MainMenu(AppState& app) : QWidget(nullptr), app_(app) {
  setObjectName(QStringLiteral("vetra"));
  setWindowTitle(QStringLiteral("Vetra32"));
  setFixedSize(kMenuSize);
  CentreAsTheMenu(this);
  surface_ = new DrawingSurface(this, kMenuSize);
  connect(surface_, &DrawingSurface::Pressed, this, &MainMenu::Press);
  connect(surface_, &DrawingSurface::Moved, this, &MainMenu::Move);

  cover_ = QPixmap(QStringLiteral(":/cover.png"));
  AddHiddenPicture(this, QStringLiteral("Careta"), cover_);
  AddHiddenPicture(this, QStringLiteral("Signosel"), QPixmap(QStringLiteral(":/signosel.png")));
  for (const char* name : {"Copiar", "Imprimir", "Indice", "Reducir", "Cancelar", "Guardar", "Borrar"})
    AddHiddenPicture(this, QString::fromLatin1(name), ButtonPicture(QString::fromLatin1(name)));
  auto* ayuda = new PictureButton(this, QStringLiteral("Ayuda"), QPoint(20, 362));
  auto* salir = new PictureButton(this, QStringLiteral("Salir"), QPoint(504, 362));
  connect(ayuda, &PictureButton::Pressed, this, [this] {
    PlaySoundEffect(app_, 9);
    ShowHelp(app_);
  });
  connect(salir, &PictureButton::Pressed, this, &MainMenu::Leave);
  PressedByHelpKey(ayuda);

  ReadGeneralData(app_);
  BuildSections();
  DrawMenu();
  ShowNormalPointer();
  SetPointer(ayuda, QStringLiteral("ManoIndice"));
  SetPointer(salir, QStringLiteral("ManoIndice"));
  SetNormalPointer(surface_);
}

void MainMenu::BuildSections() {
  sections_ = {{
      {QStringLiteral("        DATOS DE JORNADAS"), 40, 225, false, [this] { Jornadas(app_, this).exec(); }},
      {QStringLiteral("    REDUCCIÓN DE APUESTAS"), 40, 270, false, [this] { ShowReductionScreen(app_, this); }},
      {QStringLiteral("   CONSULTAR REDUCCIONES"), 40, 315, false,
       [this] {
         consredu_ = new Consredu(app_, this);
         consredu_->setAttribute(Qt::WA_DeleteOnClose);
         consredu_->show();
       }},
      {QStringLiteral("          SALIDA DE DATOS"), 300, 225, false,
       [this] {
         salida_ = new Salida(app_, this);
         salida_->setAttribute(Qt::WA_DeleteOnClose);
         salida_->show();
       }},
      {QStringLiteral("    ESCRUTINIO DE ACIERTOS"), 300, 270, false,
       [this] {
         escrutin_ = new Escrutin(app_, this);
         escrutin_->setAttribute(Qt::WA_DeleteOnClose);
         escrutin_->show();
       }},
      {QStringLiteral("         DATOS GENERALES"), 170, 360, false, [this] { Datosgen(app_, this).exec(); }},
      {QStringLiteral("        BORRADO DE DATOS"), 300, 315, false, [this] { Borrar(app_, this).exec(); }},
  }};
  for (Section& s : sections_) s.title = s.title.leftJustified(40, QLatin1Char(' '), true);
}

void MainMenu::DrawMenu() {
  surface_->Clear(colour::kGround);
  QPainter p(&surface_->Image());
  p.fillRect(kCoverLeft, kCoverTop, 405, 189, Bgr(colour::kGreen));
  p.fillRect(71, 13, 2, 189, Bgr(colour::kBlack));
  p.fillRect(71, 13, 405, 2, Bgr(colour::kBlack));
  p.drawPixmap(QRect(QPoint(kCoverLeft, kCoverTop), kCoverSize), cover_);
  for (Section& s : sections_)
    DrawMenuButton(p, s.left, s.top, kButtonWidth, kButtonHeight, s.title,
                   QStringLiteral(" "), s.pressed);
  for (Section& s : sections_) s.pressed = false;
  surface_->update();
}

int MainMenu::SectionAt(QPoint point, bool lastMatch) const {
  int found = -1;
  for (int i = 0; i < static_cast<int>(sections_.size()); ++i) {
    const Section& s = sections_[i];
    if (s.left <= point.x() && point.x() <= s.left + kButtonWidth && s.top <= point.y() &&
        point.y() <= s.top + kButtonHeight) {
      found = i;
      if (!lastMatch) break;
    }
  }
  return found;
}

void MainMenu::Press(QPoint point) {
  if (escrutin_) escrutin_->close();
  if (consredu_) consredu_->close();
  if (salida_) salida_->close();
  const int index = SectionAt(point, true);
  if (index < 0) return;
  Section& section = sections_[index];
  PlaySoundEffect(app_, 6);
  section.pressed = true;
  DrawMenu();
  // The pressed look must reach the display before the section takes over.
  surface_->repaint();
  OpenSection(section);
  DrawMenu();
}

void MainMenu::OpenSection(Section& section) {
  if (!section.open) return;
  ShowHourglass();
  section.open();
  ShowNormalPointer();
}

void MainMenu::Move(QPoint point) {
  const bool overButton = SectionAt(point, false) >= 0;
  const bool normal = surface_->property("pointer").toString() == QStringLiteral("normal");
  if (overButton && normal) SetPointer(surface_, QStringLiteral("ManoIndice"));
  if (!overButton && !normal) SetNormalPointer(surface_);
}

void MainMenu::Leave() {
  PlaySoundEffect(app_, 5);
  // A folder opened for reading only keeps the general data it had.
  if (!IsProtected(app_.dataFolder)) WriteGeneralData(app_);
  close();
}

void MainMenu::closeEvent(QCloseEvent* event) {
  event->accept();
  // The help window must not keep the program alive.
  QApplication::closeAllWindows();
  QApplication::quit();
}

}  // namespace vetra
