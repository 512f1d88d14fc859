#pragma once

#include <stdexcept>

namespace unicore {

// The language service's error: a runtime error with a narrow message ("Invalid JSON", "Invalid day
// index"...).
class exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace unicore
