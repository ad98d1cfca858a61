#pragma once
// "Borrar reducciones y datos de jornadas": the user picks the first and the
// last matchday of a range in two fields, presses the delete button, confirms
// in the message dialog, and everything kept for those matchdays is gone.
#include <QDialog>
#include <QRect>
#include <array>
#include <cstdint>

namespace vetra {

struct AppState;
class DrawingSurface;
class PickList;

class Borrar : public QDialog {
  Q_OBJECT
 public:
  Borrar(AppState& app, QWidget* parent);
  int First() const { return fields_[kFirst].matchday; }
  int Last() const { return fields_[kLast].matchday; }

 protected:
  void done(int result) override;

 private:
  struct Field {
    QRect rect;
    QString label;
    PickList* list = nullptr;
    std::int16_t matchday = 1;
    bool open = false;
    bool programSelecting = false;  // the other field is correcting this one
  };
  enum { kFirst, kLast };
  static int Other(int field) { return field == kFirst ? kLast : kFirst; }

  void AddList(int field, const char* name);
  void PressAt(QPoint point);
  void MoveAt(QPoint point);
  void Choose(int field, int entry);
  void RedrawField(int field);
  void DeleteRange();

  AppState& app_;
  DrawingSurface* surface_;
  std::array<Field, 2> fields_;
};

}  // namespace vetra
