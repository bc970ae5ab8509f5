#include "engine/JsonNumber.h"

#include "audio/SoundJson.h"
#include "gameplay/PlayerControllerSystem.h"
#include "particles/EmitterArchetypeFile.h"
#include "support/TestSupport.h"
#include "world/ArchetypeReader.h"
#include "world/Entity.h"
#include "world/EntityManager.h"
#include "world/StatsComp.h"

#include <gtest/gtest.h>

#include <functional>

using nlohmann::json;

TEST(JsonNumber, FitsOnlyWhatTheFieldCanHold)
{
    // The text, then whether it fits an int32, a uint32, an int64 and a float.
    const std::tuple<const char*, bool, bool, bool, bool> rows[] = {
        {"1e308", 0, 0, 0, 0},        {"-1e308", 0, 0, 0, 0},      {"18446744073709551616", 0, 0, 0, 1},
        {"3.5e38", 0, 0, 0, 0},       {"4294967296", 0, 0, 1, 1},  {"9223372036854775807", 0, 0, 1, 1},
        {"-1", 1, 0, 1, 1},           {"-2147483648.5", 1, 0, 1, 1}, {"2147483647.9", 1, 1, 1, 1},
        {"2147483648.0", 0, 1, 1, 1}, {"true", 1, 1, 1, 1}};
    for (const auto& [text, int32, uint32, int64, real] : rows)
    {
        const json value = json::parse(text);
        EXPECT_EQ(FitNumber<int32_t>(value).has_value(), int32) << text;
        EXPECT_EQ(FitNumber<uint32_t>(value).has_value(), uint32) << text;
        EXPECT_EQ(FitNumber<int64_t>(value).has_value(), int64) << text;
        EXPECT_EQ(FitNumber<float>(value).has_value(), real) << text;
    }
    EXPECT_EQ(FitNumber<int32_t>(json(2147483647.9)), 2147483647) << "a fraction is cut toward zero";
    EXPECT_THROW(FitNumber<float>(json("1")), json::type_error);
}

// One key per loader, given numbers its field cannot hold (2^64 fits a float, so only whole
// fields get it); the default stands and the line names file and key.
TEST(JsonNumber, LoadersRefuseAHugeNumberNamingFileAndKeyAndKeepTheDefault)
{
    const std::string file = test::ScratchFolder("JsonNumber") + "/data.json";
    const auto stats = [&file](const std::string& text) {
        test::WriteText(file, R"([{"name": "P", "StatsComp": )" + text + "}]");
        EntityManager manager;
        ArchetypeReader::read(file, manager);
        Entity* player = manager.cloneArchetype("P");
        const StatsComp stats = *player->getComponent<StatsComp>(StatsComp::kName, StatsCompNull::instance());
        if (!player->isNull())
            delete player;
        manager.shutdown();
        return stats;
    };
    PackageSettings previous;
    previous.throwPower = 2.5f;
    const std::tuple<const char*, double, bool, std::function<double(const json&)>> loaders[] = {
        {"Buffered Jump Max Timing", 100, true, [&](const json& j) { return stats(j.dump()).getBufferedJumpMaxTiming(); }},
        {"Jumping Force", 0.25f, false, [&](const json& j) { return stats(j.dump()).getJumpingForce(); }},
        {"NumParticles", 0, true, [&](json j) { j["Name"] = "E"; const JsonFileScope scope(file); return ParseEmitterRecord(j).numParticles; }},
        {"FootStepVariationVolume", 3, true, [&](const json& j) { return SoundJson::ReadInteger(j, "FootStepVariationVolume", 3, file); }},
        {"throw power", 2.5, false, [&](const json& j) { return PlayerControllerSystem::ReadPackageSettings(j, previous, file).throwPower; }}};
    for (const auto& [key, fallback, whole, read] : loaders)
        for (const std::string number : {"1e308", "-1e308", "18446744073709551616"})
        {
            if (!whole && number == "18446744073709551616")
                continue;
            test::ConsoleCapture console;
            EXPECT_EQ(read(json::parse("{\"" + std::string(key) + "\": " + number + "}")), fallback) << key << " " << number;
            EXPECT_NE(console.err().find("File: [" + file + "] key \"" + key + "\": "), std::string::npos) << key << "\n" << console.err();
        }
}
