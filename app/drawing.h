#pragma once
// The drawing routines that give every screen its look: the menu's pill
// buttons, the labelled panels of the section screens, their open look and
// the shadowed titles. Colours are written as the 24-bit values in blue,
// green, red order that the screens' layouts use.
#include <QColor>
#include <QFont>
#include <QString>
#include <cstdint>

class QPainter;

namespace vetra {

QColor Bgr(std::uint32_t value);

namespace colour {
constexpr std::uint32_t kRed = 0xFF;
constexpr std::uint32_t kGreen = 0xFF00;
constexpr std::uint32_t kYellow = 0xFFFF;
constexpr std::uint32_t kGround = 0x8000;  // the dark green ground of the section screens
constexpr std::uint32_t kShadow = 0x4000;
constexpr std::uint32_t kSilver = 0xC0C0C0;
constexpr std::uint32_t kGrey = 0x808080;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;
}  // namespace colour

// The font of the screens' drawn texts.
QFont ScreenFont(bool bold);

// The fixed-pitch font of the lists and columns shown on the screens, 12
// pixels high, so that a sign or a figure takes 8 pixels.
QFont FixedPitchFont(bool bold);

// Text whose top-left corner is at (x, y), in the painter's font and pen.
void DrawTextAt(QPainter& p, int x, int y, const QString& text);

// A line 2 of a single blank means a button or panel of one line.
void DrawMenuButton(QPainter& p, int x, int y, int w, int h, const QString& line1, const QString& line2,
                    bool pressed);
void DrawPanel(QPainter& p, int x, int y, int w, int h, const QString& line1, const QString& line2);
void DrawPanelOpen(QPainter& p, int x, int y, int w, int h);
void DrawShadowText(QPainter& p, int x, int y, const QString& text);

}  // namespace vetra
