#include "world/EntityManager.h"

#include "engine/Engine.h"
#include "engine/EventId.h"
#include "engine/SystemSingleton.h"
#include "engine/TraceLog.h"
#include "graphics/DrawData.h"
#include "graphics/GraphicsSystem.h"
#include "world/ArchetypeReader.h"
#include "world/Entity.h"
#include "world/EntityFlags.h"
#include "world/PhysicsComp.h"
#include "world/TransformComp.h"
#include "world/WaypointComp.h"

#include <iostream>

namespace
{
EntityManager* gEntityManager = nullptr;
// Ids are never reused within a run: clearing or restarting the manager does not reset this.
uint32_t gNextId = 0;

// Frees every entity of a list (live ones by id, archetypes by name); a null object that
// slipped in is reported, never deleted.
template <class EntityMap>
void DeleteAll(EntityMap& list, const char* nullMessage)
{
    for (auto& entry : list)
    {
        if (entry.second->isNull())
            Log()->error(nullMessage);
        else
            delete entry.second;
    }
    list.clear();
}
}

EntityManager* EntityManager::getInstance()
{
    return GetSystemSingleton(gEntityManager, kName);
}

EntityManagerNull* EntityManagerNull::instance()
{
    static EntityManagerNull null;
    return &null;
}

void EntityManager::initialize()
{
    loadArchetypes();
    Log()->message(kName, "initialize");
}

// Walks the active list by id. Re-seeking after each visit keeps the walk valid when a visit
// adds entities (they have higher ids and are visited later) or deletes the current one.
template <class Visit>
void EntityManager::walkActive(Visit visit)
{
    auto it = active.begin();
    while (it != active.end())
    {
        const uint32_t id = it->first;
        visit(it->second);
        it = active.upper_bound(id);
    }
}

void EntityManager::update()
{
    walkActive([](Entity* entity) {
        if (entity->getFlag(EntityFlags::kInactive))
            entity->updateInactive();
        else
            entity->physicsStep();
    });
    walkActive([](Entity* entity) {
        if (!entity->getFlag(EntityFlags::kInactive))
            entity->update();
    });
}

void EntityManager::render()
{
    static const std::string graphicsName = GraphicsSystem::kName;
    static const std::string context = GraphicsSystem::kWorldContext;
    GraphicsSystem* graphics = Engine::getSystem<GraphicsSystem>(graphicsName, GraphicsSystemNull::instance());
    graphics->setContext(context);
    const DrawData drawData = graphics->getDrawData();
    walkActive([&drawData](Entity* entity) {
        if (!entity->getFlag(EntityFlags::kInactive))
            entity->render(drawData);
    });
}

void EntityManager::shutdown()
{
    Log()->message(kName, "shutdown");
    DeleteAll(active, "Null object in active Entity list");
    DeleteAll(archetypes, "Null object in Entity Archetype list");
}

void EntityManager::onNotify(void* payload, int32_t eventId)
{
    if (eventId != EVENT_CREATE || !payload)
        return;
    // The registered clone has already joined the list; addEntity then finds it and does nothing.
    addEntity(static_cast<Entity*>(payload)->cloneRegistered());
    std::cout << "Entity spawned in event Create\n";
}

void EntityManager::addEntity(Entity* entity)
{
    if (!entity || entity->isNull())
        return;
    // An entity in the list always sits under its own id.
    auto present = active.find(entity->getId());
    if (present != active.end() && present->second == entity)
        return;
    entity->setId(gNextId);
    active.emplace(gNextId, entity);
    ++gNextId;
}

void EntityManager::addArchetype(Entity* entity, const std::string& name)
{
    if (!entity || entity->isNull() || archetypes.count(name) != 0)
        return;
    for (const auto& entry : archetypes)
        if (entry.second == entity)
            return;
    archetypes.emplace(name, entity);
}

Entity* EntityManager::getPlayer() const
{
    return findFirstWithFlag(EntityFlags::kPlayer);
}

Entity* EntityManager::getPackage() const
{
    return findFirstWithFlag(EntityFlags::kPackage);
}

std::vector<uint32_t> EntityManager::getActiveIds() const
{
    std::vector<uint32_t> ids;
    getActiveIds(ids);
    return ids;
}

void EntityManager::getActiveIds(std::vector<uint32_t>& out) const
{
    out.clear();
    for (const auto& entry : active)
        out.push_back(entry.first);
}

void EntityManager::loadArchetypes()
{
    ArchetypeReader::read(kArchetypeFile, *this);
}

Entity* EntityManager::cloneArchetype(const std::string& name)
{
    auto found = archetypes.find(name);
    if (found == archetypes.end())
    {
        Log()->error("Archetype, " + name + ", searched for but not found");
        return EntityNull::instance();
    }
    return found->second->cloneRegistered();
}

void EntityManager::clearActive()
{
    DeleteAll(active, "Null object in Entity clear");
}

Entity* EntityManager::findById(uint32_t id) const
{
    auto found = active.find(id);
    if (found == active.end())
    {
        Log()->error("Attempt to find entity in active list failed");
        return EntityNull::instance();
    }
    return found->second;
}

Entity* EntityManager::findFirstWithFlag(const std::string& flag) const
{
    for (const auto& entry : active)
        if (entry.second->getFlag(flag))
            return entry.second;
    return EntityNull::instance();
}

std::vector<Entity*> EntityManager::findAllWithFlag(const std::string& flag) const
{
    std::vector<Entity*> found;
    for (const auto& entry : active)
        if (entry.second->getFlag(flag))
            found.push_back(entry.second);
    return found;
}

void EntityManager::deleteEntity(uint32_t id)
{
    auto found = active.find(id);
    if (found == active.end())
    {
        Log()->error("Attempt to delete entity in active list failed");
        return;
    }
    Entity* entity = found->second;
    active.erase(found);
    if (entity->isNull())
    {
        Log()->error("Attempt to delete entity in active list failed");
        return;
    }
    delete entity;
}

void EntityManager::debugPrintEntities() const
{
    for (const auto& entry : active)
    {
        entry.second->debugPrintComponent(TransformComp::kName);
        entry.second->debugPrintComponent(PhysicsComp::kName);
    }
}

Entity* EntityManager::findWaypoint(int32_t waypointId) const
{
    if (waypointId < 0)
        return EntityNull::instance();
    const uint32_t wanted = static_cast<uint32_t>(waypointId);
    for (const auto& entry : active)
    {
        auto* waypoint = entry.second->getComponent<WaypointComp>(WaypointComp::kName, WaypointCompNull::instance());
        if (!waypoint->isNull() && waypoint->getWaypointID() == wanted)
            return entry.second;
    }
    return EntityNull::instance();
}

Entity* EntityManagerNull::getPlayer() const
{
    return EntityNull::instance();
}

Entity* EntityManagerNull::getPackage() const
{
    return EntityNull::instance();
}

Entity* EntityManagerNull::cloneArchetype(const std::string&)
{
    return EntityNull::instance();
}

Entity* EntityManagerNull::findById(uint32_t) const
{
    return EntityNull::instance();
}

Entity* EntityManagerNull::findFirstWithFlag(const std::string&) const
{
    return EntityNull::instance();
}

Entity* EntityManagerNull::findWaypoint(int32_t) const
{
    return EntityNull::instance();
}
