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
    // Whether the number fits an int32, a uint32, an int64 and a float.
    const struct
    {
        const char* text;
        bool int32, uint32, int64, real;
    } rows[] = {
        {"1e308", false, false, false, false},           {"-1e308", false, false, false, false},
        {"18446744073709551616", false, false, false, true}, {"3.5e38", false, false, false, false},
        {"9223372036854775807", false, false, true, true}, {"4294967296", false, false, true, true},
        {"-1", true, false, true, true},                 {"-2147483648.5", true, false, true, true},
        {"2147483647.9", true, true, true, true},         {"2147483648.0", false, true, true, true},
        {"true", true, true, true, true},
    };
    for (const auto& row : rows)
    {
        const json value = json::parse(row.text);
        EXPECT_EQ(FitNumber<int32_t>(value).has_value(), row.int32) << row.text;
        EXPECT_EQ(FitNumber<uint32_t>(value).has_value(), row.uint32) << row.text;
        EXPECT_EQ(FitNumber<int64_t>(value).has_value(), row.int64) << row.text;
        EXPECT_EQ(FitNumber<float>(value).has_value(), row.real) << row.text;
    }
    EXPECT_EQ(FitNumber<int32_t>(json(2147483647.9)), 2147483647) << "a fraction is cut toward zero";
    EXPECT_THROW(FitNumber<float>(json("1")), json::type_error);
}

// One representative key per loader, each given numbers its field cannot hold: 2^64 fits a
// float but no whole-number field.
TEST(JsonNumber, LoadersRefuseAHugeNumberNamingFileAndKeyAndKeepTheDefault)
{
    const std::string file = test::ScratchFolder("JsonNumber") + "/data.json";
    const auto statOf = [&file](const std::string& key, const std::string& number, auto get) {
        test::WriteText(file, R"([{"name": "P", "StatsComp": {")" + key + "\": " + number + "}}]");
        EntityManager manager;
        ArchetypeReader::read(file, manager);
        const double read = get(*manager.cloneArchetype("P")->getComponent<StatsComp>(StatsComp::kName, StatsCompNull::instance()));
        manager.shutdown();
        return read;
    };
    const struct
    {
        const char* key;
        double fallback;
        bool whole;
        std::function<double(const std::string&)> read;
    } loaders[] = {
        {"Buffered Jump Max Timing", 100, true,
         [&](const std::string& n) { return statOf("Buffered Jump Max Timing", n, [](StatsComp& s) { return s.getBufferedJumpMaxTiming(); }); }},
        {"Jumping Force", 0.25f, false,
         [&](const std::string& n) { return statOf("Jumping Force", n, [](StatsComp& s) { return s.getJumpingForce(); }); }},
        {"NumParticles", 0, true,
         [&](const std::string& n) {
             const JsonFileScope scope(file);
             return ParseEmitterRecord(json::parse(R"({"Name": "E", "NumParticles": )" + n + "}")).numParticles;
         }},
        {"FootStepVariationVolume", 3, true,
         [&](const std::string& n) { return SoundJson::ReadInteger(json::parse(R"({"FootStepVariationVolume": )" + n + "}"), "FootStepVariationVolume", 3, file); }},
        {"throw power", 2.5, false,
         [&](const std::string& n) {
             PackageSettings previous;
             previous.throwPower = 2.5f;
             return PlayerControllerSystem::ReadPackageSettings(json::parse(R"({"throw power": )" + n + "}"), previous, file).throwPower;
         }},
    };
    for (const auto& loader : loaders)
        for (const std::string number : {"1e308", "-1e308", "18446744073709551616"})
        {
            if (!loader.whole && number == "18446744073709551616")
                continue;
            test::ConsoleCapture console;
            EXPECT_EQ(loader.read(number), loader.fallback) << loader.key << " " << number;
            EXPECT_NE(console.err().find("File: [" + file + "] key \"" + loader.key + "\": "), std::string::npos)
                << loader.key << " " << number << "\n" << console.err();
        }
}
