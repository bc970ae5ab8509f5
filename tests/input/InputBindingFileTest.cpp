#include "input/InputBindingFile.h"

#include "engine/JsonFileError.h"
#include "input/InputTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace
{
InputBindingFileData ReadText(const std::string& fileName, const std::string& text)
{
    const std::string path = test::ScratchFolder("InputBindingFile") + "/" + fileName;
    test::WriteText(path, text);
    InputCodeNames names;
    names.build();
    return InputBindingFile::read(path, names);
}

std::string Binding(const std::string& action, const std::string& code, const std::string& trig)
{
    return R"({"Action": ")" + action + R"(", "Code": ")" + code + R"(", "TrigType": ")" + trig + R"("})";
}
}

TEST(InputBindingFile, EmptyObjectGivesNoBindingsAndDefaultThresholds)
{
    const InputBindingFileData data = ReadText("empty.json", "{}");
    EXPECT_TRUE(data.entries.empty());
    EXPECT_FLOAT_EQ(data.axisThreshold, 0.3f);
    EXPECT_FLOAT_EQ(data.triggerThreshold, 0.3f);
}

TEST(InputBindingFile, ReadsBindingsInMemberNameOrderAndBothThresholds)
{
    const InputBindingFileData data = ReadText("order.json", R"({
        "b": )" + Binding("Jump", "BUTTON_KEY_SPACE", "OnPress") + R"(,
        "a": )" + Binding("Aim", "BUTTON_MOUSE_BUTTON_RIGHT", "OnRelease") + R"(,
        "JOYSTICK_AXIS_THRESHOLD": 0.25,
        "JOYSTICK_TRIGGER_THRESHOLD": 0.9,
        "c": )" + Binding("Move", "BUTTON_GAMEPAD_LEFT_JOY_LEFT", "OnHold") + R"(})");

    ASSERT_EQ(data.entries.size(), 3u);
    EXPECT_EQ(data.entries[0].action, "Aim");
    EXPECT_EQ(data.entries[0].code, 351);
    EXPECT_EQ(data.entries[0].trigType, OnRelease);
    EXPECT_EQ(data.entries[1].action, "Jump");
    EXPECT_EQ(data.entries[1].code, 32);
    EXPECT_EQ(data.entries[1].trigType, OnPress);
    EXPECT_EQ(data.entries[2].code, 380);
    EXPECT_EQ(data.entries[2].trigType, OnHold);
    EXPECT_FLOAT_EQ(data.axisThreshold, 0.25f);
    EXPECT_FLOAT_EQ(data.triggerThreshold, 0.9f);
}

// An object is a binding, so one without all three keys is named; notes, settings and
// unknown names pass without a word.
TEST(InputBindingFile, IncompleteBindingsAreNamedAndOtherSkipsAreSilent)
{
    test::ConsoleCapture console;
    const InputBindingFileData data = ReadText("skips.json", R"({
        "noTrig": {"Action": "Jump", "Code": "BUTTON_KEY_SPACE"},
        "noAction": {"Code": "BUTTON_KEY_SPACE", "TrigType": "OnPress"},
        "noCode": {"Action": "Jump", "TrigType": "OnPress"},
        "badCode": )" + Binding("Jump", "BUTTON_KEY_NOPE", "OnPress") + R"(,
        "badTrig": )" + Binding("Jump", "BUTTON_KEY_SPACE", "OnDoubleTap") + R"(,
        "number": 4,
        "text": "a note",
        "list": [1, 2],
        "kept": )" + Binding("Dash", "GLFW_KEY_LEFT_SHIFT", "OnPress") + R"(})");

    ASSERT_EQ(data.entries.size(), 1u);
    EXPECT_EQ(data.entries[0].action, "Dash");
    EXPECT_EQ(data.entries[0].code, 340);
    EXPECT_EQ(console.out(), "");
    const std::string err = console.err();
    EXPECT_EQ(test::CountOccurrences(err, "ERROR! : File: ["), 3) << err;
    for (const char* line : {"binding \"noTrig\" has no \"TrigType\"; it is skipped.",
                             "binding \"noAction\" has no \"Action\";", "binding \"noCode\" has no \"Code\";"})
        EXPECT_NE(err.find(std::string("skips.json] ") + line), std::string::npos) << line << "\n" << err;
}

TEST(InputBindingFile, RootArrayIsWalkedInOrderWithoutThresholds)
{
    const InputBindingFileData data = ReadText("array.json", "[" + Binding("Z", "BUTTON_KEY_Z", "OnPress") + ", 0.9, " +
                                                                  Binding("A", "BUTTON_KEY_A", "OnHold") + "]");
    ASSERT_EQ(data.entries.size(), 2u);
    EXPECT_EQ(data.entries[0].action, "Z");
    EXPECT_EQ(data.entries[1].action, "A");
    EXPECT_FLOAT_EQ(data.axisThreshold, 0.3f);
    EXPECT_FLOAT_EQ(data.triggerThreshold, 0.3f);
}

TEST(InputBindingFile, MissingFileThrowsInvalidArgumentNamingIt)
{
    InputCodeNames names;
    names.build();
    const std::string path = test::ScratchFolder("InputBindingFileMissing") + "/input.json";
    test::ConsoleCapture console;
    try
    {
        InputBindingFile::read(path, names);
        FAIL() << "expected std::invalid_argument";
    }
    catch (const std::invalid_argument& problem)
    {
        EXPECT_EQ(std::string(problem.what()), "File: [" + path + "] not found.");
    }
    EXPECT_NE(console.err().find("ERROR! : File: [" + path + "] not found."), std::string::npos);
}

TEST(InputBindingFile, BadJsonAndWrongKindsStopNamingTheFileAndTheKey)
{
    test::ConsoleCapture console;
    EXPECT_THROW(ReadText("broken.json", "{\"a\": "), JsonFileError);
    EXPECT_THROW(ReadText("huge.json", R"({"JOYSTICK_AXIS_THRESHOLD": 1e400})"), JsonFileError);
    EXPECT_THROW(ReadText("deep.json", std::string(100000, '[') + std::string(100000, ']')), JsonFileError);
    EXPECT_THROW(ReadText("action.json", R"({"a": {"Action": 5, "Code": "BUTTON_KEY_A", "TrigType": "OnPress"}})"),
                 JsonFileError);
    EXPECT_THROW(ReadText("threshold.json", R"({"JOYSTICK_AXIS_THRESHOLD": "wide"})"), JsonFileError);
    // A wrong type stops start-up even in an entry whose code name is unknown.
    EXPECT_THROW(ReadText("trig.json", R"({"a": {"Action": "Jump", "Code": "BUTTON_KEY_NOPE", "TrigType": 0}})"),
                 JsonFileError);
    EXPECT_THROW(ReadText("code.json", R"({"a": {"Action": "Jump", "Code": 32, "TrigType": "OnNever"}})"),
                 JsonFileError);
    for (const char* name : {"broken.json", "huge.json", "deep.json", "threshold.json"})
        EXPECT_NE(console.err().find(name), std::string::npos) << name;
    for (const char* line : {"action.json] key \"Action\": 5 is a number; a string was expected.",
                             "trig.json] key \"TrigType\": 0 is a number", "code.json] key \"Code\": 32 is a number"})
        EXPECT_NE(console.err().find(line), std::string::npos) << line;
}

// A file that binds nothing leaves the game without controls: the log names the file.
TEST(InputBindingFile, FilesThatBindNothingAreReported)
{
    for (const char* text : {"[]", "{}", "42", "\"keys\""})
    {
        test::ConsoleCapture console;
        EXPECT_TRUE(ReadText("nothing.json", text).entries.empty()) << text;
        const std::string err = console.err();
        EXPECT_NE(err.find("ERROR! : File: ["), std::string::npos) << text;
        EXPECT_NE(err.find("nothing.json] binds no action"), std::string::npos) << text << "\n" << err;
        EXPECT_EQ(err.find("no object of input bindings") == std::string::npos, std::string(text) == "{}") << text;
    }
}

class InputBindingFileSystem : public inputtest::InputFixture
{
protected:
    std::string bindingFile() const override
    {
        const std::string path = test::ScratchFolder("InputBindingFileSystem") + "/input.json";
        test::WriteText(path, R"({
            "JOYSTICK_TRIGGER_THRESHOLD": 0.9,
            "jump 1": {"Action": "Jump", "Code": "BUTTON_KEY_SPACE", "TrigType": "OnPress"},
            "jump 2": {"Action": "Jump", "Code": "GLFW_KEY_SPACE", "TrigType": "OnPress"},
            "jump 3": {"Action": "Jump", "Code": "GLFW_KEY_SPACE", "TrigType": "OnRelease"},
            "square": {"Action": "Square", "Code": "BUTTON_GAMEPAD_BUTTON_SQUARE", "TrigType": "OnPress"},
            "untriggered": {"Action": "Ghost", "Code": "BUTTON_KEY_G"}
        })");
        return path;
    }
};

TEST_F(InputBindingFileSystem, FileBindingsComeFirstWithoutDuplicates)
{
    const std::vector<InputBinding>& bindings = input.getBindings();
    ASSERT_GE(bindings.size(), 3u);
    EXPECT_EQ(bindings[0].action, "Jump");
    EXPECT_EQ(bindings[0].code, 32);
    EXPECT_EQ(bindings[0].trigType, OnPress);
    EXPECT_EQ(bindings[1].action, "Jump");
    EXPECT_EQ(bindings[1].trigType, OnRelease);
    EXPECT_EQ(bindings[2].action, "Square");
    EXPECT_EQ(bindings[2].code, 362);
    EXPECT_EQ(bindings[3].action, "UIPressed");
    EXPECT_FALSE(input.hasAction("Ghost"));
    EXPECT_TRUE(input.isActionEnabled("Jump"));
    EXPECT_FLOAT_EQ(input.getAxisThreshold(), 0.3f);
    EXPECT_FLOAT_EQ(input.getTriggerThreshold(), 0.9f);
}

TEST_F(InputBindingFileSystem, SpaceEventsNameTheGlfwFormAndSquareNamesX)
{
    input.registerCallback("Jump", inputtest::RecordA);
    input.registerCallback("Square", inputtest::RecordB);
    device.plugPad(0, "Pad");
    device.press(32);
    device.setPadButton(0, 2, true);
    step();
    ASSERT_EQ(inputtest::gCalls.size(), 2u);
    EXPECT_EQ(inputtest::gCalls[0].event.codeName, "GLFW_KEY_SPACE");
    EXPECT_EQ(inputtest::gCalls[1].event.codeName, "BUTTON_GAMEPAD_BUTTON_X");
}

TEST_F(InputBindingFileSystem, RestartReadsTheFileAgainWithoutAddingBindings)
{
    const size_t before = input.getBindings().size();
    test::ConsoleCapture console;
    input.restart();
    EXPECT_EQ(input.getBindings().size(), before);
    EXPECT_NE(console.out().find("InputSystem : shutdown"), std::string::npos);
    EXPECT_NE(console.out().find("InputSystem : initialize"), std::string::npos);
    EXPECT_EQ(device.installedCallback, &InputSystem::JoystickCallback);
}
