#pragma once
#include <QCursor>
#include <QString>

class QWidget;

namespace vetra {

// The custom pointers by name, in any letter case: "ManoIndice",
// "ManoAbierta", "ManoCerrada", "Lapiz", "Goma". An unknown name gives the
// normal arrow.
QCursor PointerNamed(const QString& name);

// Gives the control its custom pointer; the name stays readable in the
// control's "pointer" property.
void SetPointer(QWidget* control, const QString& name);

// The system pointers the screens use besides the custom ones.
void SetNoDropPointer(QWidget* control);
void SetNormalPointer(QWidget* control);

// The pointer of the whole program: the hourglass while something is busy.
void ShowHourglass();
void ShowNormalPointer();

}  // namespace vetra
