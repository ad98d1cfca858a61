// The message dialog, the sound switch and the pointers by name.
#include <QLabel>
#include <QTest>

#include "app/mensajes.h"
#include "app/pointers.h"
#include "app/sounds.h"
#include "tests/support/gui_support.h"

namespace vetra {

class MensajesTest : public QObject {
  Q_OBJECT

 private slots:
  void AnAnswerButtonSetsItsFlagAndAnyKeyClosesWithout() {
    testing::GuiState t;
    t.app.soundSetting = "Si";
    t.app.reducePressed = t.app.deletePressed = false;
    QString text;
    SetMessageHookForTesting([&](Mensajes& dialog) {
      text = dialog.findChild<QLabel*>(QStringLiteral("Tex_Mensaje"))->text();
      QTest::mouseClick(dialog.findChild<QWidget*>(QStringLiteral("Pic_Reducir")), Qt::LeftButton);
    });
    ShowMessage(t.app, QStringLiteral("REDUCCIÓN EXISTENTE"), QStringLiteral("¿Desea sustituirla?"), {Answer::Reducir});
    QCOMPARE(text, QStringLiteral("¿Desea sustituirla?"));
    QVERIFY(t.app.reducePressed);
    QCOMPARE(t.sounds, std::vector<int>{9});

    // Only the buttons asked for are shown; a key closes silently, from
    // Pic_Salir, and leaves the flags as the caller set them.
    bool otherShown = true, focusOnSalir = false;
    SetMessageHookForTesting([&](Mensajes& dialog) {
      otherShown = dialog.findChild<QWidget*>(QStringLiteral("Pic_Reducir")) != nullptr;
      focusOnSalir = dialog.focusWidget() == dialog.findChild<QWidget*>(QStringLiteral("Pic_Salir"));
      QTest::keyClick(&dialog, Qt::Key_N);
    });
    ShowMessage(t.app, QStringLiteral("BORRAR"), QStringLiteral("¿Borrar?"), {Answer::Borrar});
    SetMessageHookForTesting(nullptr);
    QVERIFY(!otherShown && focusOnSalir);
    QVERIFY(!t.app.deletePressed && t.app.reducePressed);
    QCOMPARE(t.sounds, std::vector<int>{9});
  }

  void SoundsAndPointersIgnoreLetterCase() {
    testing::GuiState t;
    for (const char* setting : {"Si", "sI", "No", "  "}) {
      t.app.soundSetting = setting;
      PlaySoundEffect(t.app, 1);
    }
    QCOMPARE(t.sounds, (std::vector<int>{1, 1}));
    QVERIFY(!PointerNamed(QStringLiteral("MANOINDICE")).pixmap().isNull());
    QCOMPARE(PointerNamed(QStringLiteral("nada")).shape(), Qt::ArrowCursor);
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::MensajesTest)
#include "mensajes_test.moc"
