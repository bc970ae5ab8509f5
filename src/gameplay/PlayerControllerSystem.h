#pragma once
// Drives the player: turns input actions into movement, jumps (with a jump buffer and coyote
// time), dashes on limited charges, the package's aim, throw, recall and teleport, death
// below the kill plane and respawn at the last checkpoint, the win at a goal and the level
// switch five seconds later through a screen wipe. It reaches the player and package
// entities only through their components, and every other system by name.

#include "audio/SoundReceipt.h"
#include "engine/IEngineSystem.h"
#include "engine/Observer.h"
#include "input/InputEvent.h"
#include "world/TransformComp.h"

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>
#include <nlohmann/json_fwd.hpp>

#include <cstdint>
#include <string>
#include <vector>

class AnimationComp;
class ColliderComp;
class EmitterListComp;
class Entity;
class PhysicsComp;
class StatsComp;

// The tunables of "assets/package.json". A key the file lacks keeps the value it had.
struct PackageSettings
{
    float throwPower = 0.0f;
    // Simulation steps between preview dots (times the dot's index) and before the first.
    float reticleSpacing = 0.0f;
    float reticleDistance = 0.0f;
    // Compared as a float; the dots that exist are its whole part.
    float reticleCount = 0.0f;
    float reticleSize = 0.0f;
    std::string reticleTexture;
};

// The player's rule state: one set for the program, kept by the one controller.
struct PlayerState
{
    bool godMode = false;
    bool noClip = false;
    bool jumpQueued = false;
    // This step's horizontal input: -1 per "MoveLeft", +1 per "MoveRight".
    int32_t inputDirection = 0;
    // Game-clock milliseconds; 0 means "none".
    int64_t jumpPressTime = 0;
    int64_t dashPressTime = 0;
    int64_t dashStartTime = 0;
    int64_t dashRechargeTime = 0;
    int32_t dashDirection = 0;
    int32_t dashCharges = 0;
    bool dashing = false;
    bool dashAnimationLock = false;
    bool packageHeld = false;
    bool dying = false;
    bool aiming = false;
    bool canThrow = false;
    // 1 after moving right, -1 after moving left, 0 before either.
    int32_t facing = 0;
    bool wasGrounded = false;
    bool packageWasTouching = false;
    bool levelEndPending = false;
    int64_t levelEndTime = 0;
    int64_t levelStartTime = 0;
    int64_t pauseStartTime = 0;
    int64_t lastThrowTime = 0;
    glm::vec3 throwVelocity{0.0f};
    // The last aim had no direction (a resting stick, the cursor on the player): no
    // preview, no dots and no throw until a direction comes back.
    bool aimWithoutDirection = false;
    glm::vec3 gamepadAim{0.0f};
    SoundReceipt aimSound;
    SoundReceipt runSound;
    std::string pendingScene;
    std::string lastTeleportInput;
    std::string lastThrowInput;
    bool teleportThrowGuard = false;
};

// The parts of an entity the controller drives, each its null object when missing.
struct DrivenParts
{
    explicit DrivenParts(Entity* owner);
    Entity* entity;
    TransformComp* transform;
    PhysicsComp* body;
    ColliderComp* collider;
    StatsComp* stats;
    AnimationComp* animation;
    EmitterListComp* emitters;
};

class PlayerControllerSystem : public IEngineSystem, public Observer
{
public:
    static constexpr const char* kName = "PlayerControllerSystem";
    static constexpr const char* kObserverName = "PlayerController";
    static constexpr const char* kPackageSettingsFile = "assets/package.json";
    static constexpr int32_t kThrowCooldownMs = 500;
    // The player floats free of gravity this long after a teleport.
    static constexpr int32_t kTeleportFloatMs = 200;
    static constexpr int64_t kLevelSwitchDelayMs = 5000;
    // Bounds that keep a mistyped tunables file from stalling every step.
    static constexpr float kMaxReticleDots = 64.0f;
    static constexpr float kMaxPreviewSteps = 1000.0f;
    static PlayerControllerSystem* getInstance();

    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;
    void onPause() override;
    void onResume() override;
    void onNotify(void* payload, int32_t eventId) override;

    virtual void resetPlayer();
    virtual void respawn();
    virtual bool getGodMode() const;
    virtual void setGodMode(bool on);
    virtual bool getNoClip() const;
    virtual void setNoClip(bool on);
    virtual void tryRecollectPackage();
    virtual void recollectPackage(bool effects);
    virtual void throwPackage(glm::vec2 velocity);
    virtual bool isPackageHeld() const;
    virtual void loadPackageSettings();
    virtual bool isDashing() const;
    virtual void winLevel(Entity* goal);
    virtual void startLevelTimer();
    virtual void printCompletionTime();
    virtual bool justTeleported() const;
    virtual void setupLevelEmitters();
    // While set (comic, win, wipe), nothing but EnablePlayerControls turns the controls on.
    virtual bool areControlsDisabled() const;

    // Read-only views for the developer windows and the tests.
    const PlayerState& getState() const { return state; }
    const PackageSettings& getPackageSettings() const { return settings; }
    const std::vector<TransformComp>& getReticleDots() const { return reticleDots; }
    const std::string& getNextScene() const { return nextScene; }
    // The file loadPackageSettings reads; tests point it at their own.
    void setPackageSettingsPath(const std::string& path) { packageSettingsPath = path; }

    // Reads the keys of the package file present in root over `previous`; out-of-range
    // dot counts and step counts are logged and bounded. A root that is not an object is
    // logged and keeps `previous`; a value of the wrong kind throws JsonFileError.
    static PackageSettings ReadPackageSettings(const nlohmann::json& root, PackageSettings previous,
                                               const std::string& file);

private:
    friend void DisablePlayerControls();
    friend void EnablePlayerControls();
    using Handler = void (PlayerControllerSystem::*)(const InputEvent&);
    // The plain callback the input system keeps: forwards to the registered controller.
    template <Handler handler>
    static void Dispatch(InputEvent event);
    static PlayerControllerSystem* Registered();

    // Movement (PlayerControllerSystem_Movement.cpp).
    void onMoveLeft(const InputEvent& event);
    void onMoveRight(const InputEvent& event);
    void onJump(const InputEvent& event);
    void onDash(const InputEvent& event);
    void onMoveUpNoClip(const InputEvent& event);
    void onMoveDownNoClip(const InputEvent& event);
    void onGodMode(const InputEvent& event);
    void onNoClip(const InputEvent& event);
    void run(int32_t direction);
    void climb(int32_t direction);
    void swapCheatActions();
    void updateJumpBuffer(const DrivenParts& player);
    void updateDash(const DrivenParts& player, int64_t now);
    void startDash(const DrivenParts& player, int64_t now);
    void updateGrounding(const DrivenParts& player);
    void updatePlayerAnimation(const DrivenParts& player);

    // Package (PlayerControllerSystem_Package.cpp).
    void onAim(const InputEvent& event);
    void onOffAim(const InputEvent& event);
    void onGamepadAim(const InputEvent& event);
    void onThrowPackage(const InputEvent& event);
    void onSummonPackage(const InputEvent& event);
    void onTeleportToPackage(const InputEvent& event);
    void onToggleEmitter(const InputEvent& event);
    void onReloadScene(const InputEvent& event);
    bool throwCoolingDown() const;
    void cancelAim();
    void updateAim(const DrivenParts& player);
    bool aimDirection(const glm::vec3& playerPosition, glm::vec3& direction) const;
    void previewThrowTrajectory(const glm::vec3& velocity);
    void updatePackageEffects(const DrivenParts& player, const DrivenParts& package);
    void drawReticle(size_t index) const;
    void allocateReticleDots();

    // Level flow (PlayerControllerSystem_LevelFlow.cpp).
    void updateDeath(const DrivenParts& player);
    void updateWin(const DrivenParts& player);
    void updateLevelSwitch(int64_t now);
    void switchLevel();
    void loadNextLevel();
    static void LoadNextLevel();
    void resetDeathWalls();
    void clearMovement();

    PackageSettings settings;
    std::string packageSettingsPath = kPackageSettingsFile;
    std::vector<TransformComp> reticleDots;
    std::string nextScene;
    int64_t lastTeleportTime = 0;
    bool controlsDisabled = false;
    PlayerState state;
};

class PlayerControllerSystemNull : public PlayerControllerSystem
{
public:
    static PlayerControllerSystemNull* instance();
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    void onPause() override {}
    void onResume() override {}
    void onNotify(void*, int32_t) override {}
    bool isNull() const override { return true; }
    void resetPlayer() override {}
    void respawn() override {}
    bool getGodMode() const override { return false; }
    void setGodMode(bool) override {}
    bool getNoClip() const override { return false; }
    void setNoClip(bool) override {}
    void tryRecollectPackage() override {}
    void recollectPackage(bool) override {}
    void throwPackage(glm::vec2) override {}
    bool isPackageHeld() const override { return false; }
    void loadPackageSettings() override {}
    bool isDashing() const override { return false; }
    void winLevel(Entity*) override {}
    void startLevelTimer() override {}
    void printCompletionTime() override {}
    bool justTeleported() const override { return false; }
    void setupLevelEmitters() override {}
    bool areControlsDisabled() const override { return false; }
};

// Switch the player's nine controls off and back on around wins, level switches and the
// opening comic. Plain functions, so a screen wipe can call them as its callbacks.
void DisablePlayerControls();
void EnablePlayerControls();
