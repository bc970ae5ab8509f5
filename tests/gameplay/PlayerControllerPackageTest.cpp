#include "PlayerControllerFixture.h"

#include "engine/JsonFileError.h"
#include "support/TestSupport.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <functional>
#include <stdexcept>

using namespace playertest;

namespace
{
constexpr float kTolerance = 1e-4f;
// The throw power of the shipped package file.
constexpr float kThrowPower = 0.36f;
}

class PlayerControllerPackageTest : public PlayerControllerFixture
{
protected:
    // Aims with the stick for one step; the release in the next step throws.
    void aimAndThrow(float x, float y)
    {
        setAimStick(x, y);
        setAimButton(true);
        step();
        setAimButton(false);
        step();
    }

    // A fresh controller reading its own package file.
    void reloadSettings(const std::string& text)
    {
        const std::string path = test::ScratchFolder("package") + "/package.json";
        test::WriteText(path, text);
        controller.setPackageSettingsPath(path);
        controller.initialize();
    }

    static bool finite(const glm::vec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }
};

TEST_F(PlayerControllerPackageTest, ThrowFollowsTheAimAndNeedsAFreshAimAfterTheCooldown)
{
    Entity* player = standingPlayer();
    Entity* package = entities->getPackage();
    aimAndThrow(0.6f, 0.8f);
    ASSERT_FALSE(controller.isPackageHeld());
    EXPECT_EQ(sound.count("Ridicule"), 1u);
    EXPECT_EQ(sound.count("Throw"), 1u);
    EXPECT_FALSE(package->getFlag("inactive"));
    EXPECT_EQ(textureOf(player), textureId("SpriteNoPackage"));
    EXPECT_FALSE(state().canThrow);
    // Thrown along the stick at the throw power, then one step of gravity and drag.
    const glm::vec3 v = bodyOf(package)->getVelocity();
    EXPECT_NEAR(v.x, 0.6f * kThrowPower * 0.99f, kTolerance);
    EXPECT_NEAR(v.y, 0.8f * kThrowPower - 0.006f, kTolerance);

    // Within 500 ms: no aim, and touching the package does not take it back.
    setAimButton(true);
    step();
    EXPECT_FALSE(state().canThrow);
    EXPECT_FALSE(state().aiming);
    setAimButton(false);
    controller.tryRecollectPackage();
    EXPECT_FALSE(controller.isPackageHeld());
    step(50);
    controller.tryRecollectPackage();
    EXPECT_TRUE(controller.isPackageHeld());
    EXPECT_EQ(sound.count("PackageRecollect"), 1u);
    EXPECT_TRUE(emitterOf(package, "TPBack")->isActive());
    EXPECT_EQ(textureOf(player), textureId("SpritePackage"));

    // The release alone throws nothing: every throw needs an "Aim" press since the last.
    setAimButton(true);
    input.disableAction("Aim");
    step();
    input.enableAction("Aim");
    setAimButton(false);
    step();
    EXPECT_TRUE(controller.isPackageHeld());
    EXPECT_EQ(sound.count("Throw"), 1u);
}

TEST_F(PlayerControllerPackageTest, SummonRecallsAtOnceAndEndsTheCooldown)
{
    standingPlayer();
    aimAndThrow(1.0f, 0.0f);
    ASSERT_FALSE(controller.isPackageHeld());
    device.press(kKeySummon);
    step();
    device.release(kKeySummon);
    EXPECT_TRUE(controller.isPackageHeld());
    EXPECT_EQ(state().lastThrowTime, 0);
    aimAndThrow(1.0f, 0.0f);
    EXPECT_FALSE(controller.isPackageHeld()) << "no cooldown after a summon";
}

TEST_F(PlayerControllerPackageTest, TeleportPutsThePlayerOnThePackageAndTheMarkerWhereItStood)
{
    Entity* player = standingPlayer();
    Entity* package = entities->getPackage();
    Entity* marker = entities->findFirstWithFlag("ptpEntity");
    device.press(kKeyTeleport);
    step();
    device.release(kKeyTeleport);
    input.update();
    EXPECT_EQ(sound.count("Teleport"), 0u) << "no teleport with the package in hand";

    aimAndThrow(1.0f, 0.5f);
    step(30);
    const glm::vec3 from = transformOf(player)->getPosition();
    const glm::vec3 to = transformOf(package)->getPosition();
    device.press(kKeyTeleport);
    input.update();
    device.release(kKeyTeleport);
    EXPECT_EQ(sound.count("Teleport"), 1u);
    EXPECT_EQ(transformOf(player)->getPosition(), to);
    EXPECT_EQ(bodyOf(player)->getVelocity(), glm::vec3(0.0f));
    EXPECT_EQ(transformOf(marker)->getPosition(), from);
    EXPECT_TRUE(emitterOf(marker, "Ptp")->isActive());
    EXPECT_EQ(emitterOf(marker, "Ptp")->getConvergePoint(), to);
    EXPECT_TRUE(emitterOf(player, "Ptp")->isActive());
    EXPECT_TRUE(emitterOf(player, "Ptpe")->isActive());
    EXPECT_TRUE(controller.isPackageHeld());
    EXPECT_EQ(sound.count("PackageRecollect"), 0u) << "taken back silently";
    EXPECT_TRUE(controller.justTeleported());
    step(19);
    EXPECT_TRUE(controller.justTeleported());
    step(2);
    EXPECT_FALSE(controller.justTeleported());
}

TEST_F(PlayerControllerPackageTest, ThrownPackageBurstsOnItsFirstTouchAndTrailsWhileMoving)
{
    standingPlayer();
    Entity* package = entities->getPackage();
    aimAndThrow(0.3f, 1.0f);
    step();
    EXPECT_TRUE(emitterOf(package, "PTrail")->isActive());
    int steps = 0;
    while (!colliderOf(package)->isCollidingDown() && steps++ < 500)
        step();
    EXPECT_EQ(sound.count("PackageImpact"), 1u);
    EXPECT_TRUE(emitterOf(package, "Pack")->isActive());
    step(300);
    EXPECT_EQ(sound.count("PackageImpact"), 1u);
    EXPECT_FALSE(emitterOf(package, "PTrail")->isActive());
}

TEST_F(PlayerControllerPackageTest, PreviewDotsFollowThePathOfAThrowFromThePlayer)
{
    Entity* player = standingPlayer();
    setAimStick(1.0f, 0.0f);
    setAimButton(true);
    step();
    ASSERT_TRUE(state().aiming);
    const std::vector<TransformComp>& dots = controller.getReticleDots();
    ASSERT_EQ(dots.size(), 6u);
    // The package file's 6 dots, 6 steps out, then 3 x index steps apart.
    const glm::vec3 origin = transformOf(player)->getPosition();
    glm::vec2 v(kThrowPower, 0.0f);
    glm::vec2 offset(0.0f);
    int taken = 0;
    for (size_t j = 0; j < dots.size(); ++j)
    {
        const int due = 6 + 3 * static_cast<int>(j * (j + 1) / 2);
        for (; taken < due; ++taken)
        {
            v.y += -0.006f;
            v.x *= 0.99f;
            offset += v;
        }
        EXPECT_NEAR(dots[j].getPosition().x, origin.x + offset.x, kTolerance) << j;
        EXPECT_NEAR(dots[j].getPosition().y, origin.y + offset.y, kTolerance) << j;
        EXPECT_FLOAT_EQ(dots[j].getScale().x, 0.3f);
    }
}

// A resting stick has no direction: no preview, no dots, no throw, and no NaN anywhere.
TEST_F(PlayerControllerPackageTest, AimWithoutADirectionShowsNothingAndThrowsNothing)
{
    standingPlayer();
    setAimStick(0.0f, 0.0f);
    device.setPadButton(0, 0, true);
    step();
    device.setPadButton(0, 0, false);
    ASSERT_TRUE(input.isControllerActive());
    setAimButton(true);
    step();
    ASSERT_TRUE(state().aiming);
    EXPECT_TRUE(state().aimWithoutDirection);
    EXPECT_TRUE(finite(state().throwVelocity));
    for (const TransformComp& dot : controller.getReticleDots())
        EXPECT_EQ(dot.getPosition(), glm::vec3(0.0f));
    setAimButton(false);
    step();
    EXPECT_TRUE(controller.isPackageHeld());
    EXPECT_EQ(sound.count("Throw"), 0u);

    // With a direction again, the same aim throws.
    setAimStick(0.0f, 1.0f);
    aimAndThrow(0.0f, 1.0f);
    EXPECT_FALSE(controller.isPackageHeld());
}

// Switching "offAim" off while aiming would lose its release: the aim ends there and then.
TEST_F(PlayerControllerPackageTest, SwitchingTheAimReleaseOffEndsTheAim)
{
    const std::vector<std::pair<const char*, std::function<void(PlayerControllerSystem&)>>> cases = {
        {"controls off", [](PlayerControllerSystem&) { DisablePlayerControls(); }},
        {"package off", [](PlayerControllerSystem& c) { c.onNotify(nullptr, EVENT_DISABLEPACKAGE); }},
        {"pause", [](PlayerControllerSystem& c) { c.setPaused(true); }},
    };
    for (const auto& [name, switchOff] : cases)
    {
        standingPlayer();
        setAimStick(1.0f, 0.0f);
        setAimButton(true);
        step();
        ASSERT_TRUE(state().aiming) << name;
        switchOff(controller);
        EXPECT_FALSE(state().aiming) << name;
        EXPECT_FALSE(state().canThrow) << name;
        setAimButton(false);
        step();
        controller.setPaused(false);
        EnablePlayerControls();
        controller.onNotify(nullptr, EVENT_ENABLEPACKAGE);
        step();
        EXPECT_TRUE(controller.isPackageHeld()) << name;
        EXPECT_EQ(sound.count("Throw"), 0u) << name;
        entities->clearActive();
    }
}

TEST_F(PlayerControllerPackageTest, DotsAreTheWholePartOfTheCountAndEveryLoopStaysInsideThem)
{
    struct Case
    {
        const char* count;
        size_t dots;
    };
    for (const Case c : {Case{"2.5", 2u}, Case{"0", 0u}, Case{"-3", 0u}, Case{"1e9", 64u}})
    {
        reloadSettings(std::string(R"({"ridicule numbers": )") + c.count + "}");
        EXPECT_EQ(controller.getReticleDots().size(), c.dots) << c.count;
        standingPlayer();
        setAimStick(1.0f, 0.0f);
        setAimButton(true);
        step(3);
        setAimButton(false);
        step();
        entities->clearActive();
    }
}

TEST_F(PlayerControllerPackageTest, PackageFileKeepsMissingKeysAndRejectsWrongTypes)
{
    PackageSettings previous;
    previous.throwPower = 0.7f;
    previous.reticleTexture = "Old";
    const nlohmann::json partial = nlohmann::json::parse(R"({"ridicule size": 2, "ridicule numbers": 3.5})");
    const PackageSettings read = PlayerControllerSystem::ReadPackageSettings(partial, previous, "p.json");
    EXPECT_FLOAT_EQ(read.throwPower, 0.7f);
    EXPECT_EQ(read.reticleTexture, "Old");
    EXPECT_FLOAT_EQ(read.reticleSize, 2.0f);
    EXPECT_FLOAT_EQ(read.reticleCount, 3.5f);

    {
        test::ConsoleCapture console;
        const PackageSettings notObject =
            PlayerControllerSystem::ReadPackageSettings(nlohmann::json::array(), previous, "p.json");
        EXPECT_FLOAT_EQ(notObject.throwPower, 0.7f);
        EXPECT_EQ(console.err(), "ERROR! : File: [p.json] holds an array; an object of package settings was "
                                 "expected; the defaults stand.\n");
    }

    const std::string path = test::ScratchFolder("wrong") + "/package.json";
    test::WriteText(path, R"({"ridicule texture": 5})");
    controller.setPackageSettingsPath(path);
    test::ConsoleCapture console;
    EXPECT_THROW(controller.loadPackageSettings(), JsonFileError) << "a number is not a texture name";
    EXPECT_EQ(console.err(),
              "ERROR! : File: [" + path + R"(] key "ridicule texture": 5 is a number; a string was expected.)" "\n");
}

TEST_F(PlayerControllerPackageTest, BrokenDeepOrHugePackageFilesStopStartUpNamingTheFile)
{
    const std::string path = test::ScratchFolder("hostile") + "/package.json";
    controller.setPackageSettingsPath(path);
    for (const std::string& text : {std::string("{\"throw power\": "), std::string(R"({"throw power": 1e400})"),
                                    R"({"x": )" + std::string(100000, '[') + std::string(100000, ']') + "}"})
    {
        test::WriteText(path, text);
        test::ConsoleCapture console;
        EXPECT_THROW(controller.loadPackageSettings(), JsonFileError);
        EXPECT_NE(console.err().find("ERROR! : File: [" + path + "]"), std::string::npos) << console.err();
    }
}

TEST_F(PlayerControllerPackageTest, MissingPackageFileStopsStartUp)
{
    controller.setPackageSettingsPath("no/such/package.json");
    test::ConsoleCapture console;
    EXPECT_THROW(controller.loadPackageSettings(), std::invalid_argument);
    EXPECT_NE(console.err().find("File: [no/such/package.json] not found."), std::string::npos);
}
