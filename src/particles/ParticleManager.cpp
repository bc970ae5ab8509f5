#include "particles/ParticleManager.h"

#include "engine/Engine.h"
#include "engine/SystemSingleton.h"
#include "engine/TraceLog.h"
#include "graphics/DrawData.h"
#include "graphics/GraphicsSystem.h"
#include "particles/ComplexParticle.h"
#include "particles/EmitterArchetypeFile.h"
#include "particles/Particle.h"
#include "particles/ParticleEmitter.h"

namespace
{
ParticleManager* gParticleManager = nullptr;

// Steps every particle that was live at the start of the pass once and drops the ones that
// died in that step, keeping the survivors in their order. One pass, no erase per particle.
template <class T>
void StepAndCull(std::vector<std::unique_ptr<T>>& list)
{
    const size_t count = list.size();
    size_t kept = 0;
    for (size_t i = 0; i < count; ++i)
    {
        list[i]->update();
        if (list[i]->isDead())
        {
            list[i].reset();
            continue;
        }
        if (kept != i)
            list[kept] = std::move(list[i]);
        ++kept;
    }
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(kept), list.begin() + static_cast<std::ptrdiff_t>(count));
}

template <class T>
bool HasRoom(const std::vector<std::unique_ptr<T>>& list, int32_t limit)
{
    return static_cast<int64_t>(list.size()) < limit;
}

template <class T>
bool AddWithin(std::vector<std::unique_ptr<T>>& list, int32_t limit, T* particle)
{
    std::unique_ptr<T> owned(particle);
    if (!owned || !HasRoom(list, limit))
        return false;
    list.push_back(std::move(owned));
    return true;
}

template <class T>
void DeleteInOrder(std::vector<std::unique_ptr<T>>& list)
{
    for (auto& particle : list)
        particle.reset();
    list.clear();
}
}

ParticleManager* ParticleManager::getInstance()
{
    return GetSystemSingleton(gParticleManager, kName);
}

ParticleManagerNull* ParticleManagerNull::instance()
{
    static ParticleManagerNull null;
    return &null;
}

// Until initialize finds the registered one, drawing goes to the system that ignores it.
ParticleManager::ParticleManager() : graphics(GraphicsSystemNull::instance()) {}

ParticleManager::~ParticleManager()
{
    clearParticles();
    deleteArchetypes();
}

void ParticleManager::initialize()
{
    particleLimit = kParticleLimit;
    complexParticleLimit = kParticleLimit;
    emitterIdCounter = 0;
    graphics = Engine::getSystem<GraphicsSystem>(GraphicsSystem::kName, GraphicsSystemNull::instance());
    Log()->message(kName, "initialize");
    loadArchetypes();
}

void ParticleManager::update()
{
    StepAndCull(particles);
    StepAndCull(complexParticles);
}

void ParticleManager::render()
{
    graphics->setContext(GraphicsSystem::kWorldContext);
    DrawData record = graphics->getDrawData();
    for (auto& particle : particles)
        particle->draw(record);
    for (auto& particle : complexParticles)
        particle->draw(record);
}

void ParticleManager::shutdown()
{
    clearParticles();
    Log()->message(kName, "shutdown");
    deleteArchetypes();
}

void ParticleManager::deleteArchetypes()
{
    for (auto& archetype : archetypes)
        if (!archetype.second->isNull())
            delete archetype.second;
    archetypes.clear();
}

bool ParticleManager::addParticle(Particle* particle)
{
    return AddWithin(particles, particleLimit, particle);
}

bool ParticleManager::addComplexParticle(ComplexParticle* particle)
{
    return AddWithin(complexParticles, complexParticleLimit, particle);
}

bool ParticleManager::canAddParticle() const
{
    return HasRoom(particles, particleLimit);
}

bool ParticleManager::canAddComplexParticle() const
{
    return HasRoom(complexParticles, complexParticleLimit);
}

void ParticleManager::clearParticles()
{
    DeleteInOrder(particles);
    DeleteInOrder(complexParticles);
}

void ParticleManager::loadArchetypes()
{
    ReadEmitterArchetypes(archetypePath, *this);
}

void ParticleManager::registerArchetype(std::string name, ParticleEmitter* emitter)
{
    if (!emitter || archetypes.count(name) != 0)
        return;
    archetypes.emplace(std::move(name), emitter->clone());
}

// The first line names the missing archetype; the second marks every request that hands
// back the null emitter, whether the name was missing or the stored archetype is itself null.
ParticleEmitter* ParticleManager::createEmitter(std::string name)
{
    ParticleEmitter* emitter = cloneArchetype(name);
    if (emitter->isNull())
        Log()->error("Emitter Not Created Successfully!");
    return emitter;
}

ParticleEmitter* ParticleManager::cloneArchetype(const std::string& name) const
{
    const auto found = archetypes.find(name);
    if (found != archetypes.end())
        return found->second->clone();
    Log()->error("Emitter Archetype, " + name + ", Not Found!");
    return ParticleEmitterNull::instance();
}

std::map<std::string, ParticleEmitter*> ParticleManager::getArchetypes() const
{
    return archetypes;
}

uint32_t ParticleManager::nextEmitterId()
{
    return emitterIdCounter++;
}

bool ParticleManagerNull::addParticle(Particle* particle)
{
    delete particle;
    return false;
}

bool ParticleManagerNull::addComplexParticle(ComplexParticle* particle)
{
    delete particle;
    return false;
}

ParticleEmitter* ParticleManagerNull::createEmitter(std::string)
{
    return ParticleEmitterNull::instance();
}
