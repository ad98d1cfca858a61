// The e-mail of a reduction: subject and text byte for byte, one message per
// address through a recording transport, and the failures' messages.
#include "output/mail_dispatch.h"

#include <gtest/gtest.h>

#include "tests/output/output_test_support.h"
#include "tests/output/recording_mail_transport.h"

namespace vetra::testing {
namespace {

// The listings' reduction, probable-column method, with three columns stored.
void SetUpStoredReduction(TestState& t) {
  SetUpReduction(t.app, 2);
  t.folder.Write("RED0703.VTR", "\"1X111111111112\"\r\n\"X1111111111111\"\r\n\"2211111111111X\"\r\n");
}

std::string BasePart() {
  std::string text = "JORNADA NRO.  7 DE FECHA 12/10/02 (Orden  3)\r\n\r\n";
  text += k36 + "Quiniela  Partidos    Columna\r\n";
  text += k36 + "  base    reducidos   probable\r\n\r\n";
  text += " 1. Real Madrid-Barcelona..........  1 X 2       [X]         X  \r\n";
  text += " 2. Betis..........................  1   2       [ ]            \r\n";
  for (int m = 3; m <= 14; ++m) {
    const std::string number = (m < 10 ? " " : "") + std::to_string(m) + ". ";
    text += number + std::string(35 - number.size(), '.') + "  1" + std::string(26, ' ') + "\r\n";
  }
  text += "\r\n" + k10 + "M\xE9todo de Columna Probable   \r\n";
  text += k10 + "6 apuestas reducidas a 4\r\n";
  text += k10 + "Factor de reducci\xF3n......: 1,50\r\n";
  text += k10 + "Errores permitidos.......: De 0 a 1\r\n";
  text += k10 + "Importe reducidas........: 2,00 euros\r\n";
  text += k10 + "Posibilidades cubiertas..: 66,67 %\r\n";
  return text + "\r\n";
}

const std::string kColumnsPart =
    "Apuesta nro.    1  1X111111111112\r\n"
    "Apuesta nro.    2  X1111111111111\r\n"
    "Apuesta nro.    3  2211111111111X\r\n";

TEST(MailText, SubjectAndTextWithTheBaseTheColumnsBothOrNeither) {
  TestState t;
  SetUpStoredReduction(t);
  EXPECT_EQ(MailSubject(t.app), "Datos de la jornada 7. Reducci\xF3n nro. 3");
  EXPECT_EQ(MailText(t.app, {true, false}, kSpanish), BasePart());
  EXPECT_EQ(MailText(t.app, {false, true}, kSpanish), kColumnsPart);
  EXPECT_EQ(MailText(t.app, {true, true}, kSpanish), BasePart() + kColumnsPart);
  EXPECT_EQ(MailText(t.app, {false, false}, kSpanish), "");

  // Without its column file the columns part is left out without a word.
  std::filesystem::remove(t.folder.File("RED0703.VTR"));
  EXPECT_EQ(MailText(t.app, {true, true}, kSpanish), BasePart());
  EXPECT_TRUE(t.reporter.messages.empty());
}

TEST(MailSending, OneMessagePerAddressInOrderUntilAFailureThenSignOff) {
  TestState t;
  SetUpStoredReduction(t);
  // An open session is used as it is; a failure stops the sending.
  RecordingMailTransport transport;
  transport.open = true;
  transport.failAtSend = 1;
  transport.sendFailure = {32023, "Fallo de la red"};
  EXPECT_EQ(SendReductionMail(t.app, transport, {" a@v.es ", "b@v.es", "c@v.es"}, {true, true}, kSpanish),
            std::vector<std::string>{"a@v.es"});
  EXPECT_EQ(transport.calls, (std::vector<std::string>{"send a@v.es", "send b@v.es", "signoff"}));
  EXPECT_FALSE(transport.open);
  EXPECT_EQ(std::pair(transport.sent[0].subject, transport.sent[0].text),
            std::pair(MailSubject(t.app), BasePart() + kColumnsPart));

  RecordingMailTransport refused;
  refused.signOnResult = {32003, "Fallo en el inicio de sesi\xC3\xB3n"};
  EXPECT_TRUE(SendReductionMail(t.app, refused, {"ana@vetra.es"}, {}, kSpanish).empty());
  EXPECT_EQ(refused.calls, (std::vector<std::string>{"signon", "signoff"}));
  EXPECT_EQ(t.reporter.messages,
            (std::vector<std::string>{"Error MAPI:  32023Fallo de la red", "Inicio de sesi\xC3\xB3n cancelado"}));

  // No address chosen, or one a server would refuse (an accent, a blank, a
  // control character, even behind a display name): nothing is attempted,
  // and the message names the address.
  for (const std::vector<std::string>& addresses : std::vector<std::vector<std::string>>{
           {}, {"ana@vetra.es", "Jos\xE9 <jos\xE9@vetra.es>"}, {"ana @vetra.es"}, {"ana@vetra.es\t"}, {"<>"}}) {
    RecordingMailTransport untouched;
    t.reporter.messages.clear();
    EXPECT_TRUE(SendReductionMail(t.app, untouched, addresses, {}, kSpanish).empty());
    EXPECT_TRUE(untouched.calls.empty());
    ASSERT_EQ(t.reporter.messages.size(), 1u);
    if (addresses.size() == 2) {
      EXPECT_NE(t.reporter.messages[0].find("jos\xC3\xA9@vetra.es"), std::string::npos);
    }
  }
  // A display name may carry any letter; the address is what counts.
  RecordingMailTransport named;
  EXPECT_EQ(SendReductionMail(t.app, named, {"Jos\xE9 <jose@vetra.es>"}, {}, kSpanish).size(), 1u);
}

}  // namespace
}  // namespace vetra::testing
