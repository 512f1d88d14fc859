#include "core/uexception.h"

#include "core/TextFunctions.h"

#include <utility>

tstd::uexception::uexception(std::u16string message)
    : message_(std::move(message)), ansi_(ToAnsi(message_)) {}

const char* tstd::uexception::what() const noexcept {
    return ansi_.c_str();
}

const std::u16string& tstd::uexception::message() const noexcept {
    return message_;
}
