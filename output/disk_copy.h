#pragma once
// The copy of a reduction's columns to a removable disk: the fixed-record
// file "AD243" that the betting office validates, spread over volumes of at
// most 11650 slips, or one of six plain text files for other programs.
#include <cstddef>
#include <string>
#include <string_view>

#include "output/output_run.h"

namespace vetra {

struct AppState;

inline constexpr std::size_t kAd243RecordSize = 123;
inline constexpr long long kAd243SlipsPerVolume = 11650;

// The name a format proposes: "AD243", or "Col" + matchday + order + ".txt".
std::string DefaultExportFileName(int format, int matchday, int orderNumber);

// (d1 + 2 d2 + 3 r1 + ... + 7 r5) mod 11 over the digits of the delegation
// and the receptor; a character that is no digit counts 0.
int Ad243CheckDigit(std::string_view delegationCode, std::string_view receptorCode);

long long Ad243Slips(long long columns);
long long Ad243Volumes(long long slips);

// What the "C" record at the start of each volume says.
struct Ad243Header {
  int volume = 1;
  int matchday = 0;
  std::string matchdayDate;  // dd/mm/yy
  std::string delegationCode;
  std::string receptorCode;
  long long columns = 0;
  int volumes = 1;
  long long slips = 0;
};
std::string Ad243HeaderRecord(const Ad243Header& header);

// A "D" record: the running slip number and its 2 to 8 columns.
class Ad243SlipRecord {
 public:
  explicit Ad243SlipRecord(long long slip);
  void Put(int place, std::string_view column);  // place 1..8
  void SetCount(int count);
  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

// What a text format writes for one column; `first` is the first column of
// the file.
std::string TextColumn(int format, std::string_view column, bool first);  // format 1..6: TXT1..TXT6

// What the copy asks of the screen besides an output's status and cancel.
class DiskCopyRun : public OutputRun {
 public:
  // The "NO HAY DISCO" dialog with its "Copiar" answer: true to try again.
  virtual bool AskForDisk(const std::string& title, const std::string& text) = 0;
  // The copy has stopped reading: the cancel button goes.
  virtual void Stopping() {}
  // Lets the user read the status panel.
  virtual void Pause(int milliseconds) = 0;
  void JobEnded(const std::string&) override {}
};

struct DiskCopyRequest {
  int format = 0;           // index of the format options
  std::string driveFolder;  // a drive as listed, ending with "/"
  std::string fileName;     // as typed; trimmed before use
};

enum class DiskCopyOutcome { SourceFailed, Copied, Cancelled, Failed };

struct DiskCopyResult {
  DiskCopyOutcome outcome = DiskCopyOutcome::SourceFailed;
  int volumes = 0;     // volumes begun (AD243)
  int writeError = 0;  // first failure to write, reported once the copy has ended
};

// Copies the columns of currentMatchday and currentOrder. The status panel
// gets its lines joined by "\n": the file being created, the volumes needed
// (AD243) and the progress. A copy that does not end leaves no file behind; a
// write that failed is reported with the file's name once the copy has run.
// On a fixed folder an AD243 copy of several volumes puts volume n in the
// folder name + "_Volumen" + nn beside the name, and says so.
DiskCopyResult CopyToDisk(AppState& app, const DiskCopyRequest& request, DiskCopyRun& run);

}  // namespace vetra
