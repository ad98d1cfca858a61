#pragma once
// The address of an address-list entry, which may carry a display name
// ("Ana María <ana@vetra.es>"), and whether a mail server takes it as it is.
#include <string>
#include <string_view>

namespace vetra {

// The part between "<" and ">" when the entry has one, else the whole entry.
std::string EnvelopeAddress(std::string_view entry);

// The display name before "<", without blanks and quotes around it; empty
// when the entry is a bare address.
std::string DisplayName(std::string_view entry);

// Plain ASCII without blanks or control characters: what every server takes
// in its envelope, where a byte above 127 gets the message refused.
bool IsPlainAddress(std::string_view address);

}  // namespace vetra
