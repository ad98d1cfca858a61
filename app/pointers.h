#pragma once
#include <QCursor>
#include <QString>
#include <cstdint>

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

// The pointer rule of every screen: the control's pointer changes only when
// the zone under the mouse changes; zone 0 is outside every zone and shows
// the normal arrow. `pointer` names a custom pointer or "nodrop".
void SetZonePointer(std::int16_t& pointerZone, QWidget* control, int zone, const QString& pointer);

// The pointer of the whole program: the hourglass while something is busy.
void ShowHourglass();
void ShowNormalPointer();

}  // namespace vetra
