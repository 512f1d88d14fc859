#pragma once

#include <exception>
#include <string>

namespace tstd {
// A failure whose message is meant for the user: UTF-16 for message boxes, the ANSI code page for what().
class uexception : public std::exception {
public:
    explicit uexception(std::u16string message);

    // The message in the ANSI code page.
    const char* what() const noexcept override;
    // The message as the user reads it.
    virtual const std::u16string& message() const noexcept;

private:
    std::u16string message_;
    std::string ansi_;
};
} // namespace tstd
