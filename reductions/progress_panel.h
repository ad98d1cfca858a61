#pragma once
// Pic_Porcen: the panel that a running reduction shows over its screen, with
// the bet counts, the percentage done and the cancel and close buttons.
#include <QString>
#include <QWidget>

namespace vetra {

struct AppState;
class DrawingSurface;
class PictureButton;

class ProgressPanel : public QWidget {
  Q_OBJECT
 public:
  ProgressPanel(QWidget* parent, AppState& app);

  // Shows the panel with the bet counts and the cancel button.
  void Start(const QString& betCounts);
  // Repaints the band of the running line (only when the text changed).
  void ShowProgress(const QString& line);
  // The end: the closing line, the close button instead of the cancel one,
  // and after a finished run the button of the reduction's guarantee.
  void Finish(const QString& line, bool cancelled);
  bool CancelRequested() const { return cancel_; }

 signals:
  void Closed();
  void GuaranteeAsked();

 private:
  void PrintOnBand(int bandTop, int bandBottom, QPoint at, const QString& text);

  AppState& app_;
  DrawingSurface* surface_;
  PictureButton* cancelar_;
  PictureButton* salirPorcen_;
  PictureButton* garantia_;
  QString shown_;
  bool cancel_ = false;
};

}  // namespace vetra
