#pragma once

#include <string>

namespace citygen {
// The city bundled with the host: "Riverton", a few hundred companies of many kinds with
// one to four branches each, in buildings that several companies share. Always the same
// file for the same program. Raises std::runtime_error.
void WriteDemoCity(const std::string& path);
} // namespace citygen
