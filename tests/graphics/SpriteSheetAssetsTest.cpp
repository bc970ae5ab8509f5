// The sprite sheets the game animates split evenly into the grid that Animations.json gives
// them, and the player's frames have the shape of the player's quad, so its texels stay square.

#include "graphics/AnimationManager.h"
#include "graphics/TextureManager.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <stb/stb_image.h>

#include <fstream>
#include <string>

namespace
{
nlohmann::json ReadJson(const std::string& path)
{
    std::ifstream file(path);
    EXPECT_TRUE(file.is_open()) << path;
    return file.is_open() ? nlohmann::json::parse(file) : nlohmann::json();
}

struct Grid
{
    int columns = 0;
    int rows = 0;
};

Grid SheetGrid(const std::string& sheet)
{
    const nlohmann::json file = ReadJson(AnimationManager::kSheetFile);
    for (const nlohmann::json& entry : file["AnimationSheets"])
        if (entry.value("Name", "") == sheet)
            return Grid{entry.value("Columns", 0), entry.value("Rows", 0)};
    return Grid{};
}

struct Size
{
    int width = 0;
    int height = 0;
};

Size ImageSize(const std::string& texture)
{
    Size size;
    int channels = 0;
    const std::string path = std::string(TextureManager::kBlendedFolder) + "/" + texture + ".png";
    EXPECT_TRUE(stbi_info(path.c_str(), &size.width, &size.height, &channels)) << path;
    EXPECT_EQ(channels, 4) << path;
    return size;
}

float PlayerQuadAspect()
{
    const nlohmann::json archetypes = ReadJson("assets/Entity.json");
    for (const nlohmann::json& archetype : archetypes)
        if (archetype.value("name", "") == "Player")
        {
            const nlohmann::json& scale = archetype["TransformComp"]["scale"];
            return scale.value("y", 1.0f) / scale.value("x", 1.0f);
        }
    return 0.0f;
}
}

TEST(SpriteSheetAssets, EverySheetSplitsEvenlyIntoItsGrid)
{
    const struct
    {
        const char* texture;
        const char* sheet;
    } cases[] = {
        {"SpritePackage", "Player"},       {"SpriteNoPackage", "Player"},     {"Transition1", "Transition1"},
        {"Transition2", "Transition2"},    {"Transition3", "Transition3"},    {"TutorialJump", "DefaultButton"},
        {"TutorialDash", "DefaultButton"}, {"TutorialThrow", "DefaultButton"}, {"TutorialTeleport", "DefaultButton"},
    };
    for (const auto& c : cases)
    {
        const Grid grid = SheetGrid(c.sheet);
        ASSERT_GT(grid.columns, 0) << c.sheet;
        ASSERT_GT(grid.rows, 0) << c.sheet;
        const Size size = ImageSize(c.texture);
        EXPECT_EQ(size.width % grid.columns, 0) << c.texture;
        EXPECT_EQ(size.height % grid.rows, 0) << c.texture;
    }
}

TEST(SpriteSheetAssets, PlayerFramesHaveThePlayerQuadsShape)
{
    const Grid grid = SheetGrid("Player");
    ASSERT_GT(grid.columns, 0);
    ASSERT_GT(grid.rows, 0);
    for (const char* texture : {"SpritePackage", "SpriteNoPackage"})
    {
        const Size size = ImageSize(texture);
        const float cellWidth = static_cast<float>(size.width) / grid.columns;
        const float cellHeight = static_cast<float>(size.height) / grid.rows;
        EXPECT_NEAR(cellHeight / cellWidth, PlayerQuadAspect(), 1e-3f) << texture;
    }
}
