#include "reductions/progress_panel.h"

#include <QPainter>

#include "app/app_state.h"
#include "app/drawing.h"
#include "app/pointers.h"
#include "app/section_screen.h"
#include "app/sounds.h"

namespace vetra {
namespace {

constexpr QSize kPanelSize(420, 220);

}  // namespace

ProgressPanel::ProgressPanel(QWidget* parent, AppState& app) : QWidget(parent), app_(app) {
  setObjectName(QStringLiteral("Pic_Porcen"));
  setFixedSize(kPanelSize);
  surface_ = new DrawingSurface(this, kPanelSize);
  cancelar_ = new PictureButton(this, QStringLiteral("Cancelar"), QPoint(kPanelSize.width() - 52, 176));
  salirPorcen_ = new PictureButton(this, QStringLiteral("Salir"), QPoint(kPanelSize.width() - 52, 176));
  salirPorcen_->setObjectName(QStringLiteral("Pic_SalirPorcen"));
  garantia_ = new PictureButton(this, QStringLiteral("Garantia"), QPoint(kPanelSize.width() - 98, 176));
  for (PictureButton* b : {cancelar_, salirPorcen_, garantia_}) SetPointer(b, QStringLiteral("ManoIndice"));
  connect(garantia_, &PictureButton::Pressed, this, [this] {
    PlaySoundEffect(app_, 9);
    emit GuaranteeAsked();
  });
  connect(cancelar_, &PictureButton::Pressed, this, [this] {
    PlaySoundEffect(app_, 9);
    cancel_ = true;
  });
  connect(salirPorcen_, &PictureButton::Pressed, this, [this] {
    PlaySoundEffect(app_, 5);
    hide();
    emit Closed();
  });
  hide();
}

void ProgressPanel::PrintOnBand(int bandTop, int bandBottom, QPoint at, const QString& text) {
  QPainter p(&surface_->Image());
  p.fillRect(QRect(QPoint(10, bandTop), QPoint(width() - 10, bandBottom)), Bgr(colour::kGround));
  p.setFont(ScreenFont(true));
  p.setPen(Bgr(colour::kYellow));
  if (!text.isEmpty()) DrawTextAt(p, at.x(), at.y(), text);
  surface_->update();
}

void ProgressPanel::Start(const QString& betCounts) {
  cancel_ = false;
  shown_.clear();
  surface_->Clear(colour::kSilver);
  {
    QPainter p(&surface_->Image());
    p.setPen(Bgr(colour::kRed));
    p.drawRect(0, 0, width() - 1, height() - 1);
    DrawShadowText(p, 120, 20, QStringLiteral("REDUCCIÓN DE APUESTAS"));
  }
  PrintOnBand(60, 90, QPoint(50, 60), betCounts);
  PrintOnBand(100, 130, QPoint(45, 100), QString());
  PrintOnBand(130, 170, QPoint(), QString());
  cancelar_->show();
  salirPorcen_->hide();
  garantia_->hide();
  show();
  raise();
}

void ProgressPanel::ShowProgress(const QString& line) {
  if (line == shown_) return;
  shown_ = line;
  PrintOnBand(100, 130, QPoint(45, 100), line);
}

void ProgressPanel::Finish(const QString& line, bool cancelled) {
  PrintOnBand(100, 130, cancelled ? QPoint(45, 100) : QPoint(54, 110), line);
  PrintOnBand(130, 170, QPoint(), QString());
  cancelar_->hide();
  salirPorcen_->show();
  garantia_->setVisible(!cancelled);
  cancel_ = false;
  ShowNormalPointer();
}

}  // namespace vetra
