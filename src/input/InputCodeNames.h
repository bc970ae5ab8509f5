#pragma once
// The names that the binding file may use for each input code, and the one name an event
// reports for a code (the last of its names in byte order, empty when it has none).

#include "input/InputCode.h"

#include <cstddef>
#include <map>
#include <string>

class InputCodeNames
{
public:
    // Fills the table; calling it again rebuilds the same table.
    void build();

    // False (and code untouched) when the name is not in the table.
    bool find(const std::string& name, InputCode& code) const;
    const std::string& nameOf(InputCode code) const;
    size_t size() const { return codesByName.size(); }
    const std::map<std::string, InputCode>& entries() const { return codesByName; }

private:
    void add(const std::string& name, InputCode code);
    void addKeys();
    void addMouseButtons();
    void addGamepadButtons();
    void addAxes();

    std::map<std::string, InputCode> codesByName;
    std::map<InputCode, std::string> namesByCode;
};
