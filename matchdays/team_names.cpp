#include "matchdays/team_names.h"

#include <algorithm>

#include "app/numbers.h"

namespace vetra {
namespace {

// Letters get weights above every other character, two apart so that "ñ"
// finds room right after "n".
constexpr int kLetterBase = 0x200;

int LetterWeight(char lower) { return kLetterBase + 2 * (lower - 'a'); }

// The primary weight of one byte: its letter without case or accent, or the
// byte itself for anything else.
int Weight(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return LetterWeight(static_cast<char>(c - 'A' + 'a'));
  if (c >= 'a' && c <= 'z') return LetterWeight(static_cast<char>(c));
  switch (c) {
    case 0x8A: case 0x9A: return LetterWeight('s');  // Š š
    case 0x8E: case 0x9E: return LetterWeight('z');  // Ž ž
    case 0x9F: case 0xFF: return LetterWeight('y');  // Ÿ ÿ
    case 0xD7: case 0xDF: case 0xF7: return c;       // × ß ÷
    default: break;
  }
  if (c < 0xC0) return c;
  // The accented letters: upper case at 0xC0-0xDE, lower case 0x20 above.
  const unsigned char lower = c | 0x20;
  if (lower <= 0xE5) return LetterWeight('a');
  if (lower == 0xE7) return LetterWeight('c');
  if (lower >= 0xE8 && lower <= 0xEB) return LetterWeight('e');
  if (lower >= 0xEC && lower <= 0xEF) return LetterWeight('i');
  if (lower == 0xF1) return LetterWeight('n') + 1;  // ñ
  if ((lower >= 0xF2 && lower <= 0xF6) || lower == 0xF8) return LetterWeight('o');
  if (lower >= 0xF9 && lower <= 0xFC) return LetterWeight('u');
  if (lower == 0xFD) return LetterWeight('y');
  return c;
}

bool WeightLess(char x, char y) {
  return Weight(static_cast<unsigned char>(x)) < Weight(static_cast<unsigned char>(y));
}

}  // namespace

bool TeamNameLess(std::string_view a, std::string_view b) {
  if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), WeightLess)) return true;
  if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), WeightLess)) return false;
  return a < b;  // bytes compared unsigned
}

bool HasTeamName(const std::vector<std::string>& names, std::string_view name) {
  const std::string wanted = Trimmed(name);
  const auto same = [](char x, char y) { return !WeightLess(x, y) && !WeightLess(y, x); };
  return std::any_of(names.begin(), names.end(), [&](const std::string& held) {
    const std::string trimmed = Trimmed(held);
    return std::equal(trimmed.begin(), trimmed.end(), wanted.begin(), wanted.end(), same);
  });
}

void SortTeamNames(std::vector<std::string>& names) { std::stable_sort(names.begin(), names.end(), TeamNameLess); }

std::size_t InsertTeamName(std::vector<std::string>& names, std::string name) {
  const auto index = std::upper_bound(names.begin(), names.end(), name, TeamNameLess) - names.begin();
  names.insert(names.begin() + index, std::move(name));
  return static_cast<std::size_t>(index);
}

}  // namespace vetra
