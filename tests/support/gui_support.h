#pragma once
// What the screen tests share: an AppState on its own temporary data folder,
// the sounds the screens asked for, and a way to act on a modal dialog.
#include <QImage>
#include <QPoint>
#include <QWidget>
#include <functional>
#include <vector>

#include "tests/support/temp_folder.h"

namespace vetra::testing {

struct GuiState : TestState {
  GuiState();
  ~GuiState();
  std::vector<int> sounds;  // numbers of the sounds played, in order
};

// Writes DATOSGEN.VTR with `line` (CR LF appended).
void WriteGeneralDataLine(const TempFolder& folder, const std::string& line);

// Calls `action` with the modal dialog as soon as one is shown.
void WhenModal(std::function<void(QWidget*)> action);

// A left press at a position of a widget, as the user makes it.
void PressAt(QWidget* widget, QPoint position);

// The picture on a screen's drawing surface.
QImage SurfaceImage(QWidget* screen);

// The custom or system pointer last given to a control.
QString PointerOf(const QWidget* control);

}  // namespace vetra::testing
