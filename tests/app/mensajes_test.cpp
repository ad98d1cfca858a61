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
  void AnAnswerButtonSetsItsFlag() {
    testing::GuiState t;
    t.app.soundSetting = "Si";
    t.app.reducePressed = false;
    QString title, text;
    SetMessageHookForTesting([&](Mensajes& dialog) {
      title = dialog.findChild<QLabel*>(QStringLiteral("Tex_Titulo"))->text();
      text = dialog.findChild<QLabel*>(QStringLiteral("Tex_Mensaje"))->text();
      QTest::mouseClick(dialog.findChild<QWidget*>(QStringLiteral("Pic_Reducir")), Qt::LeftButton);
    });
    ShowMessage(t.app, QStringLiteral("REDUCCIÓN EXISTENTE"), QStringLiteral("¿Desea sustituirla?"), {Answer::Reducir});
    QCOMPARE(title, QStringLiteral("REDUCCIÓN EXISTENTE"));
    QCOMPARE(text, QStringLiteral("¿Desea sustituirla?"));
    QVERIFY(t.app.reducePressed);
    QCOMPARE(t.sounds, std::vector<int>{9});

    // The next dialog shows no extra button unless asked again; its close button plays 5.
    bool extraShown = true;
    SetMessageHookForTesting([&](Mensajes& dialog) {
      extraShown = dialog.findChild<QWidget*>(QStringLiteral("Pic_Reducir")) != nullptr;
      QTest::mouseClick(dialog.findChild<QWidget*>(QStringLiteral("Pic_Salir")), Qt::LeftButton);
    });
    ShowMessage(t.app, QStringLiteral("AVISO"), QStringLiteral("Texto"));
    QVERIFY(!extraShown);
    QCOMPARE(t.sounds, (std::vector<int>{9, 5}));
    SetMessageHookForTesting(nullptr);
  }

  void AnyKeyClosesAndLeavesTheFlagsAsTheCallerSetThem() {
    testing::GuiState t;
    t.app.soundSetting = "Si";
    t.app.deletePressed = false;
    t.app.copyPressed = true;
    bool focusOnSalir = false;
    SetMessageHookForTesting([&](Mensajes& dialog) {
      focusOnSalir = dialog.focusWidget() == dialog.findChild<QWidget*>(QStringLiteral("Pic_Salir"));
      QTest::keyClick(&dialog, Qt::Key_N);
    });
    ShowMessage(t.app, QStringLiteral("BORRAR"), QStringLiteral("¿Borrar?"), {Answer::Borrar, Answer::Ayuda});
    SetMessageHookForTesting(nullptr);
    QVERIFY(focusOnSalir);
    QVERIFY(!t.app.deletePressed);
    QVERIFY(t.app.copyPressed);
    QVERIFY(t.sounds.empty());
  }

  void SoundsFollowTheSettingInAnyLetterCase() {
    testing::GuiState t;
    for (const char* setting : {"Si", "si", "SI"}) {
      t.app.soundSetting = setting;
      PlaySoundEffect(t.app, 1);
    }
    for (const char* setting : {"No", "no", "  "}) {
      t.app.soundSetting = setting;
      PlaySoundEffect(t.app, 1);
    }
    QCOMPARE(t.sounds, (std::vector<int>{1, 1, 1}));
  }

  void PointersAreFoundByNameInAnyLetterCase() {
    for (const char* name : {"MANOINDICE", "ManoAbierta", "manocerrada", "Lapiz", "GOMA"}) {
      const QCursor cursor = PointerNamed(QString::fromLatin1(name));
      QCOMPARE(cursor.shape(), Qt::BitmapCursor);
      QVERIFY(!cursor.pixmap().isNull());
    }
    QCOMPARE(PointerNamed(QStringLiteral("nada")).shape(), Qt::ArrowCursor);
  }
};

}  // namespace vetra

QTEST_MAIN(vetra::MensajesTest)
#include "mensajes_test.moc"
