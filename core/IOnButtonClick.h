#pragma once

#include <string>

// Runs a card command by its command name ("addNode", "addCategory3").
class IOnButtonClick {
public:
    virtual void OnButtonClick(const std::u16string& command) = 0;
    virtual ~IOnButtonClick() = default;
};
