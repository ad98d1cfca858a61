#include "output/mail_dispatch.h"

#include "app/app_state.h"
#include "app/cp1252.h"
#include "app/file_errors.h"
#include "app/numbers.h"
#include "output/listings.h"
#include "output/mail_address.h"
#include "reductions/column_file.h"

namespace vetra {
namespace {

constexpr int kMatches = 14;

std::string RightAligned(long long n, std::size_t width) {
  std::string text = std::to_string(n);
  return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

void AddBasePart(std::string& text, const AppState& app, const NumberMarks& marks) {
  const std::string& br = app.lineBreak;
  text += MatchdayHeading(app) + br + br;
  for (const std::string& head : ColumnHeads(app.reductionMethod)) text += head + br;
  text += br;
  for (int m = 1; m <= kMatches; ++m) text += FixtureLine(app, m) + br;
  text += br + MethodLine(app.reductionMethod) + br;
  for (const std::string& line : SummaryLines(app, marks, " euros")) text += line + br;
  text += br;
}

void AddColumnsPart(std::string& text, AppState& app) {
  ColumnFileReader file;
  if (file.Open(app) != 0) return;
  std::string column;
  for (long long n = 1; file.Next(column); ++n) text += "Apuesta nro." + RightAligned(n, 5) + "  " + column + app.lineBreak;
  file.Close();
}

void Report(AppState& app, const std::string& message) {
  if (app.reporter) app.reporter->Report(message);
}

// The first entry whose address a server would refuse, and why; empty when
// the list can go.
std::string AddressRefusal(const std::vector<std::string>& addresses) {
  if (addresses.empty()) return "No hay ninguna dirección seleccionada: no se ha enviado ningún mensaje.";
  for (const std::string& address : addresses)
    if (!IsPlainAddress(EnvelopeAddress(address)))
      return "La dirección «" + Cp1252ToUtf8(Trimmed(address)) +
             "» no se puede usar: una dirección de correo solo admite letras sin acentos ni eñes, cifras y "
             "signos como @ . - _, sin espacios. No se ha enviado ningún mensaje.";
  return {};
}

}  // namespace

std::string MailSubject(const AppState& app) {
  return "Datos de la jornada " + std::to_string(app.currentMatchday) + Utf8ToCp1252(". Reducción nro. ") +
         std::to_string(app.currentOrder);
}

std::string MailText(AppState& app, MailContents contents, const NumberMarks& marks) {
  std::string text;
  if (contents.base) AddBasePart(text, app, marks);
  if (contents.columns) AddColumnsPart(text, app);
  text += contents.guarantee;
  return text;
}

std::string MailErrorMessage(const MailStatus& status) {
  if (status.number == mail::kLoginFail) return "Inicio de sesión cancelado";
  return "Error MAPI: " + (" " + std::to_string(status.number)) + status.description;
}

std::vector<std::string> SendReductionMail(AppState& app, MailTransport& transport,
                                           const std::vector<std::string>& addresses, MailContents contents,
                                           const NumberMarks& marks) {
  std::vector<std::string> sent;
  if (const std::string refusal = AddressRefusal(addresses); !refusal.empty()) {
    Report(app, refusal);
    return sent;
  }
  const auto fail = [&](const MailStatus& status) {
    Report(app, MailErrorMessage(status));
    transport.SignOff();
  };
  if (!transport.SessionOpen())
    if (MailStatus status = transport.SignOn(); !status.Ok()) {
      fail(status);
      return sent;
    }
  for (const std::string& address : addresses) {
    const MailMessage message{Trimmed(address), MailSubject(app), MailText(app, contents, marks)};
    if (MailStatus status = transport.Send(message); !status.Ok()) {
      fail(status);
      return sent;
    }
    sent.push_back(message.recipient);
  }
  transport.SignOff();
  return sent;
}

std::string MailSentSummary(const std::vector<std::string>& sent) {
  std::string text = sent.size() == 1 ? "Se ha enviado 1 mensaje:"
                                      : "Se han enviado " + std::to_string(sent.size()) + " mensajes:";
  for (const std::string& address : sent) text += "\n" + Cp1252ToUtf8(address);
  return text;
}

}  // namespace vetra
