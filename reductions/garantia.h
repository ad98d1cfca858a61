#pragma once
// "GARANTÍA": what the current stored reduction assures and wins over every
// one of the 3^14 results, counted exactly in a worker thread while the
// screen shows the progress and keeps a cancel button live; then the
// guarantee in large type, a bar plot of the best hits and the table, which
// "Imprimir" prints after its preview. Modal, opened from the reduction
// screen after a run and from the reduction browser.
#include <QDialog>
#include <atomic>

#include "reductions/guarantee.h"

class QListWidget;
class QProgressBar;
class QThread;
class QTimer;

namespace vetra {

struct AppState;
class DrawingSurface;
class PictureButton;

class Garantia : public QDialog {
  Q_OBJECT
 public:
  Garantia(AppState& app, QWidget* parent);
  ~Garantia() override;
  // From the start of the count until its result is shown.
  bool Computing() const;
  const GuaranteeRun& Run() const { return run_; }

 protected:
  void reject() override;

 private:
  void BuildControls();
  void Start();
  void ShowProgress();
  void Finished();
  void DrawScreen();
  void DrawBars();
  void Cancel();
  void PrintTable();
  void StopWorker();
  void Leave();

  AppState& app_;
  GuaranteeRun run_;
  DrawingSurface* screen_ = nullptr;
  DrawingSurface* barras_ = nullptr;
  QListWidget* tabla_ = nullptr;
  QProgressBar* progreso_ = nullptr;
  PictureButton* cancelar_ = nullptr;
  PictureButton* imprimir_ = nullptr;
  PictureButton* ayuda_ = nullptr;
  PictureButton* salir_ = nullptr;
  QThread* worker_ = nullptr;
  QTimer* poll_ = nullptr;
  std::atomic<int> done_{0};  // of kAnalysisSteps, written by the worker
  std::atomic<bool> cancel_{false};
};

// Opens the screen on the current matchday and order.
void ShowGuarantee(AppState& app, QWidget* parent);

}  // namespace vetra
