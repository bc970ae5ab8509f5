#include "graphics/AnimationManager.h"
#include "graphics/AnimationSheet.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <limits>

#include <stdexcept>

namespace
{
AnimationSheet FourByTwo()
{
    AnimationSheet sheet(4.0f, 2.0f);
    sheet.addAnimation("R", {3, 2, 50.0f, false});
    sheet.addAnimation("Top", {3, 1, 50.0f, false});
    sheet.addAnimation("Loop", {3, 1, 33.9f, true});
    sheet.addAnimation("Long", {6, 1, 10.0f, true});
    return sheet;
}

std::string WriteSheetFile(const std::string& folder, const std::string& text)
{
    const std::string path = test::ScratchFolder(folder) + "/Animations.json";
    test::WriteText(path, text);
    return path;
}
}

TEST(AnimationSheet, FrameTimesPastTheLongestWaitAreCappedNotWrapped)
{
    AnimationSheet sheet(1.0f, 1.0f);
    sheet.addAnimation("Slow", {1, 1, 1e30f, false});
    sheet.addAnimation("Endless", {1, 1, std::numeric_limits<float>::infinity(), false});
    EXPECT_EQ(sheet.getFrameDuration("Slow"), std::numeric_limits<uint32_t>::max());
    EXPECT_EQ(sheet.getFrameDuration("Endless"), std::numeric_limits<uint32_t>::max());
}

TEST(AnimationSheet, FrameUVPlacesFramesAlongTheStartRowCountedFromTheTop)
{
    const AnimationSheet sheet = FourByTwo();
    EXPECT_EQ(sheet.getFrameUV(0, "R"), glm::vec2(0.0f, 0.0f));
    EXPECT_EQ(sheet.getFrameUV(2, "R"), glm::vec2(0.5f, 0.0f));
    EXPECT_EQ(sheet.getFrameUV(0, "Top"), glm::vec2(0.0f, 0.5f));
    EXPECT_EQ(sheet.getFrameUV(2, "Top"), glm::vec2(0.5f, 0.5f));
    EXPECT_EQ(sheet.getSheetDimensions(), glm::vec2(0.25f, 0.5f));
    // Past a row's width the frame continues one row lower while u keeps cycling.
    EXPECT_EQ(sheet.getFrameUV(5, "Long"), glm::vec2(0.25f, 0.0f));
    EXPECT_EQ(sheet.getFrameUV(1, "missing"), glm::vec2(0.0f, 0.0f));
    // The last start row an int holds, on a frame a row lower: the row sum must not wrap.
    AnimationSheet far(1.0f, 2.0f);
    far.addAnimation("Far", {3, std::numeric_limits<int32_t>::max(), 10.0f, false});
    EXPECT_LT(far.getFrameUV(2, "Far").y, -1e8f);
}

TEST(AnimationSheet, OneShotAnimationsStopAtTheirEnds)
{
    const AnimationSheet sheet = FourByTwo();
    int32_t frame = 0;
    std::vector<int32_t> forward{frame};
    for (int i = 0; i < 3; ++i)
        forward.push_back(frame = sheet.nextFrame(frame, "R"));
    EXPECT_EQ(forward, (std::vector<int32_t>{0, 1, 2, 2}));
    EXPECT_TRUE(sheet.isFinished(2, "R"));
    EXPECT_FALSE(sheet.isFinished(1, "R"));

    std::vector<int32_t> backward{frame};
    for (int i = 0; i < 3; ++i)
        backward.push_back(frame = sheet.previousFrame(frame, "R"));
    EXPECT_EQ(backward, (std::vector<int32_t>{2, 1, 0, 0}));
}

TEST(AnimationSheet, LoopingAnimationsWrapBothWaysAndNeverFinish)
{
    const AnimationSheet sheet = FourByTwo();
    EXPECT_EQ(sheet.nextFrame(2, "Loop"), 0);
    EXPECT_EQ(sheet.previousFrame(0, "Loop"), 2);
    for (int32_t frame = 0; frame < 3; ++frame)
        EXPECT_FALSE(sheet.isFinished(frame, "Loop"));
}

TEST(AnimationSheet, DurationsWrapsAndUnknownNames)
{
    const AnimationSheet sheet = FourByTwo();
    EXPECT_EQ(sheet.getFrameDuration("Loop"), 33u);
    EXPECT_EQ(sheet.getFrameDuration("missing"), 0u);
    EXPECT_EQ(sheet.wrapFrame(7, "R"), 1);
    EXPECT_EQ(sheet.wrapFrame(-1, "R"), -1);
    EXPECT_EQ(sheet.wrapFrame(7, "missing"), 7);
    EXPECT_EQ(sheet.nextFrame(1, "missing"), 0);
    EXPECT_EQ(sheet.previousFrame(1, "missing"), 0);
    EXPECT_FALSE(sheet.isFinished(2, "missing"));
}

TEST(AnimationManager, LoaderAppliesDefaultsAndFirstNameWins)
{
    const std::string path = WriteSheetFile("AnimDefaults", R"({"AnimationSheets": [
        {"Name": "Hero", "Columns": 4, "Rows": 2, "Animations": [
            {"Name": "Plain"},
            {"Name": "Full", "FrameCount": 2.7, "Start Row": 2, "Frame Speed": 40.5, "Looping": true,
             "Rows": 9, "Columns": 9},
            {"Name": "Plain", "FrameCount": 4},
            {"FrameCount": 3},
            17]},
        {"Name": "Hero", "Columns": 1, "Rows": 1},
        {"Columns": 2, "Rows": 2},
        "text",
        {"Name": "Still", "Columns": 1, "Rows": 1, "Animations": null}]})");
    AnimationManager manager;
    test::ConsoleCapture console;
    manager.loadAnimationSheets(path);
    const std::string errors = console.err();
    for (const char* line : {"sheet \"Hero\" animation 3 has no \"Name\"; it is skipped.",
                             "sheet 2 has no \"Name\"; it is skipped.", "sheet 3 holds a string;",
                             "key \"Animations\" is null; a list of animations was expected; it holds no entry."})
        EXPECT_NE(errors.find("File: [" + path + "] " + line), std::string::npos) << line << "\n" << errors;

    EXPECT_EQ(manager.getSheetNames(), (std::vector<std::string>{"Hero", "Still"}));
    const AnimationSheet* hero = manager.getAnimationSheet("Hero");
    EXPECT_EQ(hero->getColumns(), 4.0f);
    ASSERT_EQ(hero->getAnimations().size(), 2u);
    const AnimationInfo plain = hero->getAnimations().at("Plain");
    EXPECT_EQ(plain.frameCount, 1);
    EXPECT_EQ(plain.startRow, 1);
    EXPECT_EQ(plain.frameTime, 1.0f);
    EXPECT_FALSE(plain.looping);
    const AnimationInfo full = hero->getAnimations().at("Full");
    EXPECT_EQ(full.frameCount, 2);
    EXPECT_EQ(full.startRow, 2);
    EXPECT_EQ(full.frameTime, 40.5f);
    EXPECT_TRUE(full.looping);
    manager.shutdown();
}

TEST(AnimationManager, EntriesThatWouldDivideByZeroAreRejectedWithAnErrorLine)
{
    const std::string path = WriteSheetFile("AnimReject", R"({"AnimationSheets": [
        {"Name": "NoColumns", "Rows": 2},
        {"Name": "ZeroRows", "Columns": 2, "Rows": 0},
        {"Name": "Endless", "Columns": 1e64, "Rows": 2},
        {"Name": "Good", "Columns": 2, "Rows": 2, "Animations": [
            {"Name": "Empty", "FrameCount": 0},
            {"Name": "Negative", "FrameCount": -3},
            {"Name": "Fine", "FrameCount": 2}]}]})");
    AnimationManager manager;
    test::ConsoleCapture console;
    manager.loadAnimationSheets(path);
    const std::string errors = console.err();

    EXPECT_EQ(manager.getSheetNames(), (std::vector<std::string>{"Good"}));
    EXPECT_NE(errors.find(path + ": sheet \"NoColumns\" key \"Columns\" is missing or below 1"), std::string::npos);
    EXPECT_NE(errors.find("sheet \"ZeroRows\" key \"Rows\" is missing or below 1"), std::string::npos);
    EXPECT_NE(errors.find("sheet \"Endless\" key \"Columns\" is missing or below 1, or above 8192"), std::string::npos);
    EXPECT_NE(errors.find("animation \"Empty\" key \"FrameCount\" is 0"), std::string::npos);
    EXPECT_NE(errors.find("animation \"Negative\" key \"FrameCount\" is -3"), std::string::npos);
    const AnimationSheet* good = manager.getAnimationSheet("Good");
    EXPECT_FALSE(good->hasAnimation("Empty"));
    EXPECT_TRUE(good->hasAnimation("Fine"));
    manager.shutdown();
}

TEST(AnimationManager, UnreadableAndMalformedFilesStopTheLoadNamingTheFile)
{
    AnimationManager manager;
    {
        test::ConsoleCapture console;
        try
        {
            manager.loadAnimationSheets("no/such/Animations.json");
            FAIL() << "expected std::invalid_argument";
        }
        catch (const std::invalid_argument& error)
        {
            EXPECT_STREQ(error.what(), "File: [no/such/Animations.json] not found.");
        }
        EXPECT_NE(console.err().find("File: [no/such/Animations.json] not found."), std::string::npos);
    }
    const std::string deep = std::string(100000, '[') + std::string(100000, ']');
    const std::pair<std::string, std::string> malformed[] = {
        {"{ not json", "parse_error"},
        {R"({"Sheets": []})", "key \"AnimationSheets\" is missing; a list of sheets was expected."},
        {"[]", "holds an array; an object with \"AnimationSheets\" was expected."},
        {R"({"AnimationSheets": {"A": 1}})", "key \"AnimationSheets\": {\"A\":1} is an object; a list of sheets"},
        {R"({"AnimationSheets": [{"Name": 4}]})", "key \"Name\": 4 is a number; a string was expected."},
        {R"({"AnimationSheets": [{"Name": "A", "Columns": "two", "Rows": 1}]})", "key \"Columns\": \"two\""},
        {R"({"AnimationSheets": [{"Name": "A", "Columns": 1e400, "Rows": 1}]})", "1e400"},
        {R"({"AnimationSheets": )" + deep + "}", "nests deeper"}};
    for (const auto& [text, why] : malformed)
    {
        const std::string path = WriteSheetFile("AnimMalformed", text);
        test::ConsoleCapture console;
        try
        {
            manager.loadAnimationSheets(path);
            FAIL() << "expected an error for " << text;
        }
        catch (const std::runtime_error& error)
        {
            EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
            EXPECT_NE(std::string(error.what()).find(why), std::string::npos) << error.what();
        }
        EXPECT_NE(console.err().find(path), std::string::npos) << text.substr(0, 80);
    }
}

TEST(AnimationManager, LookupFallsBackToDefaultAndTheNullManagerAsksTheRealOne)
{
    const std::string path = WriteSheetFile("AnimLookup", R"({"AnimationSheets": [
        {"Name": "Default", "Columns": 1, "Rows": 1}, {"Name": "Other", "Columns": 2, "Rows": 1}]})");
    AnimationManager* real = AnimationManager::getInstance();
    real->loadAnimationSheets(path);
    AnimationSheet* fallback = real->getAnimationSheet("Default");
    EXPECT_EQ(real->getAnimationSheet("nothing"), fallback);
    EXPECT_NE(real->getAnimationSheet("Other"), fallback);
    EXPECT_EQ(AnimationManagerNull::instance()->getAnimationSheet("Other"), fallback);
    real->shutdown();

    EXPECT_THROW(real->getAnimationSheet("Default"), std::out_of_range);
    // Without the real "Default", the null manager hands out an empty one-cell sheet instead
    // of throwing at callers that build interface buttons with no manager running.
    AnimationSheet* empty = AnimationManagerNull::instance()->getAnimationSheet("DefaultButton");
    EXPECT_FALSE(empty->hasAnimation("DefaultButton"));
    EXPECT_EQ(empty->getSheetDimensions(), glm::vec2(1.0f, 1.0f));
}

TEST(AnimationManager, GameSheetFileHoldsEverySheetTheGameNames)
{
    AnimationManager manager;
    manager.loadAnimationSheets(AnimationManager::kSheetFile);

    const AnimationSheet* fallback = manager.getAnimationSheet("Default");
    EXPECT_EQ(fallback->getSheetDimensions(), glm::vec2(1.0f, 1.0f));

    const AnimationSheet* button = manager.getAnimationSheet("DefaultButton");
    ASSERT_NE(button, fallback);
    // Three looks: normal, hovered, held; the button steps through them by display state.
    EXPECT_EQ(button->wrapFrame(2, "DefaultButton"), 2);
    EXPECT_EQ(button->getFrameUV(2, "DefaultButton").x, button->getSheetDimensions().x * 2.0f);

    for (const char* wipe : {"Transition1", "Transition2", "Transition3"})
    {
        const AnimationSheet* sheet = manager.getAnimationSheet(wipe);
        ASSERT_NE(sheet, fallback) << wipe;
        // The title card shows from frame 78; the wipe must reach it and then stop.
        ASSERT_TRUE(sheet->hasAnimation(wipe));
        EXPECT_GT(sheet->getAnimations().at(wipe).frameCount, 78) << wipe;
        EXPECT_FALSE(sheet->getAnimations().at(wipe).looping) << wipe;
    }

    const AnimationSheet* player = manager.getAnimationSheet("Player");
    ASSERT_NE(player, fallback);
    for (const char* name : {"Land_Left", "Walk_Left", "Jump_Left", "Land_Right", "Walk_Right", "Jump_Right",
                             "IdleLeft", "IdleRight", "DeathLeft", "DeathRight"})
        EXPECT_TRUE(player->hasAnimation(name)) << name;
    // A death must finish so that the player respawns.
    EXPECT_FALSE(player->getAnimations().at("DeathLeft").looping);
    manager.shutdown();
}
