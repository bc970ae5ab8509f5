#pragma once
// Owns the live entities (by id, always walked in ascending id order) and the archetypes
// read from "assets/Entity.json" (by name). Each step runs every body's physics before any
// entity's components update and move; each frame draws every active entity through the
// graphics system's world context. Entities join the list themselves when built while an
// engine is current; the scene manager fills it by cloning archetypes, and a CREATE event
// from the Subject hub spawns a clone of the entity it carries.

#include "engine/IEngineSystem.h"
#include "engine/Observer.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class Entity;

class EntityManager : public IEngineSystem, public Observer
{
public:
    static constexpr const char* kName = "EntityManager";
    static constexpr const char* kArchetypeFile = "assets/Entity.json";
    static EntityManager* getInstance();

    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;
    void onNotify(void* payload, int32_t eventId) override;

    virtual void addEntity(Entity* entity);
    virtual void addArchetype(Entity* entity, const std::string& name);
    virtual Entity* getPlayer() const;
    virtual Entity* getPackage() const;
    virtual std::vector<uint32_t> getActiveIds() const;
    // The same list written into a caller's buffer, so per-step callers reuse its storage.
    virtual void getActiveIds(std::vector<uint32_t>& out) const;
    virtual void loadArchetypes();
    virtual Entity* cloneArchetype(const std::string& name);
    virtual void clearActive();
    virtual Entity* findById(uint32_t id) const;
    virtual Entity* findFirstWithFlag(const std::string& flag) const;
    virtual std::vector<Entity*> findAllWithFlag(const std::string& flag) const;
    virtual void deleteEntity(uint32_t id);
    virtual bool isEmpty() const { return active.empty(); }
    virtual uint32_t getEntityCount() const { return static_cast<uint32_t>(active.size()); }
    virtual void debugPrintEntities() const;
    virtual Entity* findWaypoint(int32_t waypointId) const;

    bool hasArchetype(const std::string& name) const { return archetypes.count(name) != 0; }

private:
    template <class Visit>
    void walkActive(Visit visit);

    std::map<uint32_t, Entity*> active;
    std::map<std::string, Entity*, std::less<>> archetypes;
};

class EntityManagerNull : public EntityManager
{
public:
    static EntityManagerNull* instance();
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    void onNotify(void*, int32_t) override {}
    bool isNull() const override { return true; }

    void addEntity(Entity*) override {}
    void addArchetype(Entity*, const std::string&) override {}
    Entity* getPlayer() const override;
    Entity* getPackage() const override;
    std::vector<uint32_t> getActiveIds() const override { return {}; }
    void getActiveIds(std::vector<uint32_t>& out) const override { out.clear(); }
    void loadArchetypes() override {}
    Entity* cloneArchetype(const std::string&) override;
    void clearActive() override {}
    Entity* findById(uint32_t) const override;
    Entity* findFirstWithFlag(const std::string&) const override;
    std::vector<Entity*> findAllWithFlag(const std::string&) const override { return {}; }
    void deleteEntity(uint32_t) override {}
    bool isEmpty() const override { return false; }
    uint32_t getEntityCount() const override { return 0; }
    Entity* findWaypoint(int32_t) const override;
};
