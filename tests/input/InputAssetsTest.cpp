#include "input/InputBindingFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace
{
InputBindingFileData GameBindings()
{
    InputCodeNames names;
    names.build();
    return InputBindingFile::read(InputBindingFile::kDefaultPath, names);
}

bool IsGamepad(InputCode code)
{
    return code >= 360;
}

std::vector<InputBindingEntry> BindingsOf(const InputBindingFileData& data, const std::string& action)
{
    std::vector<InputBindingEntry> found;
    std::copy_if(data.entries.begin(), data.entries.end(), std::back_inserter(found),
                 [&](const InputBindingEntry& entry) { return entry.action == action; });
    return found;
}

bool Has(const InputBindingFileData& data, const std::string& action, InputCode code, TriggerType type)
{
    return std::any_of(data.entries.begin(), data.entries.end(), [&](const InputBindingEntry& entry) {
        return entry.action == action && entry.code == code && entry.trigType == type;
    });
}
}

TEST(InputAssets, EveryPlayActionWorksFromKeyboardAndMouseAndFromAGamepad)
{
    const InputBindingFileData data = GameBindings();
    const std::vector<std::pair<std::string, TriggerType>> playActions = {
        {"MoveLeft", OnHold},          {"MoveRight", OnHold},        {"MoveUpNoClip", OnHold},
        {"MoveDownNoClip", OnHold},    {"Jump", OnPress},            {"Dash", OnPress},
        {"Aim", OnPress},              {"offAim", OnRelease},        {"ThrowPackage", OnRelease},
        {"TeleportToPackage", OnPress}, {"SummonPackage", OnPress},  {"PauseGame", OnPress},
        {"UnpauseGame", OnPress},      {"MoveLeftT", OnHold},        {"MoveRightT", OnHold},
        {"MoveUpT", OnHold},           {"MoveDownT", OnHold}};
    for (const auto& [action, type] : playActions)
    {
        const std::vector<InputBindingEntry> bindings = BindingsOf(data, action);
        bool keyboardOrMouse = false;
        bool gamepad = false;
        for (const InputBindingEntry& binding : bindings)
        {
            EXPECT_EQ(binding.trigType, type) << action;
            (IsGamepad(binding.code) ? gamepad : keyboardOrMouse) = true;
        }
        EXPECT_TRUE(keyboardOrMouse) << action;
        EXPECT_TRUE(gamepad) << action;
    }
    EXPECT_TRUE(Has(data, "GamepadAim", 401, OnHold));
}

TEST(InputAssets, AimIsReleasedOnTheSameControlAndPauseUsesTheSameKeys)
{
    const InputBindingFileData data = GameBindings();
    for (const InputBindingEntry& aim : BindingsOf(data, "Aim"))
    {
        EXPECT_TRUE(Has(data, "offAim", aim.code, OnRelease)) << aim.code;
        EXPECT_TRUE(Has(data, "ThrowPackage", aim.code, OnRelease)) << aim.code;
    }
    for (const InputBindingEntry& pause : BindingsOf(data, "PauseGame"))
        EXPECT_TRUE(Has(data, "UnpauseGame", pause.code, OnPress)) << pause.code;
}

TEST(InputAssets, DeveloperActionsAreBoundAndTheLiveDeveloperKeysStayFree)
{
    const InputBindingFileData data = GameBindings();
    for (const char* action : {"CameraSwitchMode", "RestartSystems", "EndLevel", "ToggleCulling", "TestScaleUpX",
                               "TestScaleDownX", "TestScaleUpY", "TestScaleDownY", "KillPlayer", "WinGame", "GodMode",
                               "NoClip", "ToggleEmitter", "ReloadScene"})
        EXPECT_FALSE(BindingsOf(data, action).empty()) << action;

    const std::set<InputCode> reserved = {49, 50, 51, 52, 53, 54, 55, 292, 300, 70, 80, 79, 75, 74, 67, 86};
    for (const InputBindingEntry& entry : data.entries)
        EXPECT_EQ(reserved.count(entry.code), 0u) << entry.action << " uses developer key " << entry.code;
}
