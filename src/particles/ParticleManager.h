#pragma once
// Owns every live particle and every emitter archetype. Each fixed step it steps the
// particles and removes the dead ones (keeping the rest in order); each frame it draws them
// all through one shared draw record. Archetypes come from the emitter file and are handed
// out as independent clones by name.

#include "engine/IEngineSystem.h"
#include "engine/Observer.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class ComplexParticle;
class GraphicsSystem;
class Particle;
class ParticleEmitter;

class ParticleManager : public IEngineSystem, public Observer
{
public:
    static constexpr const char* kName = "ParticleManager";
    static constexpr const char* kArchetypeFile = "assets/ParticleEmitter.json";
    static constexpr int32_t kParticleLimit = 10000;
    static ParticleManager* getInstance();

    ParticleManager();
    ~ParticleManager() override;

    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;

    // Always takes the particle: one refused because its list is full is deleted at once.
    virtual bool addParticle(Particle* particle);
    virtual bool addComplexParticle(ComplexParticle* particle);
    // Whether the list would keep one more particle. Emitters ask before building each one,
    // so a burst larger than the room left stops at the cap instead of building the rest only
    // to have them deleted.
    virtual bool canAddParticle() const;
    virtual bool canAddComplexParticle() const;
    virtual void clearParticles();
    virtual void loadArchetypes();
    // Stores a clone under the name unless the name is taken: the first registration wins.
    // The caller keeps the emitter it passed.
    virtual void registerArchetype(std::string name, ParticleEmitter* emitter);
    // A new clone of the named archetype, owned by the caller; the null emitter (logged) when
    // there is no such archetype or it cannot be cloned.
    virtual ParticleEmitter* createEmitter(std::string name);
    virtual std::map<std::string, ParticleEmitter*> getArchetypes() const;
    virtual uint32_t nextEmitterId();

    // Tests and tools point reading and exporting at another file.
    void setArchetypePath(const std::string& path) { archetypePath = path; }
    const std::string& getArchetypePath() const { return archetypePath; }
    size_t getParticleCount() const { return particles.size(); }
    size_t getComplexParticleCount() const { return complexParticles.size(); }
    const std::vector<std::unique_ptr<Particle>>& getParticles() const { return particles; }
    const std::vector<std::unique_ptr<ComplexParticle>>& getComplexParticles() const { return complexParticles; }

private:
    void deleteArchetypes();
    ParticleEmitter* cloneArchetype(const std::string& name) const;

    int32_t particleLimit = 0;
    int32_t complexParticleLimit = 0;
    std::vector<std::unique_ptr<Particle>> particles;
    std::vector<std::unique_ptr<ComplexParticle>> complexParticles;
    std::map<std::string, ParticleEmitter*> archetypes;
    uint32_t emitterIdCounter = 0;
    GraphicsSystem* graphics;
    std::string archetypePath = kArchetypeFile;
};

class ParticleManagerNull : public ParticleManager
{
public:
    static ParticleManagerNull* instance();
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    bool isNull() const override { return true; }

    bool addParticle(Particle* particle) override;
    bool addComplexParticle(ComplexParticle* particle) override;
    bool canAddParticle() const override { return false; }
    bool canAddComplexParticle() const override { return false; }
    void clearParticles() override {}
    void loadArchetypes() override {}
    void registerArchetype(std::string, ParticleEmitter*) override {}
    ParticleEmitter* createEmitter(std::string name) override;
    std::map<std::string, ParticleEmitter*> getArchetypes() const override { return {}; }
    uint32_t nextEmitterId() override { return 0; }
};
