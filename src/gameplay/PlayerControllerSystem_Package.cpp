// The package: its tunables file, aiming with mouse or stick, the dotted preview of the
// throw, the throw, the recall (by touch, by command, silently after a teleport) and the
// teleport, with the effects and sounds that go with them.

#include "gameplay/PlayerControllerSystem.h"

#include "audio/SoundManager.h"
#include "engine/EventId.h"
#include "engine/FileHelpers.h"
#include "engine/JsonFileError.h"
#include "engine/JsonFileScope.h"
#include "engine/JsonNumber.h"
#include "engine/JsonValue.h"
#include "engine/Subject.h"
#include "engine/TimeHelpers.h"
#include "engine/TraceLog.h"
#include "gameplay/PlayerLookups.h"
#include "gameplay/PlaySystems.h"
#include "gameplay/PlayerNames.h"
#include "graphics/DrawData.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/Mesh.h"
#include "graphics/MeshManager.h"
#include "graphics/Picking.h"
#include "graphics/TextureManager.h"
#include "input/InputSystem.h"
#include "particles/EmitterListComp.h"
#include "particles/ParticleEmitter.h"
#include "world/ColliderComp.h"
#include "world/Entity.h"
#include "world/EntityFlags.h"
#include "world/EntityManager.h"
#include "world/PhysicsComp.h"
#include "world/SceneManager.h"

#include <nlohmann/json.hpp>

#include <cmath>

using namespace PlayerLookups;
using namespace PlaySystems;
using namespace PlayerNames;

namespace
{
using json = nlohmann::json;

// Below this the package counts as lying still (trail off).
constexpr float kTrailSpeed = 0.01f;
// Near the top of its arc the player falls at half gravity in the preview.
constexpr double kApexSpeed = 0.04;
// A thrown package leaves just in front of the player.
constexpr float kThrowDepthOffset = 0.01f;

// The keys of "assets/package.json".
constexpr const char* kThrowPowerKey = "throw power";
constexpr const char* kSpacingKey = "aiming ridicule spacing";
constexpr const char* kCountKey = "ridicule numbers";
constexpr const char* kTextureKey = "ridicule texture";
constexpr const char* kSizeKey = "ridicule size";
constexpr const char* kDistanceKey = "ridicule distance from player";

// A value copy of what the physics step of one body needs: the preview moves it along the
// package's path without touching the real package or the entity lists.
struct PreviewBody
{
    explicit PreviewBody(const DrivenParts& package)
        : transform(*package.transform), body(*package.body), collider(*package.collider),
          dynamic(package.entity->getFlag(EntityFlags::kDynamic)),
          gravity(package.entity->getFlag(EntityFlags::kGravity)),
          noClip(package.entity->getFlag(EntityFlags::kNoClip)),
          player(package.entity->getFlag(EntityFlags::kPlayer))
    {
    }
    TransformComp transform;
    PhysicsComp body;
    ColliderComp collider;
    bool dynamic;
    bool gravity;
    bool noClip;
    bool player;
};

// One physics step of one body with no other entity consulted: the preview passes through
// walls. The contacts are cleared before the final move, so no contact fix applies.
void SimulatePackageStep(PreviewBody& entity)
{
    if (!entity.dynamic)
        return;
    // 1. Gravity
    const glm::vec3 v = entity.body.getVelocity();
    if (entity.gravity && !entity.noClip && v.y > -entity.body.getMaxVelocity().y)
    {
        float g = entity.body.getGravity();
        if (entity.player && std::fabs(static_cast<double>(v.y)) < kApexSpeed)
            g *= 0.5f;
        entity.body.addAcceleration(0.0f, g, 0.0f);
    }
    // 2. Drag
    glm::vec3 drag = entity.body.getAirDrag();
    if (entity.collider.isCollidingDown())
        drag = glm::vec3(entity.collider.getGroundFriction(), 0.0f, entity.collider.getGroundFriction());
    else if (entity.noClip)
        drag.y = drag.x;
    entity.body.integrate(drag);
    // 3. Trial move, undone unless no-clip
    entity.transform.setPosition(entity.transform.getPosition() + entity.body.getVelocity());
    entity.collider.resetContacts();
    if (!entity.noClip)
        entity.transform.setPosition(entity.transform.getPreviousPosition());
    // 4. Final move
    entity.body.move(&entity.transform);
}

std::string ReadTextOr(const json& root, const char* key, const std::string& value)
{
    const auto found = root.find(key);
    return found == root.end() ? value : ReadString(*found, key);
}

// NaN and negative values give 0; values above the bound give the bound, with a line.
float Bounded(float value, float bound, const char* key, const std::string& file)
{
    if (!(value >= 0.0f))
        return 0.0f;
    if (value <= bound)
        return value;
    Log()->error(file + ", key \"" + key + "\": " + std::to_string(value) + " is above " +
                 std::to_string(bound) + "; using " + std::to_string(bound));
    return bound;
}

bool HasDirection(const glm::vec3& direction)
{
    const float length = glm::length(direction);
    return length > 0.0f && std::isfinite(length);
}
}

PackageSettings PlayerControllerSystem::ReadPackageSettings(const json& root, PackageSettings previous,
                                                            const std::string& file)
{
    if (!root.is_object())
    {
        Log()->error(JsonShapeText(file, "", root, "an object of package settings", "the defaults stand"));
        return previous;
    }
    // A value of the wrong kind throws JsonFileError naming the file and the key.
    const JsonFileScope scope(file);
    PackageSettings read = previous;
    read.throwPower = ReadNumberOr(root, kThrowPowerKey, read.throwPower);
    read.reticleSpacing = ReadNumberOr(root, kSpacingKey, read.reticleSpacing);
    read.reticleCount = ReadNumberOr(root, kCountKey, read.reticleCount);
    read.reticleTexture = ReadTextOr(root, kTextureKey, read.reticleTexture);
    read.reticleSize = ReadNumberOr(root, kSizeKey, read.reticleSize);
    read.reticleDistance = ReadNumberOr(root, kDistanceKey, read.reticleDistance);
    read.reticleCount = Bounded(read.reticleCount, kMaxReticleDots, kCountKey, file);
    read.reticleSpacing = Bounded(read.reticleSpacing, kMaxPreviewSteps / kMaxReticleDots, kSpacingKey, file);
    read.reticleDistance = Bounded(read.reticleDistance, kMaxPreviewSteps, kDistanceKey, file);
    return read;
}

// A file that cannot be parsed, or holds a value of the wrong kind, stops start-up like a
// missing one, with one line naming it.
void PlayerControllerSystem::loadPackageSettings()
{
    const std::string text = ReadRequiredFile(packageSettingsPath);
    try
    {
        settings = ReadPackageSettings(ParseJsonFile(text, packageSettingsPath), settings, packageSettingsPath);
    }
    catch (const JsonFileError& problem)
    {
        Log()->error(problem.what());
        throw;
    }
}

// The whole part of the count: every loop over the dots runs over the dots that exist, and
// reaches them through the checked access, so a loop that overruns throws rather than writes
// past the array.
void PlayerControllerSystem::allocateReticleDots()
{
    reticleDots.assign(static_cast<size_t>(std::floor(settings.reticleCount)), TransformComp());
}

bool PlayerControllerSystem::isPackageHeld() const
{
    return state.packageHeld;
}

bool PlayerControllerSystem::justTeleported() const
{
    return ElapsedMs(GetTimeMs(), lastTeleportTime) < static_cast<uint64_t>(kTeleportFloatMs);
}

bool PlayerControllerSystem::throwCoolingDown() const
{
    return ElapsedMs(GetTimeMs(), state.lastThrowTime) < static_cast<uint64_t>(kThrowCooldownMs);
}

void PlayerControllerSystem::onAim(const InputEvent&)
{
    if (throwCoolingDown())
        return;
    state.canThrow = true;
    if (!state.packageHeld)
        return;
    state.aimSound = Sound()->playPreset(kAimSound);
    state.aiming = true;
}

void PlayerControllerSystem::onOffAim(const InputEvent&)
{
    state.aiming = false;
    state.aimSound.stop();
}

// Called wherever "offAim" is switched off: its release could not end the aim any more.
void PlayerControllerSystem::cancelAim()
{
    if (!state.aiming)
        return;
    state.aiming = false;
    state.canThrow = false;
    state.aimSound.stop();
}

void PlayerControllerSystem::onGamepadAim(const InputEvent& event)
{
    state.gamepadAim.x = event.stickX;
    state.gamepadAim.y = -event.stickY;
}

void PlayerControllerSystem::onThrowPackage(const InputEvent& event)
{
    state.lastThrowInput = event.codeName;
    // One input bound to both teleport and throw does not throw right after teleporting.
    if (state.teleportThrowGuard)
    {
        state.teleportThrowGuard = false;
        if (state.lastThrowInput == state.lastTeleportInput)
            return;
    }
    if (state.aimWithoutDirection)
        return;
    throwPackage(glm::vec2(state.throwVelocity.x, state.throwVelocity.y));
}

void PlayerControllerSystem::throwPackage(glm::vec2 velocity)
{
    if (throwCoolingDown() || !state.packageHeld || !state.canThrow)
        return;
    state.canThrow = false;
    Sound()->playPreset(kThrowSound);
    const DrivenParts player(Player());
    const DrivenParts package(Package());
    package.entity->setFlag(EntityFlags::kInactive, false);
    package.body->setVelocity(velocity.x, velocity.y, 0.0f);
    package.transform->setPosition(player.transform->getPosition() + glm::vec3(0.0f, 0.0f, kThrowDepthOffset));
    state.lastThrowTime = GetTimeMs();
    package.collider->resetContacts();
    state.packageHeld = false;
    SetTexture(player.entity, kEmptyHandedTexture);
}

void PlayerControllerSystem::tryRecollectPackage()
{
    if (!throwCoolingDown())
        recollectPackage(true);
}

// Takes the package in hand. Runs inside the physics step's contact loop (by touch), so it
// only switches flags and never adds or removes an entity.
void PlayerControllerSystem::recollectPackage(bool effects)
{
    if (state.packageHeld)
        return;
    Events()->notify(EVENT_ENABLEPACKAGE, nullptr);
    Entity* package = Package();
    if (effects)
    {
        SetEmitterActive(package, kRecallEmitter, true);
        state.aimSound = Sound()->playPreset(kPackageRecollectSound);
    }
    package->setFlag(EntityFlags::kInactive, true);
    state.packageHeld = true;
    SetTexture(Player(), kHoldingTexture);
}

void PlayerControllerSystem::onSummonPackage(const InputEvent&)
{
    recollectPackage(true);
    state.lastThrowTime = 0;
}

// The marker jumps to where the player stands and streams its particles toward the
// package; the player lands on the package, which is taken in hand silently.
void PlayerControllerSystem::onTeleportToPackage(const InputEvent& event)
{
    if (isPackageHeld())
        return;
    const DrivenParts player(Player());
    const DrivenParts package(Package());
    Sound()->playPreset(kTeleportSound);
    SetEmitterActive(player.entity, kTeleportEmitter, true);

    const DrivenParts marker(Entities()->findFirstWithFlag(kMarkerFlag));
    marker.transform->setPosition(player.transform->getPosition());
    ParticleEmitter* stream = EmitterOf(marker.entity, kTeleportEmitter);
    stream->setActive(true);
    stream->setConvergePoint(package.transform->getPosition());

    player.transform->setPosition(package.transform->getPosition());
    player.body->setVelocity(0.0f, 0.0f, 0.0f);
    SetEmitterActive(player.entity, kTeleportEndEmitter, true);
    lastTeleportTime = GetTimeMs();
    recollectPackage(false);
    state.teleportThrowGuard = true;
    state.lastTeleportInput = event.codeName;
}

void PlayerControllerSystem::onToggleEmitter(const InputEvent&)
{
    DrivenParts(Player()).emitters->toggleAll();
}

void PlayerControllerSystem::onReloadScene(const InputEvent&)
{
    Scenes()->reloadScene();
    resetPlayer();
}

// 18. The aimed throw velocity and its preview, from the cursor or the right stick.
void PlayerControllerSystem::updateAim(const DrivenParts& player)
{
    if (!state.aiming)
        return;
    const glm::vec3 position = player.transform->getPosition();
    glm::vec3 direction(0.0f);
    if (!aimDirection(position, direction))
        return;
    state.aimWithoutDirection = !HasDirection(direction);
    if (state.aimWithoutDirection)
        return;
    state.throwVelocity = glm::normalize(direction) * settings.throwPower;
    previewThrowTrajectory(state.throwVelocity);
}

// False when the cursor does not meet the player's plane (the preview is then skipped).
bool PlayerControllerSystem::aimDirection(const glm::vec3& playerPosition, glm::vec3& direction) const
{
    InputSystem* input = Input();
    if (input->isControllerActive())
    {
        direction = state.gamepadAim;
        return true;
    }
    double x = 0.0;
    double y = 0.0;
    input->getCursorPosDouble(x, y);
    glm::vec3 world(0.0f);
    if (!ScreenToWorld(glm::vec2(static_cast<float>(x), static_cast<float>(y)), &world, false))
        return false;
    direction = world - playerPosition;
    return true;
}

// Dot j lies reticleDistance + reticleSpacing * j(j+1)/2 steps along the package's path,
// placed relative to the player's current position.
void PlayerControllerSystem::previewThrowTrajectory(const glm::vec3& velocity)
{
    PreviewBody preview{DrivenParts(Package())};
    preview.body.setVelocity(velocity);
    const glm::vec3 start = preview.transform.getPosition();
    for (int32_t i = 0; static_cast<float>(i) < settings.reticleDistance; ++i)
        SimulatePackageStep(preview);
    const glm::vec3 origin = DrivenParts(Player()).transform->getPosition();
    for (size_t j = 0; j < reticleDots.size(); ++j)
    {
        for (int32_t k = 0; static_cast<float>(k) < static_cast<float>(j) * settings.reticleSpacing; ++k)
            SimulatePackageStep(preview);
        reticleDots.at(j).setPosition(origin + (preview.transform.getPosition() - start));
    }
}

// 19.-20. The first touch of a thrown package bursts and sounds; the trail shows while it
// moves; the player's dash and death emitters follow their states.
void PlayerControllerSystem::updatePackageEffects(const DrivenParts& player, const DrivenParts& package)
{
    const ColliderComp* contacts = package.collider;
    const bool touching = contacts->isCollidingDown() || contacts->isCollidingRight() ||
                          contacts->isCollidingUp() || contacts->isCollidingLeft();
    if (!state.packageWasTouching && touching && !state.packageHeld)
    {
        SetEmitterActive(package.entity, kPackageEmitter, true);
        Sound()->playPreset(kPackageImpactSound);
    }
    state.gamepadAim = glm::vec3(0.0f);
    state.packageWasTouching = touching;

    const glm::vec3 v = package.body->getVelocity();
    SetEmitterActive(package.entity, kTrailEmitter, std::fabs(v.x) + std::fabs(v.y) > kTrailSpeed);
    SetEmitterActive(player.entity, kDashEmitter, isDashing());
    SetEmitterActive(player.entity, kDeathEmitter, state.dying);
}

void PlayerControllerSystem::render()
{
    if (!state.aiming || !isPackageHeld() || !(settings.reticleCount > 0.0f))
        return;
    if (throwCoolingDown() || state.aimWithoutDirection)
        return;
    Graphics()->setContext(GraphicsSystem::kWorldContext);
    for (size_t i = 0; i < reticleDots.size(); ++i)
        drawReticle(i);
}

// Drawn like an entity sprite; the dot texture is blended, so the draw is queued.
void PlayerControllerSystem::drawReticle(size_t index) const
{
    DrawData draw = Graphics()->getDrawData();
    draw.texture = Textures()->getTexture(settings.reticleTexture);
    draw.blendColor = glm::vec4(1.0f);
    draw.drawColor = glm::vec4(1.0f);
    draw.transform = reticleDots.at(index);
    Meshes()->getMesh(kQuadMesh)->draw(draw, true);
}
