#include "particles/EmitterArchetypeFile.h"

#include "engine/Engine.h"
#include "particles/ParticleEmitter.h"
#include "particles/ParticleTestWorld.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <utility>
#include <vector>

namespace
{
using test::ParticleWorld;

ParticleEmitter* Archetype(ParticleWorld& world, const std::string& name)
{
    const auto archetypes = world.manager.getArchetypes();
    const auto found = archetypes.find(name);
    return found == archetypes.end() ? nullptr : found->second;
}

// Loads the text as the archetype file of a fresh world and returns what the log said.
std::string ErrorsOfLoading(ParticleWorld& world, const std::string& text)
{
    test::WriteText(world.archetypePath, text);
    test::ConsoleCapture console;
    world.manager.restart();
    return console.err();
}

const char* const kSparkText = R"({
    "Spark": {
        "Acceleration": {
            "x": 0.0,
            "y": 0.0,
            "z": 0
        },
        "BaseParticleScale": {
            "x": 0.0,
            "y": 0.0,
            "z": 0.0
        },
        "Color": {
            "a": 1.0,
            "b": 0.0,
            "g": 0.5,
            "r": 1.0
        },
        "ColorDeviation": {
            "a": 0.0,
            "b": 0.0,
            "g": 0.0,
            "r": 0.0
        },
        "Flags": [
            "converge",
            "firewall"
        ],
        "Lifespan": 18446744073709551615,
        "Loop": true,
        "LoopDelay": 0,
        "LoopDelayDeviation": 0,
        "Name": "Spark",
        "NumComplexParticles": 0,
        "NumParticles": 3,
        "ParticleLifespan": 1000,
        "ParticleLifespanDeviation": 0,
        "ParticleScaleDev": {
            "x": 0.0,
            "y": 0.0,
            "z": 0.0
        },
        "PositionOffset": {
            "x": 0.0,
            "y": 0.0,
            "z": 0.0
        },
        "SpawnRange": {
            "Radius": 0.0,
            "Type": 0,
            "x+": 0.0,
            "x-": 0.0,
            "y+": 0.0,
            "y-": 0.0
        },
        "Texture": "Spark",
        "TransformComp": {
            "Position": {
                "x": 0,
                "y": 0,
                "z": 0
            }
        },
        "UseDensity": false,
        "Velocity": {
            "x": 0.10000000149011612,
            "y": 0.0,
            "z": 0.0
        },
        "VelocityDeviation": {
            "x": 0.0,
            "y": 0.0,
            "z": 0
        }
    }
})";
}

TEST(EmitterArchetypeFile, WriterProducesTheExactText)
{
    ParticleWorld world(R"({"anything": {"Name": "Spark", "NumParticles": 3, "Lifespan": -1,
        "Velocity": {"x": 0.1}, "Color": {"r": 1, "g": 0.5, "a": 1}, "Texture": "Spark",
        "Flags": ["firewall", "converge"]}})");
    ASSERT_NE(Archetype(world, "Spark"), nullptr);
    Archetype(world, "Spark")->exportToJson();
    EXPECT_EQ(test::ReadText(world.archetypePath), kSparkText);
    EXPECT_FALSE(std::filesystem::exists(world.archetypePath + ".tmp"));
}

TEST(EmitterArchetypeFile, ExportingNothingWritesNullWhichReadsAsNothing)
{
    ParticleWorld world("[]");
    ParticleEmitterNull::instance()->exportToJson();
    EXPECT_EQ(test::ReadText(world.archetypePath), "[]") << "the null emitter exports nothing";
    ParticleEmitter emitter;
    emitter.exportToJson();
    EXPECT_EQ(test::ReadText(world.archetypePath), "null");
    EXPECT_EQ(ErrorsOfLoading(world, "null"),
              "ERROR! : File: [" + world.archetypePath + "] holds no particle emitters.\n");
    EXPECT_TRUE(world.manager.getArchetypes().empty());
}

TEST(EmitterArchetypeFile, RoundTripFillsEveryKeyAndKeepsTheValues)
{
    ParticleWorld world(R"([{"Name": "Goal", "LoopDelay": 250, "Lifespan": 1.8446744073709552e19,
        "ParticleLifespanDeviation": 40.9, "SpawnRange": {"Type": 1, "Radius": 0.75},
        "TransformComp": {"Position": {"x": 4, "y": 5}}, "Acceleration": {"z": 3}, "Unknown": 1}])");
    ParticleEmitter* goal = Archetype(world, "Goal");
    ASSERT_NE(goal, nullptr);
    EXPECT_EQ(goal->getLifespan(), -1) << "a float of 2^64 reads as never expiring";
    EXPECT_EQ(goal->getParticleLifespanDeviation(), 40);
    EXPECT_EQ(goal->getSpawnType(), 1);
    EXPECT_FLOAT_EQ(goal->getRadius(), 0.75f);
    EXPECT_EQ(goal->getPosition(), glm::vec3(4.0f, 5.0f, 0.0f));
    EXPECT_EQ(goal->getAcceleration(), glm::vec3(0.0f, 0.0f, 3.0f));

    goal->exportToJson();
    const nlohmann::json written = nlohmann::json::parse(test::ReadText(world.archetypePath));
    const nlohmann::json& entry = written.at("Goal");
    EXPECT_EQ(entry.size(), 21u) << "every key but Texture";
    EXPECT_EQ(entry.at("Lifespan").get<uint64_t>(), UINT64_MAX);
    EXPECT_EQ(entry.at("LoopDelay"), 250);
    EXPECT_EQ(entry.at("TransformComp").dump(), R"({"Position":{"x":0,"y":0,"z":0}})");
    EXPECT_EQ(entry.at("Acceleration").at("z"), 0);
    EXPECT_TRUE(entry.at("Flags").is_null());
    EXPECT_FALSE(entry.contains("Texture")) << "no texture, no key";
    EXPECT_FALSE(entry.contains("Unknown"));

    EXPECT_EQ(ErrorsOfLoading(world, test::ReadText(world.archetypePath)), "");
    EXPECT_EQ(Archetype(world, "Goal")->getLifespan(), -1);
    EXPECT_EQ(Archetype(world, "Goal")->getLoopDelay(), 250);
}

TEST(EmitterArchetypeFile, AbsentKeysKeepConstructorValuesAndGroupsDefaultToZero)
{
    ParticleWorld world(R"({"x": {"Name": "Bare"}, "y": {"Name": "Grouped", "Velocity": {"x": 0.5},
        "Color": {"g": 1}, "SpawnRange": {}, "BaseParticleScale": 7, "Flags": {}}})");
    ParticleEmitter* bare = Archetype(world, "Bare");
    ASSERT_NE(bare, nullptr);
    EXPECT_EQ(bare->getColor(), glm::vec4(1.0f, 0.0f, 0.0f, 1.0f));
    EXPECT_EQ(bare->getParticleLifespan(), 1000);
    EXPECT_TRUE(bare->getLoop());
    EXPECT_EQ(bare->getTextureName(), "Null");

    ParticleEmitter* grouped = Archetype(world, "Grouped");
    ASSERT_NE(grouped, nullptr);
    EXPECT_EQ(grouped->getVelocity(), glm::vec3(0.5f, 0.0f, 0.0f));
    EXPECT_EQ(grouped->getColor(), glm::vec4(0.0f, 1.0f, 0.0f, 0.0f));
    EXPECT_EQ(grouped->getSpawnRangeX(), glm::vec2(0.0f));
    EXPECT_EQ(grouped->getSpawnType(), 0);
    EXPECT_EQ(grouped->getRadius(), 0.0f);
    EXPECT_EQ(grouped->getBaseParticleScale(), glm::vec3(0.0f)) << "a group that is not an object";
    EXPECT_TRUE(grouped->getFlags().empty());
}

// A group of another kind still reads as one without components (see the test above), but is
// named.
TEST(EmitterArchetypeFile, AGroupOfAnotherKindIsNamedAndReadsAsZeros)
{
    ParticleWorld world;
    const std::pair<const char*, const char*> groups[] = {
        {R"("Color": "red")", R"(key "Color": "red" is a string)"},
        {R"("Velocity": 5)", R"(key "Velocity": 5 is a number)"},
        {R"("SpawnRange": null)", R"(key "SpawnRange" is null)"},
        {R"("TransformComp": {"Position": [1]})", R"(key "TransformComp.Position": [1] is an array)"}};
    for (const auto& [group, line] : groups)
    {
        const std::string errors = ErrorsOfLoading(world, std::string(R"([{"Name": "Odd", )") + group + "}]");
        EXPECT_EQ(errors, "ERROR! : File: [" + world.archetypePath + "] " + line + "; an object was expected.\n");
        EXPECT_NE(Archetype(world, "Odd"), nullptr) << group;
    }
}

TEST(EmitterArchetypeFile, ValueFormsOfNumbersAndBooleans)
{
    ParticleWorld world(R"([{"Name": "Forms", "NumParticles": true, "NumComplexParticles": 2.9,
        "LoopDelay": 18446744073709551615, "VelocityDeviation": {"x": true, "y": 0.25, "z": 1},
        "SpawnRange": {"Type": 2.7}}])");
    ParticleEmitter* forms = Archetype(world, "Forms");
    ASSERT_NE(forms, nullptr);
    EXPECT_EQ(forms->getNumParticles(), 1);
    EXPECT_EQ(forms->getNumComplexParticles(), 2);
    EXPECT_EQ(forms->getLoopDelay(), -1);
    EXPECT_EQ(forms->getVelocityDeviationX(), 1.0f);
    EXPECT_EQ(forms->getVelocityDeviationY(), 0.25f);
    EXPECT_EQ(forms->getSpawnType(), 2);
}

TEST(EmitterArchetypeFile, TextureNamesResolveThroughTheTextureManager)
{
    ParticleWorld world(R"([{"Name": "Lit", "Texture": "Spark"}, {"Name": "Odd", "Texture": "Nowhere"}])");
    EXPECT_EQ(Archetype(world, "Lit")->getTexture().id, 7u);
    EXPECT_EQ(Archetype(world, "Lit")->getTextureName(), "Spark");
    EXPECT_EQ(Archetype(world, "Odd")->getTexture().id, 1u) << "the manager's fallback";
    EXPECT_EQ(Archetype(world, "Odd")->getTextureName(), "Nowhere");
}

TEST(EmitterArchetypeFile, EntriesRegisterInFileOrderAndTheFirstNameWins)
{
    ParticleWorld world(R"({"b": {"Name": "Same", "NumParticles": 2}, "a": {"Name": "Same", "NumParticles": 1}})");
    EXPECT_EQ(Archetype(world, "Same")->getNumParticles(), 1) << "object values are read in key order";
    EXPECT_EQ(ErrorsOfLoading(world, R"([{"Name": "Same", "NumParticles": 5}, {"Name": "Same"}])"), "");
    EXPECT_EQ(Archetype(world, "Same")->getNumParticles(), 5);
}

TEST(EmitterArchetypeFile, MalformedFileIsLoggedAndKeepsTheEntriesBeforeTheBadOne)
{
    ParticleWorld world;
    const std::string failure = "ERROR! : Failed to parse file, " + world.archetypePath + "\n";
    const std::string stopLine = failure + "ERROR! : File: [" + world.archetypePath + "] ";
    // Each bad entry, and what the line after the failure says of it.
    const std::vector<std::pair<std::string, std::string>> badEntries = {
        {R"({"Loop": 1})", R"(key "Loop": 1 is a number; true or false was expected.)"},
        {R"({"UseDensity": "yes"})", R"(key "UseDensity": "yes" is a string; true or false was expected.)"},
        {R"({"Lifespan": true})", R"(key "Lifespan": true is a boolean; a whole number of milliseconds was expected.)"},
        {R"({"SpawnRange": {"Type": false}})", R"(key "SpawnRange.Type": false is a boolean; a number was expected.)"},
        {R"({"TransformComp": {"Where": 1}})", R"(key "TransformComp.Position" is missing; a position was expected.)"},
        {R"({"TransformComp": 3})",
         R"(key "TransformComp": 3 is a number; an object holding "Position" was expected.)"},
        {R"({"Velocity": {"x": "fast"}})", R"(key "Velocity.x": "fast" is a string; a number was expected.)"},
        {R"({"VelocityDeviation": {"z": "deep"}})",
         R"(key "VelocityDeviation.z": "deep" is a string; a number was expected.)"},
        {R"({"Texture": 3})", R"(key "Texture": 3 is a number; a string was expected.)"},
        {R"({"Flags": {"converge": true}})",
         R"(key "Flags": {"converge":true} is an object; null or a list of flag names was expected.)"},
        {R"({"Flags": [1]})", R"(key "Flags": 1 is a number; a string was expected.)"},
        {R"({"Flags": "converge"})",
         R"(key "Flags": "converge" is a string; null or a list of flag names was expected.)"},
        {R"({"NumParticles": null})", R"(key "NumParticles" is null; a number was expected.)"},
    };
    for (const auto& [bad, line] : badEntries)
    {
        std::string entry = bad;
        entry.insert(1, R"("Name": "Bad", )");
        const std::string text = R"([{"Name": "Good"}, )" + entry + R"(, {"Name": "Later"}])";
        const std::string errors = ErrorsOfLoading(world, text);
        EXPECT_EQ(errors, stopLine + line + "\n") << bad;
        EXPECT_NE(Archetype(world, "Good"), nullptr) << bad;
        EXPECT_EQ(Archetype(world, "Bad"), nullptr) << bad;
        EXPECT_EQ(Archetype(world, "Later"), nullptr) << bad;
    }

    // Whole files, and the start of the line after the failure.
    const std::vector<std::pair<std::string, std::string>> badFiles = {
        {R"([{"Name": "Good"}, {"NoName": 1}])", R"(key "Name" is missing; a string was expected.)"},
        {R"([{"Name": "Good"}, {"Name": 5}])", R"(key "Name": 5 is a number; a string was expected.)"},
        {R"([{"Name": "Good"}, 7])",
         "entry 1 holds a number; an emitter object was expected; it and the entries after it are not loaded."},
        {R"({"a": {"Name": "Good"}, "b": [7]})",
         R"(entry "b" holds an array; an emitter object was expected; it and the entries after it are not loaded.)"},
        {"5", "holds a number; an object or a list of particle emitters was expected; none is loaded."},
        {R"([{"Name": "Good"}] trailing)", ""}, {"// comment\n[]", ""}, {"[{\"Name\": ", ""}};
    for (const auto& [text, line] : badFiles)
        EXPECT_EQ(ErrorsOfLoading(world, text).rfind(stopLine + line, 0), 0u) << text;
}

TEST(EmitterArchetypeFile, MissingOrEmptyFileRegistersNothingAndSaysSo)
{
    ParticleWorld world;
    std::filesystem::remove(world.archetypePath);
    {
        test::ConsoleCapture console;
        world.manager.restart();
        EXPECT_NE(console.err().find("File: [" + world.archetypePath + "] not found"), std::string::npos);
    }
    EXPECT_TRUE(world.manager.getArchetypes().empty());
    for (const char* empty : {"[]", "{}", "null"})
    {
        test::WriteText(world.archetypePath, empty);
        test::ConsoleCapture console;
        world.manager.restart();
        EXPECT_EQ(console.err(), "ERROR! : File: [" + world.archetypePath + "] holds no particle emitters.\n")
            << empty;
    }
}

// Hostile nesting inside an entry and numbers past double range are refused at parse time,
// naming the file, without overflowing the stack.
TEST(EmitterArchetypeFile, DeepNestingAndHugeNumbersAreRefusedNamingTheFile)
{
    ParticleWorld world;
    const std::string deep = std::string(100000, '[') + std::string(100000, ']');
    for (const std::string& text : {R"([{"Name": "Deep", "Extra": )" + deep + "}]",
                                    std::string(R"([{"Name": "Huge", "Lifespan": 1e400}])")})
    {
        const std::string errors = ErrorsOfLoading(world, text);
        EXPECT_NE(errors.find("Failed to parse file, " + world.archetypePath), std::string::npos);
        EXPECT_NE(errors.find("File: [" + world.archetypePath + "]"), std::string::npos) << errors;
        EXPECT_TRUE(world.manager.getArchetypes().empty());
    }
    // 64 levels in all, counting the list and the entry.
    const std::string sixtyFour = std::string(62, '[') + std::string(62, ']');
    EXPECT_EQ(ErrorsOfLoading(world, R"([{"Name": "Fine", "Extra": )" + sixtyFour + "}]"), "");
}

TEST(EmitterArchetypeFile, UnwritableFileIsLeftAlone)
{
    ParticleWorld world(R"([{"Name": "Kept"}])");
    world.manager.setArchetypePath(world.folder + "/missing/folder/ParticleEmitter.json");
    test::ConsoleCapture console;
    EXPECT_FALSE(Archetype(world, "Kept")->exportToJson());
    EXPECT_NE(console.err().find("could not be written; the old file is kept"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(world.folder + "/missing"));
    EXPECT_EQ(world.manager.getArchetypes().size(), 1u);
}

TEST(EmitterArchetypeFile, WriterNeverEmitsInvalidUtf8)
{
    ParticleWorld world;
    ParticleEmitter emitter;
    world.manager.registerArchetype("Bad\xC3", &emitter);
    emitter.exportToJson();
    const std::string text = test::ReadText(world.archetypePath);
    EXPECT_NE(text.find("Bad\xEF\xBF\xBD"), std::string::npos) << "the broken byte becomes U+FFFD";
    EXPECT_NO_THROW(nlohmann::json::parse(text));
}

TEST(EmitterArchetypeFile, ExportWithoutARunningParticleSystemLeavesTheFileAlone)
{
    const std::string before = test::ReadText("assets/ParticleEmitter.json");
    ASSERT_EQ(Engine::current(), nullptr);
    test::ConsoleCapture console;
    ParticleEmitter emitter;
    emitter.exportToJson();
    EXPECT_EQ(test::ReadText("assets/ParticleEmitter.json"), before);
    EXPECT_NE(console.err().find("Emitter export skipped"), std::string::npos);
}
