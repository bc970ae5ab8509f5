#pragma once
// A by-name index over a context's uniform table for the per-draw uploads: one hash and one
// comparison instead of a walk down the ordered map. It holds exactly the map's entries, so a
// name it lacks is a name the program lacks.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct UniformInfo
{
    int32_t location = -1;
    uint32_t type = 0;
};

class UniformLookup
{
public:
    UniformLookup() = default;
    explicit UniformLookup(const std::map<std::string, UniformInfo>& table);

    // The entry stored under exactly this name, or null.
    const UniformInfo* find(const std::string& name) const;
    size_t size() const { return count; }

private:
    struct Slot
    {
        std::string name;
        UniformInfo info;
        bool used = false;
    };

    static uint32_t hash(const std::string& name);

    std::vector<Slot> slots;
    uint32_t mask = 0;
    size_t count = 0;
};
