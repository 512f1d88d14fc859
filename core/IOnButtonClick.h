#pragma once

// Runs a card command by its command name. OnButtonClick joins here with the card
// commands.
class IOnButtonClick {
public:
    virtual ~IOnButtonClick() = default;
};
