#include "world/Entity.h"

#include "engine/Engine.h"
#include "gameplay/PlayerControllerSystem.h"
#include "graphics/DrawData.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/Mesh.h"
#include "graphics/UniformNames.h"
#include "input/InputSystem.h"
#include "particles/EmitterListComp.h"
#include "world/AnimationComp.h"
#include "world/ColliderComp.h"
#include "world/Component.h"
#include "world/ContactReactions.h"
#include "world/EntityFlags.h"
#include "world/EntityManager.h"
#include "world/MeshComp.h"
#include "world/PhysicsComp.h"
#include "world/TestCollision.h"
#include "world/TextureComp.h"
#include "world/TextureSlicerComp.h"
#include "world/TransformComp.h"

#include <cmath>
#include <vector>

using namespace EntityFlags;

namespace
{
// Looked up once: every entity of the run registers with the manager the first lookup found.
EntityManager* gRegistrar = nullptr;

void RegisterEntity(Entity* entity)
{
    if (!Engine::current())
        return;
    if (!gRegistrar)
        gRegistrar = Engine::getSystem<EntityManager>(EntityManager::kName, EntityManagerNull::instance());
    gRegistrar->addEntity(entity);
}

constexpr float kRenderFollow = 0.8f;

// Near the top of a jump the player floats: a third of the gravity while |v.y| is this small.
constexpr double kApexSpeed = 0.04;
constexpr float kApexGravityDivisor = 3.0f;
// The correction for a contact is taken back only when the body moves away faster than this.
constexpr float kSeparationSpeed = 0.01f;

PlayerControllerSystem* Controller()
{
    static const std::string name = PlayerControllerSystem::kName;
    return Engine::getSystem<PlayerControllerSystem>(name, PlayerControllerSystemNull::instance());
}

EntityManager* Manager()
{
    static const std::string name = EntityManager::kName;
    return Engine::getSystem<EntityManager>(name, EntityManagerNull::instance());
}

bool IsPair(const Entity* a, const Entity* b, const std::string& first, const std::string& second)
{
    return (a->getFlag(first) && b->getFlag(second)) || (a->getFlag(second) && b->getFlag(first));
}

// Pairs that touch without pushing each other apart.
bool PassesThrough(const Entity* self, const Entity* other)
{
    return IsPair(self, other, kPlayer, kPackage) || IsPair(self, other, kPlayer, kCheckpoint) ||
           IsPair(self, other, kCheckpoint, kPackage) ||
           (IsPair(self, other, kPlayer, kFirewall) && Controller()->isDashing());
}

void ApplyGravity(const Entity* self, PhysicsComp* body)
{
    const bool player = self->getFlag(kPlayer);
    if (player && Controller()->justTeleported())
        return;
    const glm::vec3 v = body->getVelocity();
    if (v.y <= -body->getMaxVelocity().y)
        return;
    float g = body->getGravity();
    if (player && std::fabs(static_cast<double>(v.y)) < kApexSpeed)
        g = g / kApexGravityDivisor;
    body->addAcceleration(0.0f, g, 0.0f);
}

glm::vec3 ChooseDrag(const PhysicsComp* body, const ColliderComp* collider, bool noClip)
{
    if (collider->isCollidingDown())
    {
        const float k = (collider->getGroundFriction() + collider->getFriction()) * 0.5f;
        return glm::vec3(k, 0.0f, k);
    }
    glm::vec3 drag = body->getAirDrag();
    if (noClip)
        drag.y = drag.x;
    return drag;
}
}

Entity::Entity() : Entity(true) {}

Entity::Entity(bool registerWithManager)
{
    if (registerWithManager)
        RegisterEntity(this);
}

Entity::~Entity()
{
    for (auto& entry : components)
    {
        Component* owned = entry.second;
        entry.second = ComponentNull::instance();
        if (!owned->isNull())
            delete owned;
    }
}

// The body's half of a step, run for every entity before any entity's update moves it:
// 1. emitters follow the body and the motion carried from last step's support takes effect;
// 2. gravity and drag go into the velocity;
// 3. a tentative move by velocity plus carried motion (a noClip body simply keeps it);
// 4. contacts at the tentative place take the intrusion out of the velocity;
// 5. back to the old place: update() makes the real move with the corrected velocity.
void Entity::physicsStep()
{
    TransformComp* transform = getComponent<TransformComp>(TransformComp::kName, TransformCompNull::instance());
    PhysicsComp* body = getComponent<PhysicsComp>(PhysicsComp::kName, PhysicsCompNull::instance());
    ColliderComp* collider = getComponent<ColliderComp>(ColliderComp::kName, ColliderCompNull::instance());

    // 1. Followers and carried motion
    getComponent<EmitterListComp>(EmitterListComp::kName, EmitterListCompNull::instance())->setPosition(transform->getPosition());
    body->commitCarried();
    if (!getFlag(kDynamic))
        return;

    // 2. Forces
    const bool noClip = getFlag(kNoClip);
    if (getFlag(kGravity) && !noClip)
        ApplyGravity(this, body);
    body->integrate(ChooseDrag(body, collider, noClip));

    // 3. Tentative move
    transform->setPosition(transform->getPosition() + body->getVelocity() + body->getCarried());
    collider->resetContacts();
    if (noClip)
        return;

    // 4. Contacts
    if (collideWithOthers(collider))
    {
        glm::vec3 v = body->getVelocity();
        const glm::vec3 penetration = collider->getPenetration();
        if (collider->isCollidingRight() != collider->isCollidingLeft())
            v.x -= penetration.x;
        if (collider->isCollidingDown() != collider->isCollidingUp())
            v.y -= penetration.y;
        body->setVelocity(v);
    }
    // 5. Undo the tentative move
    transform->setPosition(transform->getPreviousPosition());
}

// Tests the tentatively moved body against every other active entity, in id order, over a
// copy of the id list so that reactions may add or remove entities. Returns whether any
// solid neighbour was touched.
bool Entity::collideWithOthers(ColliderComp* collider)
{
    static std::vector<uint32_t> ids;
    EntityManager* manager = Manager();
    manager->getActiveIds(ids);
    const TransformComp* transform = getComponent<TransformComp>(TransformComp::kName, TransformCompNull::instance());
    bool hitSolid = false;
    for (uint32_t otherId : ids)
    {
        Entity* other = manager->findById(otherId);
        if (other == this)
            continue;
        // Boxes apart give None whatever else holds, so the rest of the pair's work is skipped.
        if (!BoxesOverlap(*transform,
                          *other->getComponent<TransformComp>(TransformComp::kName, TransformCompNull::instance())))
            continue;
        ColliderComp* otherCollider = other->getComponent<ColliderComp>(ColliderComp::kName, ColliderCompNull::instance());
        if (otherCollider->isNull() || other->getFlag(kInactive))
            continue;
        const bool wasSolid = collider->isSolid();
        if (PassesThrough(this, other))
            collider->setSolid(false);
        const CollisionResult result = TestCollision(this, other);
        hitSolid = hitSolid || (result != COLLISION_NONE && otherCollider->isSolid());
        if (result != COLLISION_NONE)
            ReactToContact(this, other);
        if (result == COLLISION_DOWN)
            ReactToLanding(this, other);
        collider->setSolid(wasSolid);
    }
    return hitSolid;
}

void Entity::update()
{
    TransformComp* transform = getComponent<TransformComp>(TransformComp::kName, TransformCompNull::instance());
    PhysicsComp* body = getComponent<PhysicsComp>(PhysicsComp::kName, PhysicsCompNull::instance());
    ColliderComp* collider = getComponent<ColliderComp>(ColliderComp::kName, ColliderCompNull::instance());

    for (auto& entry : components)
        entry.second->update();
    body->move(transform);

    glm::vec3 v = body->getVelocity();
    const glm::vec3 penetration = collider->getPenetration();
    if (collider->isCollidingDown() && v.y > kSeparationSpeed)
        v.y += penetration.y;
    if (collider->isCollidingUp() && v.y < -kSeparationSpeed)
        v.y += penetration.y;
    if (collider->isCollidingLeft() && v.x > kSeparationSpeed)
        v.x += penetration.x;
    if (collider->isCollidingRight() && v.x < -kSeparationSpeed)
        v.x += penetration.x;
    body->setVelocity(v);
}

void Entity::updateInactive()
{
    for (auto& entry : components)
        entry.second->updateInactive();
}

void Entity::render(DrawData drawData)
{
    drawData.texture = getComponent<TextureComp>(TextureComp::kName, TextureCompNull::instance())->getTexture();
    const glm::vec4 white(1.0f);
    if (drawData.graphics)
    {
        drawData.graphics->setUniform(UniformNames::kBlendColor, 1, &white);
        drawData.graphics->setUniform(UniformNames::kDrawColor, 1, &white);
    }

    TransformComp* transform = getComponent<TransformComp>(TransformComp::kName, TransformCompNull::instance());
    if (transform->getUseRenderPosition())
        transform->lerpRenderPosition(kRenderFollow);
    drawData.transform = *transform;

    TextureSlicerComp* slicer = getComponent<TextureSlicerComp>(TextureSlicerComp::kName, TextureSlicerCompNull::instance());
    if (slicer->getSliceType() != SLICE_NONE)
    {
        drawData.sliceType = slicer->getSliceType();
        drawData.texBorder = slicer->getBorderUV(drawData.texture);
        drawData.spriteBorder = slicer->getBorderWorld(drawData.transform);
        drawData.spriteTextureRatio = slicer->getRepeatCount(drawData.texture, drawData.transform);
    }

    Mesh* mesh = getComponent<MeshComp>(MeshComp::kName, MeshCompNull::instance())->getMesh();
    AnimationComp* animation = getComponent<AnimationComp>(AnimationComp::kName, AnimationCompNull::instance());
    if (getFlag(kTutorialButton))
    {
        // The button picture shows the controls of the device in use.
        static const std::string inputName = InputSystem::kName;
        animation->play("DefaultButton");
        animation->setFrame(static_cast<int32_t>(
            Engine::getSystem<InputSystem>(inputName, InputSystemNull::instance())->getControllerType()));
    }
    drawData.textureUVOffset = animation->getFrameUV();
    drawData.textureUVDimension = animation->getSheetDimensions();
    mesh->draw(drawData, true);
}

void Entity::addComponent(Component* component)
{
    if (component)
        addComponentAs(component, component->getName());
}

void Entity::addComponentAs(Component* component, const std::string& name)
{
    if (!component || component->isNull())
        return;
    auto found = components.find(name);
    if (found == components.end())
    {
        components.emplace(name, component);
        component->setOwner(this);
        return;
    }
    if (found->second != component)
        delete component;
}

void Entity::setFlag(const std::string& name, bool value)
{
    auto found = flags.find(name);
    if (found == flags.end())
        flags.emplace(name, value);
    else
        found->second = value;
}

bool Entity::getFlag(const std::string& name) const
{
    auto found = flags.find(name);
    return found != flags.end() && found->second;
}

void Entity::debugPrintComponent(const std::string& name) const
{
    getComponent<Component>(name, ComponentNull::instance())->debugPrint();
}

Entity* Entity::clone() const
{
    auto* copy = new Entity(false);
    copyInto(copy);
    return copy;
}

Entity* Entity::cloneRegistered() const
{
    auto* copy = new Entity();
    copyInto(copy);
    return copy;
}

// Archetypes only ever set flags to true, so a copy turns every flag it names on.
void Entity::copyInto(Entity* copy) const
{
    for (const auto& flag : flags)
        copy->setFlag(flag.first, true);
    for (const auto& entry : components)
        copy->addComponentAs(entry.second->clone(), entry.first);
}

EntityNull* EntityNull::instance()
{
    static EntityNull null;
    return &null;
}

void EntityNull::render(DrawData) {}

void EntityNull::addComponentAs(Component* component, const std::string&)
{
    if (component && !component->isNull())
        delete component;
}
