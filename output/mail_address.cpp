#include "output/mail_address.h"

#include <algorithm>

#include "app/numbers.h"

namespace vetra {
namespace {

// The "<" that opens the address part, when there is one.
std::size_t AddressOpening(std::string_view entry) {
  const std::size_t open = entry.rfind('<');
  const std::size_t close = entry.rfind('>');
  return open != std::string_view::npos && close != std::string_view::npos && open < close ? open
                                                                                            : std::string_view::npos;
}

}  // namespace

std::string EnvelopeAddress(std::string_view entry) {
  const std::size_t open = AddressOpening(entry);
  if (open == std::string_view::npos) return Trimmed(entry);
  return Trimmed(entry.substr(open + 1, entry.rfind('>') - open - 1));
}

std::string DisplayName(std::string_view entry) {
  const std::size_t open = AddressOpening(entry);
  if (open == std::string_view::npos) return {};
  std::string name = Trimmed(entry.substr(0, open));
  if (name.size() >= 2 && name.front() == '"' && name.back() == '"') name = name.substr(1, name.size() - 2);
  return name;
}

bool IsPlainAddress(std::string_view address) {
  return !address.empty() && std::all_of(address.begin(), address.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte > 0x20 && byte < 0x7F;
  });
}

}  // namespace vetra
