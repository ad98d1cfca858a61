#include "app/command_line.h"

namespace vetra {

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  auto fail = [&line](const std::string& error) {
    line.action = CommandLine::Action::kError;
    line.error = error;
    return line;
  };
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      line.action = CommandLine::Action::kHelp;
    } else if (argument == "--version") {
      if (line.action == CommandLine::Action::kRun) line.action = CommandLine::Action::kVersion;
    } else if (argument == "--data" || argument.starts_with("--data=")) {
      std::string folder = argument == "--data" ? (i + 1 < arguments.size() ? arguments[++i] : "") : argument.substr(7);
      if (folder.empty()) return fail("falta la carpeta de datos tras --data");
      line.dataFolder = folder;
    } else if (argument.starts_with("--") || !argument.starts_with("-")) {
      return fail("opción desconocida: " + argument);
    } else if (i + 1 < arguments.size() && !arguments[i + 1].starts_with("-")) {
      ++i;  // the toolkit's option and its value, as in "-platform offscreen"
    }
  }
  return line;
}

std::string UsageText() {
  return "Uso: vetra32 [--data CARPETA]\n"
         "Reducción de apuestas múltiples de quinielas: reduce, guarda, imprime, copia,\n"
         "envía por correo y escruta las columnas.\n"
         "\n"
         "  --data CARPETA  trabaja con los ficheros de datos de CARPETA; si es nueva,\n"
         "                  la crea y copia en ella los ficheros de muestra\n"
         "  --help          muestra esta ayuda y termina\n"
         "  --version       muestra la versión y termina\n"
         "\n"
         "Sin --data, los datos están en la carpeta del programa si se puede escribir\n"
         "en ella, y si no (un programa instalado) en la carpeta de datos del usuario,\n"
         "$XDG_DATA_HOME/Vetra32 (normalmente ~/.local/share/Vetra32).\n";
}

std::string VersionText() { return "Vetra32 " VETRA_VERSION "\n"; }

}  // namespace vetra
