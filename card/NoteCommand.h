#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// One of the four note commands, chosen by a command name ("addCategory5", "addNode").
struct NoteCommand {
    enum Kind { ToggleCategory, EditText, DeleteCategories, DeleteText, None };

    // Each command with its name, in the order a command name is matched against them.
    struct Named {
        Kind kind;
        std::u16string_view name;
    };
    static constexpr std::array<Named, 4> kNames{{{ToggleCategory, u"addCategory"},
                                                  {EditText, u"addNode"},
                                                  {DeleteCategories, u"deleteCategory"},
                                                  {DeleteText, u"deleteNode"}}};

    // The name of a command (the prefix of a category toggle's); empty for None.
    static constexpr std::u16string_view NameOf(Kind kind) {
        for (const Named& named : kNames)
            if (named.kind == kind) return named.name;
        return {};
    }

    // The first name of kNames that occurs anywhere in the name selects the command; its
    // argument is what follows as many leading characters as that command name has. None
    // when no name occurs.
    static NoteCommand Parse(std::u16string_view name);

    // The category a toggle names: the argument read as a decimal number the way the C
    // library's wcstol reads it (leading blanks and a sign allowed, clamped to 32 bits);
    // 0 when it holds no digits.
    std::int32_t Category() const;

    Kind kind = None;
    std::u16string argument;
};
