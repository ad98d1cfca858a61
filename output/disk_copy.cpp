#include "output/disk_copy.h"

#include <algorithm>
#include <vector>

#include "app/app_state.h"
#include "app/file_errors.h"
#include "app/file_io.h"
#include "app/numbers.h"
#include "reductions/column_file.h"

namespace vetra {
namespace {

constexpr std::size_t kSigns = 14;
constexpr int kSlipColumns = 8;

const char* const kNoDiskTitle = "NO HAY DISCO";
const char* const kIncompleteTitle = "ÚLTIMO BOLETO INCOMPLETO";
const char* const kIncompleteText =
    "Con esta reducción, el último boleto sólo contiene una columna. Como cada boleto debe tener dos columnas "
    "como mínimo,  se duplicará la última columna y,  por lo tanto, aumentará en una el número total de columnas "
    "incluidas en el disco.";
const char* const kDiskFullTitle = "DISCO COMPLETO";
const char* const kCancelledLine = "   Se ha cancelado la operación de copiado";

std::string NoDiskText(const std::string& drive) {
  return "No ha colocado ningún disco en la unidad " + drive +
         ". Introduzca un disco formateado y pulse el botón  Copiar  para comenzar a copiar.   Si desea suspender "
         "el proceso  de  Copia  a  disco  pulse  el  botón Salir.";
}

std::string DiskFullText(int volume) {
  return "Se ha completado el disco actual (Volumen " + std::to_string(volume - 1) +
         "). Introduzca un nuevo disco (Volumen " + std::to_string(volume) +
         "). Cuando lo haya cambiado, pulse el botón Salir para seguir copiando.";
}

// A number in a fixed field of the record, with leading zeros.
std::string Digits(long long value, std::size_t width) {
  std::string text = std::to_string(value);
  if (text.size() < width) text.insert(0, width - text.size(), '0');
  return text.substr(0, width);
}

void PutAt(std::string& record, std::size_t position, std::string_view text) {
  record.replace(position - 1, text.size(), text);
}

int DigitValue(char c) { return c >= '0' && c <= '9' ? c - '0' : 0; }

// The lines of the status panel, shown together.
class StatusPanel {
 public:
  explicit StatusPanel(OutputRun& run) : run_(run) {}
  void Set(std::size_t line, std::string text) {
    if (lines_.size() <= line) lines_.resize(line + 1);
    lines_[line] = std::move(text);
    std::string joined;
    for (const std::string& l : lines_)
      if (!l.empty()) joined += (joined.empty() ? "" : "\n") + l;
    run_.ShowStatus(joined);
  }

 private:
  OutputRun& run_;
  std::vector<std::string> lines_;
};

enum StatusLine { kCreatingLine, kVolumesLine, kProgressLine };

std::string ProgressLine(long long percent) { return "Se ha copiado el " + std::to_string(percent) + " %"; }

// Where each volume goes. On removable media every volume is the same file
// on the disk the user puts in; on a fixed folder (the home folder, say) a
// copy of several volumes keeps each in a folder of its own, numbered, so
// that none is written over and their order is plain.
class VolumePlaces {
 public:
  VolumePlaces(const std::string& drive, const std::string& name, long long volumes)
      : drive_(drive), name_(name), separate_(volumes > 1 && DriveOf(drive) == "/") {}
  bool Separate() const { return separate_; }
  std::string FolderOf(int volume) const { return name_ + "_Volumen" + Digits(volume, 2); }
  std::string PathOf(int volume) const {
    return separate_ ? drive_ + FolderOf(volume) + "/" + name_ : drive_ + name_;
  }
  // Opens the file of `volume`, making its folder first.
  int Open(ReplacingFileWriter& out, int volume) const {
    if (separate_) {
      if (int number = CreateFolder(drive_ + FolderOf(volume))) return number;
    }
    return out.Open(PathOf(volume));
  }
  // Removes what a cancelled copy had written of its volumes.
  void RemoveUpTo(int volumes) const {
    for (int v = 1; v <= std::max(volumes, 1); ++v) {
      RemoveFile(PathOf(v));
      if (separate_) RemoveEmptyFolder(drive_ + FolderOf(v));
    }
  }

 private:
  std::string drive_;
  std::string name_;
  bool separate_;
};

const char* const kVolumesTitle = "COPIA EN VARIOS VOLÚMENES";

std::string VolumesText(const VolumePlaces& places, const std::string& drive, int volumes) {
  std::string text = "La copia ocupa " + std::to_string(volumes) + " volúmenes, cada uno en su carpeta de " + drive +
                     ": ";
  for (int v = 1; v <= volumes; ++v) text += (v > 1 ? ", " : "") + places.FolderOf(v);
  return text + ". Copie cada uno, por este orden, a un disco de su propio volumen.";
}

// The columns the AD243 header counts: one more when the last slip would
// hold a single column, which is then written twice.
long long Ad243Columns(long long reducedBets) { return reducedBets + (reducedBets % kSlipColumns == 1 ? 1 : 0); }

// One copy from the opened source to the destination file.
class Copier {
 public:
  Copier(AppState& app, const DiskCopyRequest& request, const VolumePlaces& places, DiskCopyRun& run,
         ColumnFileReader& source, ReplacingFileWriter& out, StatusPanel& panel)
      : app_(app), format_(request.format), places_(places), run_(run), source_(source), out_(out), panel_(panel) {}

  // False when cancelled.
  bool Run(DiskCopyResult& result) {
    long long columns = app_.reducedBets;
    const bool ad243 = format_ == 0;
    bool duplicateLast = false;
    if (ad243) {
      if (Ad243Columns(columns) != columns) {
        duplicateLast = true;
        columns = Ad243Columns(columns);
        run_.Warn(kIncompleteTitle, kIncompleteText);
      }
      header_.matchday = app_.currentMatchday;
      header_.matchdayDate = app_.currentMatchdayDate;
      header_.delegationCode = app_.delegationCode;
      header_.receptorCode = app_.receptorCode;
      header_.columns = columns;
      header_.slips = Ad243Slips(columns);
      header_.volumes = static_cast<int>(Ad243Volumes(header_.slips));
      panel_.Set(kVolumesLine,
                 "Número de disquetes necesarios para esta reducción: " + std::to_string(header_.volumes));
    }
    long long read = 0;
    long long shownPercent = 0;
    bool cancelled = false;
    std::string column, last;
    while (!cancelled && source_.Next(column)) {
      column = last = FixedWidth(column, kSigns);
      ++read;
      if (ad243)
        Ad243Column(column, result);
      else
        Note(out_.Write(TextColumn(format_, column, read == 1)));
      const long long percent = columns > 0 ? RoundHalfEven(static_cast<double>(read) / columns * 100) : 100;
      if (percent != shownPercent) {
        shownPercent = percent;
        panel_.Set(kProgressLine, ProgressLine(percent));
      }
      cancelled = run_.Cancelled();
    }
    if (ad243 && inSlip_ != 0 && !cancelled) {
      if (duplicateLast) {
        panel_.Set(kProgressLine, ProgressLine(100));
        record_.Put(2, last);
        record_.SetCount(2);
      } else {
        record_.SetCount(inSlip_);
      }
      Note(out_.Write(record_.Bytes()));
    }
    result.volumes = volume_;
    return !cancelled;
  }

  int WriteError() const { return writeError_; }
  void Note(int number) {
    if (writeError_ == 0) writeError_ = number;
  }

 private:
  void Ad243Column(const std::string& column, DiskCopyResult& result) {
    if (++inSlip_ == 1) {
      ++slip_;
      record_ = Ad243SlipRecord(slip_);
      if (slip_ % kAd243SlipsPerVolume == 1) NextVolume(result);
    }
    record_.Put(inSlip_, column);
    if (inSlip_ == kSlipColumns) {
      record_.SetCount(kSlipColumns);
      Note(out_.Write(record_.Bytes()));
      inSlip_ = 0;
    }
  }

  // Each volume is a file of its own: at the same place on the disk the user
  // has put in, or in its own folder on a fixed one.
  void NextVolume(DiskCopyResult& result) {
    if (++volume_ > 1) {
      Note(out_.Commit());
      if (!places_.Separate()) {
        run_.Warn(kDiskFullTitle, DiskFullText(volume_));
        RemoveFile(places_.PathOf(volume_));
      }
      Note(places_.Open(out_, volume_));
    }
    result.volumes = volume_;
    header_.volume = volume_;
    Note(out_.Write(Ad243HeaderRecord(header_)));
  }

  AppState& app_;
  int format_;
  const VolumePlaces& places_;
  DiskCopyRun& run_;
  ColumnFileReader& source_;
  ReplacingFileWriter& out_;
  StatusPanel& panel_;
  Ad243Header header_;
  Ad243SlipRecord record_{0};
  long long slip_ = 0;
  int volume_ = 0;
  int inSlip_ = 0;
  int writeError_ = 0;
};

}  // namespace

std::string DefaultExportFileName(int format, int matchday, int orderNumber) {
  return format == 0 ? "AD243" : "Col" + Digits(matchday, 2) + Digits(orderNumber, 2) + ".txt";
}

int Ad243CheckDigit(std::string_view delegationCode, std::string_view receptorCode) {
  const std::string digits = FixedWidth(delegationCode, 2) + FixedWidth(receptorCode, 5);
  int sum = 0;
  for (std::size_t i = 0; i < digits.size(); ++i) sum += DigitValue(digits[i]) * static_cast<int>(i + 1);
  return sum % 11;
}

long long Ad243Slips(long long columns) { return (columns + 7) / 8; }

long long Ad243Volumes(long long slips) { return (slips + kAd243SlipsPerVolume - 1) / kAd243SlipsPerVolume; }

std::string Ad243HeaderRecord(const Ad243Header& h) {
  std::string record(kAd243RecordSize, ' ');
  const std::string date = FixedWidth(h.matchdayDate, 8);
  PutAt(record, 1, "C");
  PutAt(record, 2, Digits(h.volume, 2));
  PutAt(record, 4, "243");
  PutAt(record, 7, Digits(h.matchday, 2));
  PutAt(record, 9, date.substr(0, 2) + date.substr(3, 2) + date.substr(6, 2));
  PutAt(record, 15, FixedWidth(h.delegationCode, 2));
  PutAt(record, 17, FixedWidth(h.receptorCode, 5));
  PutAt(record, 22, Digits(h.columns, 6));
  PutAt(record, 28, Digits(h.volumes, 2));
  PutAt(record, 30, Digits(h.slips, 6));
  PutAt(record, 36, Digits(Ad243CheckDigit(h.delegationCode, h.receptorCode), 2));
  return record;
}

Ad243SlipRecord::Ad243SlipRecord(long long slip) : bytes_(kAd243RecordSize, ' ') {
  PutAt(bytes_, 1, "D");
  PutAt(bytes_, 2, Digits(slip, 8));
}

void Ad243SlipRecord::Put(int place, std::string_view column) {
  PutAt(bytes_, 11 + static_cast<std::size_t>(place - 1) * kSigns, FixedWidth(column, kSigns));
}

void Ad243SlipRecord::SetCount(int count) { PutAt(bytes_, 10, std::to_string(count)); }

std::string TextColumn(int format, std::string_view column, bool first) {
  const std::string quoted = "\"" + std::string(column) + "\"";
  std::string signs;
  for (char sign : column) signs += std::string(signs.empty() ? "" : ",") + "\"" + sign + "\"";
  switch (format) {
    case 1: return std::string(column);
    case 2: return std::string(column) + "\r\n";
    case 3: return (first ? "" : ",") + quoted;
    case 4: return quoted + "\r\n";
    case 5: return (first ? "" : ",") + signs;
    case 6: return signs + "\r\n";
    default: return "";
  }
}

DiskCopyResult CopyToDisk(AppState& app, const DiskCopyRequest& request, DiskCopyRun& run) {
  DiskCopyResult result;
  run.Started();
  const std::string name = Trimmed(request.fileName);
  const std::string& drive = request.driveFolder;
  ColumnFileReader source;
  if (source.Open(app, ColumnFileReader::Missing::Reported) != 0) {
    run.Stopping();
    run.Pause(1000);
    run.ShowStatus("");
    return result;
  }
  const long long volumes = request.format == 0 ? Ad243Volumes(Ad243Slips(Ad243Columns(app.reducedBets))) : 1;
  const VolumePlaces places(drive, name, volumes);
  const std::string path = places.PathOf(1);
  RemoveFile(drive + name);
  ReplacingFileWriter out;
  StatusPanel panel(run);
  Copier copier(app, request, places, run, source, out, panel);
  bool copied = true;
  int opened;
  while ((opened = places.Open(out, 1)) == err::kDeviceNotReady) {
    if (!run.AskForDisk(kNoDiskTitle, NoDiskText(drive))) {
      copied = false;
      break;
    }
  }
  if (copied) {
    copier.Note(opened);
    panel.Set(kCreatingLine, "Se está creando en la unidad " + drive + " el archivo " + name);
    copied = copier.Run(result);
    if (copied) copier.Note(out.Commit());
  }
  source.Close();
  run.Stopping();
  run.Pause(1000);
  run.ShowStatus("");
  result.writeError = copier.WriteError();
  if (!copied) {
    out.Discard();
    places.RemoveUpTo(result.volumes);
    run.ShowStatus(kCancelledLine);
  } else if (result.writeError) {
    // Whatever failed, the user learns which file was not copied and why.
    RaiseFileError(app, FileRoutine{path, "", "", true}, result.writeError);
    run.ShowStatus("No se ha podido copiar a la unidad " + drive + " el archivo " + name);
  } else if (places.Separate()) {
    run.ShowStatus("Se han copiado " + std::to_string(volumes) + " volúmenes a la unidad " + drive);
    run.Warn(kVolumesTitle, VolumesText(places, drive, static_cast<int>(volumes)));
  } else {
    run.ShowStatus("Se ha copiado a la unidad " + drive + " el archivo " + name);
  }
  run.Pause(1000);
  result.outcome = !copied ? DiskCopyOutcome::Cancelled
                   : result.writeError ? DiskCopyOutcome::Failed
                                       : DiskCopyOutcome::Copied;
  app.lastFileError = static_cast<std::int16_t>(result.writeError);
  return result;
}

}  // namespace vetra
