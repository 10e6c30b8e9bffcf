#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace exporting {

// SHA-1, for what flash-card packages derive from it: note checksums and
// stable note identities. Not for security.
std::array<std::uint8_t, 20> Sha1(std::string_view data);

// The digest in lower-case hexadecimal.
std::string Sha1Hex(std::string_view data);

} // namespace exporting
