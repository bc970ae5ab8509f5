#pragma once
// Owns the active entities and the entity archetypes.

#include "engine/IEngineSystem.h"
#include "engine/Observer.h"

class EntityManager : public IEngineSystem, public Observer
{
public:
    static constexpr const char* kName = "EntityManager";
    static EntityManager* getInstance();

    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;
};

class EntityManagerNull : public EntityManager
{
public:
    static EntityManagerNull* instance();
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    bool isNull() const override { return true; }
};
