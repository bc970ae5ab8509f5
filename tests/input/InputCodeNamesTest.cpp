#include "input/InputCodeNames.h"

#include <gtest/gtest.h>

namespace
{
InputCodeNames BuiltTable()
{
    InputCodeNames names;
    names.build();
    return names;
}

InputCode CodeOf(const InputCodeNames& names, const std::string& name)
{
    InputCode code = -1;
    EXPECT_TRUE(names.find(name, code)) << name;
    return code;
}
}

TEST(InputCodeNames, TableHoldsEveryFamilyOnce)
{
    InputCodeNames names = BuiltTable();
    EXPECT_EQ(names.size(), 284u);
    names.build();
    EXPECT_EQ(names.size(), 284u);

    EXPECT_EQ(CodeOf(names, "BUTTON_KEY_SPACE"), 32);
    EXPECT_EQ(CodeOf(names, "GLFW_KEY_SPACE"), 32);
    EXPECT_EQ(CodeOf(names, "BUTTON_KEY_F3"), 292);
    EXPECT_EQ(CodeOf(names, "BUTTON_KEY_KP_ENTER"), 335);
    EXPECT_EQ(CodeOf(names, "BUTTON_KEY_LEFT_SHIFT"), 340);
    EXPECT_EQ(CodeOf(names, "GLFW_KEY_MENU"), 348);
    EXPECT_EQ(CodeOf(names, "BUTTON_MOUSE_BUTTON_1"), 350);
    EXPECT_EQ(CodeOf(names, "BUTTON_MOUSE_BUTTON_8"), 357);
    EXPECT_EQ(CodeOf(names, "BUTTON_MOUSE_BUTTON_MIDDLE"), 352);
    EXPECT_EQ(CodeOf(names, "BUTTON_GAMEPAD_BUTTON_A"), 360);
    EXPECT_EQ(CodeOf(names, "BUTTON_GAMEPAD_BUTTON_START"), 367);
    EXPECT_EQ(CodeOf(names, "BUTTON_GAMEPAD_BUTTON_DPAD_LEFT"), 374);
    EXPECT_EQ(CodeOf(names, "BUTTON_GAMEPAD_BUTTON_SQUARE"), 362);
    EXPECT_EQ(CodeOf(names, "BUTTON_GAMEPAD_BUTTON_TRIANGLE"), 363);
    EXPECT_EQ(CodeOf(names, "BUTTON_GAMEPAD_LEFT_JOY_LEFT"), 380);
    EXPECT_EQ(CodeOf(names, "BUTTON_GAMEPAD_RIGHT_JOY_DOWN"), 387);
    EXPECT_EQ(CodeOf(names, "BUTTON_GAMEPAD_LEFT_TRIGGER"), 389);
    EXPECT_EQ(CodeOf(names, "BUTTON_GAMEPAD_RIGHT_TRIGGER"), 391);
    EXPECT_EQ(CodeOf(names, "BUTTON_GAMEPAD_LEFT_JOY"), 400);
    EXPECT_EQ(CodeOf(names, "BUTTON_GAMEPAD_RIGHT_JOY"), 401);
}

TEST(InputCodeNames, UnknownNamesAreNotFoundAndLeaveTheCode)
{
    const InputCodeNames names = BuiltTable();
    InputCode code = 7;
    EXPECT_FALSE(names.find("BUTTON_KEY_UNKNOWN", code));
    EXPECT_FALSE(names.find("GLFW_KEY_LAST", code));
    EXPECT_FALSE(names.find("button_key_space", code));
    EXPECT_EQ(code, 7);
}

TEST(InputCodeNames, EventNameIsTheLastNameInByteOrder)
{
    const InputCodeNames names = BuiltTable();
    EXPECT_EQ(names.nameOf(32), "GLFW_KEY_SPACE");
    EXPECT_EQ(names.nameOf(65), "GLFW_KEY_A");
    EXPECT_EQ(names.nameOf(350), "BUTTON_MOUSE_BUTTON_LEFT");
    EXPECT_EQ(names.nameOf(351), "BUTTON_MOUSE_BUTTON_RIGHT");
    EXPECT_EQ(names.nameOf(352), "BUTTON_MOUSE_BUTTON_MIDDLE");
    EXPECT_EQ(names.nameOf(353), "BUTTON_MOUSE_BUTTON_4");
    EXPECT_EQ(names.nameOf(357), "BUTTON_MOUSE_BUTTON_LAST");
    EXPECT_EQ(names.nameOf(360), "BUTTON_GAMEPAD_BUTTON_CROSS");
    EXPECT_EQ(names.nameOf(361), "BUTTON_GAMEPAD_BUTTON_CIRCLE");
    EXPECT_EQ(names.nameOf(362), "BUTTON_GAMEPAD_BUTTON_X");
    EXPECT_EQ(names.nameOf(363), "BUTTON_GAMEPAD_BUTTON_Y");
    EXPECT_EQ(names.nameOf(374), "BUTTON_GAMEPAD_BUTTON_LAST");
    EXPECT_EQ(names.nameOf(389), "BUTTON_GAMEPAD_LEFT_TRIGGER");
    EXPECT_EQ(names.nameOf(400), "BUTTON_GAMEPAD_LEFT_JOY");
    EXPECT_EQ(names.nameOf(388), "");
    EXPECT_EQ(names.nameOf(390), "");
    EXPECT_EQ(names.nameOf(999), "");
}

TEST(InputCodeNames, EveryKeyHasBothFormsAndReportsItsGlfwForm)
{
    const InputCodeNames names = BuiltTable();
    int keys = 0;
    for (const auto& [name, code] : names.entries())
    {
        if (name.rfind("BUTTON_KEY_", 0) != 0)
            continue;
        ++keys;
        const std::string suffix = name.substr(std::string("BUTTON_KEY_").size());
        EXPECT_GE(code, 32);
        EXPECT_LE(code, 348);
        EXPECT_EQ(CodeOf(names, "GLFW_KEY_" + suffix), code);
        EXPECT_EQ(names.nameOf(code), "GLFW_KEY_" + suffix);
    }
    EXPECT_EQ(keys, 120);
}
