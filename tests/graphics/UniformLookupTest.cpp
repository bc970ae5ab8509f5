#include "graphics/UniformLookup.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace
{
std::map<std::string, UniformInfo> GameLikeTable()
{
    std::map<std::string, UniformInfo> table;
    int location = 0;
    for (const char* name : {"model", "view", "projection", "useTexture", "useBlending", "blendColor", "drawColor",
                             "textureUVOffset", "textureUVDimension", "sliceType", "texBorder", "spriteBorder",
                             "spriteTextureRatio", "texture1", "lights[0]"})
        table[name] = {location++, 5126u + static_cast<uint32_t>(location)};
    // Enough names of one length to fill several probe chains.
    for (int i = 0; i < 40; ++i)
        table["u" + std::to_string(100 + i)] = {location++, 35676u};
    return table;
}
}

TEST(UniformLookup, FindsEveryEntryOfTheTableWithItsLocationAndType)
{
    const std::map<std::string, UniformInfo> table = GameLikeTable();
    const UniformLookup lookup(table);
    EXPECT_EQ(lookup.size(), table.size());
    for (const auto& [name, info] : table)
    {
        const UniformInfo* found = lookup.find(name);
        ASSERT_NE(found, nullptr) << name;
        EXPECT_EQ(found->location, info.location) << name;
        EXPECT_EQ(found->type, info.type) << name;
    }
}

TEST(UniformLookup, NamesTheProgramLacksAreNotFound)
{
    const UniformLookup lookup(GameLikeTable());
    // Prefixes, extensions, other case, and names that share length, first, middle and last
    // character with a real one (so they land on its slot and only the comparison tells).
    for (const char* absent : {"", "mode", "modell", "Model", "mXdXl", "lights", "lights[1]", "u99", "u140",
                               "useTextur", "spriteTextureRatiO"})
        EXPECT_EQ(lookup.find(absent), nullptr) << absent;

    const UniformLookup empty;
    EXPECT_EQ(empty.find("model"), nullptr);
    EXPECT_EQ(UniformLookup(std::map<std::string, UniformInfo>{}).find(""), nullptr);
}
