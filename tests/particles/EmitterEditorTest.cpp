#include "particles/ParticleEmitter.h"

#include "engine/GameClock.h"
#include "particles/EmitterArchetypeFile.h"
#include "particles/ParticleTestWorld.h"
#include "support/TestSupport.h"
#include "tools/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace
{
constexpr const char* kWindow = "Editor";

// Widget numbers of a box emitter's editor, in drawing order.
constexpr int kSpawnTypeCombo = 2;
constexpr int kLifespanField = 13;
constexpr int kNameFieldWithoutTexture = 23;

std::string Numbered(const char* label, int number)
{
    return label + std::to_string(number);
}

class ListedTextures : public test::NamedTextureManager
{
public:
    std::vector<std::string> getOpaqueTextureNames() override { return {"Brick", "Stone"}; }
};

class EmitterEditorTest : public ::testing::Test
{
protected:
    EmitterEditorTest()
    {
        emitter.setArchetypeName("Spark");
        emitter.setSpawnRangeX(-1.0f, 1.0f);
        emitter.setSpawnRangeY(-0.5f, 0.5f);
    }

    // The caller's window, as the emitter sandbox draws it.
    test::GuiContext::Draw editorOf(ParticleEmitter& edited)
    {
        return [&edited, this] {
            ImGui::SetNextWindowPos(ImVec2(0.0f, 0.0f));
            ImGui::SetNextWindowSize(ImVec2(1000.0f, 1000.0f));
            ImGui::Begin(kWindow);
            counter = 0;
            edited.drawEditor(&counter);
            ImGui::End();
        };
    }

    bool clickField(const std::string& label, const test::GuiContext::Draw& draw)
    {
        return gui.click(kWindow, {label}, draw);
    }

    test::ParticleWorld world{R"({"Kept": {"Name": "Kept", "Lifespan": 500}})", "EmitterEditor"};
    test::GuiContext gui;
    ParticleEmitter emitter;
    int32_t counter = 0;
};
}

TEST_F(EmitterEditorTest, DrawingFlattensTheOffsetCapsTheColourAndNumbersEveryWidget)
{
    emitter.setPositionOffset(glm::vec3(0.5f, 0.25f, 0.3f));
    emitter.setColor(glm::vec4(-1.0f, 0.0f, 1.0f, 2.0f));
    emitter.setColorDeviation(glm::vec4(-1.0f, 0.0f, 0.0f, 3.0f));
    gui.frame(editorOf(emitter));
    EXPECT_EQ(emitter.getPositionOffset(), glm::vec3(0.5f, 0.25f, 0.0f));
    EXPECT_EQ(emitter.getColor(), glm::vec4(-1.0f, 0.0f, 1.0f, 1.0f)) << "capped above, never lifted from below";
    EXPECT_EQ(emitter.getColorDeviation(), glm::vec4(-1.0f, 0.0f, 0.0f, 1.0f));
    EXPECT_EQ(counter, kNameFieldWithoutTexture + 1);

    ParticleEmitter second;
    int32_t shared = 0;
    gui.frame([&] {
        ImGui::Begin(kWindow);
        emitter.drawEditor(&shared);
        const int32_t afterFirst = shared;
        second.drawEditor(&shared);
        EXPECT_EQ(shared, 2 * afterFirst) << "the second emitter's widgets continue the numbering";
        ImGui::End();
    });
}

TEST_F(EmitterEditorTest, LifespanTypedAsMinusOneNeverRunsOut)
{
    const auto draw = editorOf(emitter);
    ASSERT_TRUE(clickField(Numbered("milliseconds##", kLifespanField), draw));
    gui.type("-1", draw);
    gui.clickNowhere(draw);
    EXPECT_EQ(emitter.getLifespan(), -1);
    world.advanceMs(1000000);
    EXPECT_FALSE(emitter.isExpired());
}

TEST_F(EmitterEditorTest, ChoosingCircleShowsTheRadiusFromTheNextFrame)
{
    const auto draw = editorOf(emitter);
    ASSERT_TRUE(clickField(Numbered("##", kSpawnTypeCombo), draw));
    ASSERT_TRUE(test::GuiContext::shown("##Combo_00"));
    ASSERT_TRUE(gui.click("##Combo_00", {"Circle"}, draw));
    EXPECT_EQ(emitter.getSpawnType(), 1);
    EXPECT_EQ(emitter.getSpawnRangeX(), glm::vec2(-1.0f, 1.0f)) << "the box stays as it was";
    gui.frame(draw);
    EXPECT_EQ(counter, kNameFieldWithoutTexture + 1 - 3) << "one radius field instead of four bounds";
}

// Out-of-range choices and empty lists are drawn without reading outside any list.
TEST_F(EmitterEditorTest, UnknownKindsAndEmptyListsAreDrawnSafely)
{
    emitter.setSpawnType(7);
    emitter.setTexture(Texture{3, static_cast<TextureKind>(9), 1.0f, 1.0f});
    const std::string shown = gui.text(editorOf(emitter));
    EXPECT_EQ(test::CountOccurrences(shown, "Unknown"), 2) << "both combos preview an unknown choice\n" << shown;
    EXPECT_EQ(counter, kNameFieldWithoutTexture + 1 - 4) << "neither the box bounds nor the radius";
    EXPECT_EQ(emitter.getSpawnType(), 7);

    emitter.setTexture(Texture{3, TextureKind::Opaque, 1.0f, 1.0f});
    emitter.setTextureName("Gone");
    gui.frame(editorOf(emitter));
    EXPECT_EQ(emitter.getTextureName(), "Gone") << "no opaque textures to choose from";
    EXPECT_EQ(emitter.getTexture().id, 3u);
}

TEST_F(EmitterEditorTest, AKindWhoseListLacksTheTextureSwitchesToItsFirst)
{
    ListedTextures textures;
    textures.setName(TextureManager::kName);
    Engine other("T", 800, 600, 10000);
    other.makeCurrent();
    other.registerSystem(&textures);
    other.registerSystem(&world.manager);
    emitter.setTexture(Texture{3, TextureKind::Opaque, 1.0f, 1.0f});
    emitter.setTextureName("Gone");
    gui.frame(editorOf(emitter));
    EXPECT_EQ(emitter.getTextureName(), "Brick");
    emitter.setTextureName("Stone");
    gui.frame(editorOf(emitter));
    EXPECT_EQ(emitter.getTextureName(), "Stone") << "a listed texture stays";
    world.engine.makeCurrent();
}

// Only a new name adds the edited emitter; the file then loads back the same emitter.
TEST_F(EmitterEditorTest, ExportUnderANewNameWritesAFileThatLoadsBackEqual)
{
    emitter.setLifespan(750);
    emitter.setArchetypeName("");
    emitter.setColor(glm::vec4(1.0f, 0.5f, 0.0f, 1.0f));
    const auto draw = editorOf(emitter);
    ASSERT_TRUE(clickField(Numbered("64 chars max##", kNameFieldWithoutTexture), draw));
    gui.type("Fresh", draw);
    gui.clickNowhere(draw);
    EXPECT_EQ(emitter.getArchetypeName(), "Fresh");
    ASSERT_TRUE(gui.click(kWindow, {"Export to JSON"}, draw));
    ASSERT_EQ(world.manager.getArchetypes().size(), 2u);

    ParticleManager reloaded;
    reloaded.setArchetypePath(world.archetypePath);
    {
        Engine engine("T", 800, 600, 10000);
        engine.makeCurrent();
        reloaded.setName(ParticleManager::kName);
        engine.registerSystem(&reloaded);
        reloaded.initialize();
        const auto archetypes = reloaded.getArchetypes();
        ASSERT_EQ(archetypes.count("Fresh"), 1u);
        EXPECT_EQ(EmitterRecordToJson(RecordFromEmitter("Fresh", *archetypes.at("Fresh"))),
                  EmitterRecordToJson(RecordFromEmitter("Fresh", emitter)));
        reloaded.shutdown();
    }
    world.engine.makeCurrent();

    emitter.setLifespan(9);
    const std::string before = test::ReadText(world.archetypePath);
    ASSERT_TRUE(gui.click(kWindow, {"Export to JSON"}, draw));
    EXPECT_EQ(world.manager.getArchetypes().at("Fresh")->getLifespan(), 750) << "the name is taken";
    EXPECT_EQ(test::ReadText(world.archetypePath), before);
}

// Root can write anywhere, so the failure is forced by a folder where the temporary file
// would go.
TEST_F(EmitterEditorTest, AFailedExportKeepsTheOldFileAndSaysSo)
{
    const std::string before = test::ReadText(world.archetypePath);
    std::filesystem::create_directories(world.archetypePath + ".tmp");
    emitter.setArchetypeName("Another");
    const auto draw = editorOf(emitter);
    test::ConsoleCapture console;
    ASSERT_TRUE(gui.click(kWindow, {"Export to JSON"}, draw));
    EXPECT_EQ(test::ReadText(world.archetypePath), before);
    EXPECT_NE(console.err().find("could not be written; the old file is kept"), std::string::npos);
    std::filesystem::remove_all(world.archetypePath + ".tmp");
}
