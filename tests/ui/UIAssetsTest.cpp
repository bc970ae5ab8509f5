// Every picture and sound the interface asks for by name ships with the game, in the folder
// that gives it the right pass, and every button sheet holds three equal looks.

#include "graphics/TextureManager.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <stb/stb_image.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace
{
std::string TexturePath(const std::string& folder, const std::string& name)
{
    return std::string(folder) + "/" + name + ".png";
}

struct ImageInfo
{
    int width = 0;
    int height = 0;
    int channels = 0;
};

ImageInfo Inspect(const std::string& path)
{
    ImageInfo info;
    stbi_info(path.c_str(), &info.width, &info.height, &info.channels);
    return info;
}

const std::vector<std::string> kButtonSheets = {
    "PMBContinue", "PMBCredits", "PMBOptions", "PMBControls", "PMBQuit", "PMBNext", "PMBBack",
    "PMBToggleMuteOn", "PMBToggleMuteOff", "PMBFullscreenToggleW", "PMBYes", "PMBNo", "WinScreenPlayAgain"};

std::vector<std::string> MenuPictures()
{
    std::vector<std::string> names = {"PMWindowLeft", "PmWindowRight", "PMPausedScreen", "PMQuitConfirmBanner",
                                      "PMBFullscreenToggleF", "WinScreen", "PMPlayAgainBanner"};
    for (int page = 1; page <= 5; ++page)
        names.push_back("PMCredits" + std::to_string(page));
    for (const char* prefix : {"PMKeyboardTutorial", "PMPlayStationTutorial", "PMXboxTutorial"})
        for (int page = 1; page <= 4; ++page)
            names.push_back(prefix + std::to_string(page));
    return names;
}

const std::vector<std::string> kFloatingPictures = {
    "Ostrel_RED", "FMOD_White", "TeamLogo", "Checkpoint", "ConnectedKeyboard", "ConnectedDual",
    "ConnectedWireless", "Level1Text", "Level2Text", "Level3Text"};
}

TEST(UIAssets, MenuPicturesAndButtonSheetsAreOpaqueFolderImagesWithThreeLooks)
{
    std::vector<std::string> names = MenuPictures();
    names.insert(names.end(), kButtonSheets.begin(), kButtonSheets.end());
    for (const std::string& name : names)
    {
        const ImageInfo info = Inspect(TexturePath(TextureManager::kOpaqueFolder, name));
        EXPECT_EQ(info.channels, 4) << name;
    }
    for (const std::string& name : kButtonSheets)
    {
        const ImageInfo info = Inspect(TexturePath(TextureManager::kOpaqueFolder, name));
        EXPECT_EQ(info.width % 3, 0) << name;
    }
}

TEST(UIAssets, PicturesOverTheGameAreBlendedAndTitleCardsAreSquare)
{
    for (const std::string& name : kFloatingPictures)
        EXPECT_EQ(Inspect(TexturePath(TextureManager::kBlendedFolder, name)).channels, 4) << name;
    for (const char* card : {"Level1Text", "Level2Text", "Level3Text"})
    {
        const ImageInfo info = Inspect(TexturePath(TextureManager::kBlendedFolder, card));
        EXPECT_EQ(info.width, info.height) << card;
    }
    // The logos keep the proportions they are drawn at.
    const ImageInfo studio = Inspect(TexturePath(TextureManager::kBlendedFolder, "Ostrel_RED"));
    const ImageInfo sound = Inspect(TexturePath(TextureManager::kBlendedFolder, "FMOD_White"));
    EXPECT_NEAR(static_cast<float>(studio.width) / studio.height, 4.14f, 0.01f);
    EXPECT_NEAR(static_cast<float>(sound.width) / sound.height, 3.79f, 0.01f);
}

TEST(UIAssets, InterfaceSoundPresetsExist)
{
    std::ifstream file("assets/sound/soundPresets.json");
    ASSERT_TRUE(file.is_open());
    const nlohmann::json presets = nlohmann::json::parse(file);
    for (const char* name : {"UiHover", "UiHit", "UiHitOff"})
        EXPECT_TRUE(presets.contains(name)) << name;
}
