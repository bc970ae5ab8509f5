#include "graphics/UniformLookup.h"

namespace
{
// At most half full, so a probe for an absent name ends at an empty slot quickly.
size_t SlotCountFor(size_t entries)
{
    size_t slots = 16;
    while (slots < entries * 2)
        slots *= 2;
    return slots;
}
}

UniformLookup::UniformLookup(const std::map<std::string, UniformInfo>& table)
    : slots(SlotCountFor(table.size())), mask(static_cast<uint32_t>(slots.size() - 1)), count(table.size())
{
    for (const auto& [name, info] : table)
    {
        uint32_t index = hash(name) & mask;
        while (slots[index].used)
            index = (index + 1) & mask;
        slots[index] = {name, info, true};
    }
}

const UniformInfo* UniformLookup::find(const std::string& name) const
{
    if (slots.empty())
        return nullptr;
    for (uint32_t index = hash(name) & mask; slots[index].used; index = (index + 1) & mask)
    {
        if (slots[index].name == name)
            return &slots[index].info;
    }
    return nullptr;
}

// Length and three characters, mixed: constant time whatever the name, and the game's
// uniform names already differ there. Equal hashes only cost one more comparison.
uint32_t UniformLookup::hash(const std::string& name)
{
    const size_t length = name.size();
    if (length == 0)
        return 0;
    uint32_t value = static_cast<uint32_t>(length) * 0x9E3779B1u;
    value ^= static_cast<unsigned char>(name[0]);
    value ^= static_cast<uint32_t>(static_cast<unsigned char>(name[length / 2])) << 8;
    value ^= static_cast<uint32_t>(static_cast<unsigned char>(name[length - 1])) << 16;
    value ^= value >> 15;
    value *= 0x2C1B3C6Du;
    value ^= value >> 12;
    return value;
}
