#pragma once
// The main menu: the cover picture, the seven section buttons, help and exit.
#include <QWidget>
#include <array>
#include <functional>
#include <QPixmap>
#include <QPointer>
#include <QString>

namespace vetra {

struct AppState;
class DrawingSurface;
class Escrutin;
class Consredu;
class Salida;

class MainMenu : public QWidget {
  Q_OBJECT
 public:
  explicit MainMenu(AppState& app);

  struct Section {
    QString title;  // 40 characters
    int left;
    int top;
    bool pressed = false;
    std::function<void()> open;  // empty while the section is not built
  };
  static constexpr int kButtonWidth = 215;
  static constexpr int kButtonHeight = 27;
  const std::array<Section, 7>& Sections() const { return sections_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildSections();
  void DrawMenu();
  int SectionAt(QPoint point, bool lastMatch) const;  // -1: none
  void Press(QPoint point);
  void Move(QPoint point);
  void OpenSection(Section& section);
  void Leave();

  AppState& app_;
  DrawingSurface* surface_;
  QPixmap cover_;
  std::array<Section, 7> sections_;
  QPointer<Escrutin> escrutin_;  // not modal: closed by the next press
  QPointer<Consredu> consredu_;  // not modal: closed by the next press
  QPointer<Salida> salida_;      // not modal: closed by the next press
};

}  // namespace vetra
