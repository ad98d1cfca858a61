#pragma once
// "Fichero Histórico de resultados": every stored reduction on the pages of a
// ring binder, 20 lines to a page. A click on a line makes it the current
// matchday and order and closes the window; the corners below the sheet turn
// the pages. The window only reads.
#include <QDialog>
#include <QImage>
#include <QStringList>
#include <string>
#include <vector>

namespace vetra {

struct AppState;
class DrawingSurface;

class Historic : public QDialog {
  Q_OBJECT
 public:
  Historic(AppState& app, QWidget* parent);
  int TopLine() const { return topLine_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void DrawPage();
  void PressAt(QPoint point);
  void MoveAt(QPoint point);
  bool OnNextCorner(QPoint point) const;
  bool OnPreviousCorner(QPoint point) const;
  int RowAt(QPoint point) const;  // kNoHistoryRow off the rows
  void TurnPage(int lines);

  AppState& app_;
  DrawingSurface* carpeta_;
  QImage pieces_;  // the binder's background, which also holds the pieces copied onto it
  std::vector<std::string> lines_;
  QStringList rows_;  // the same lines as screen text
  int topLine_ = 0;
};

// Opens the window modally; true when a line was picked (AppState then holds
// its matchday and order).
bool ShowHistoric(AppState& app, QWidget* parent);

}  // namespace vetra
