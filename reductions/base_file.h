#pragma once
// "BASES.VTR", the index of stored reductions: one line of 230 characters and
// CR LF per reduction, line n at byte (n - 1) * 232, keyed by matchday and
// order number. Lines are never removed: a freed line becomes the free slot
// "0000" and blanks, which the next new reduction takes over.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/app_state.h"

namespace vetra {

inline constexpr const char* kBaseFile = "BASES.VTR";
inline constexpr std::size_t kBaseLineWidth = 230;
inline constexpr std::size_t kBaseLineSize = 232;  // with its CR LF
inline constexpr std::size_t kDescriptionWidth = 35;
inline constexpr std::size_t kDescriptionAt = 165;  // 0-based start of the description in a line

// One stored reduction's entry.
struct BaseRecord {
  std::int16_t matchday = 0;
  std::int16_t orderNumber = 0;
  std::int16_t reductionMethod = 0;
  std::int16_t minErrors = 0;
  std::int16_t maxErrors = 0;
  std::int32_t directBets = 0;
  std::int32_t reducedBets = 0;
  BaseGrid baseGrid{};
  AllowedTotals allowedTotals{};
  std::string description;  // file bytes
  bool operator==(const BaseRecord&) const = default;
};

// The four-character key of a line: matchday and order, two digits each.
std::string BaseKey(int matchday, int orderNumber);

// The 230 characters of a record's line (without CR LF). Each field is
// written at its positions over blanks; a number too wide for its field is
// written as the largest that fits.
std::string BaseLine(const BaseRecord& record);

// Parses a line read from the file (a shorter one as if padded with blanks).
// The description is trimmed. Returns 0, or 13 when a numeric field holds
// anything but digits and blanks; `record` is complete only on 0.
int ParseBaseLine(std::string_view line, BaseRecord& record);

// What a reduction that does not exist yet starts from: every match with
// sign 1 only, one direct and one reduced bet, nothing else.
BaseRecord EmptyBaseRecord();

// The current reduction's fields of the state, as a record and back.
// reductionMethod is copied too, except that the empty record keeps the
// previous method (see LoadBase).
BaseRecord CurrentBaseRecord(const AppState& app);
void SetCurrentBaseRecord(AppState& app, const BaseRecord& record);

// Loads the first line of that key into the current reduction's fields, or
// the empty record (keeping reductionMethod) when there is none or the file
// cannot be read. A missing file is reported and created empty. Sets
// lastFileError; errors are reported as "LFB".
void LoadBase(AppState& app, int matchday, int orderNumber);

struct BaseLookup {
  bool found = false;
  int lineNumber = 0;    // of the first line of the key; without one, the number of lines read
  std::string lastLine;  // the last line read, without CR LF
};

// Looks for the first line of the key. A missing file is reported and created
// empty. Sets lastFileError; errors are reported as "EEB".
BaseLookup BaseExists(AppState& app, int matchday, int orderNumber);

// Turns every line of the key into a free slot, in place. Sets lastFileError;
// errors are reported as "BRB".
void FreeBase(AppState& app, int matchday, int orderNumber);

// Makes sure the index holds a line that the current key's line can be
// written over without the file growing: the key's own line or a free slot,
// a free slot being appended when there is neither. Sets lastFileError; the
// lookup's errors are reported as "EEB", the write's as "EFB".
void ReserveBaseSlot(AppState& app);

// Writes a line of full width over the line of its key, else over the first
// free slot, else at the end of the file. A whole line of the file is
// replaced in place; one cut short makes the file be rewritten whole with
// every other byte kept. Sets lastFileError; errors as in ReserveBaseSlot.
void WriteBaseLine(AppState& app, std::string_view line);

// WriteBaseLine of the current reduction's line.
void StoreBase(AppState& app);

// Replaces the description of the current key's line, if there is one that
// loads and its description differs, and nothing else. Sets lastFileError; the write's errors are reported as "ADB".
void UpdateDescription(AppState& app);

}  // namespace vetra
