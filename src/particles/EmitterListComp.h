#pragma once
// An entity's particle emitters by name. The list owns its emitters and steps them with the
// entity's components; a clone of the list holds clones of them, so every placed entity has
// emitters of its own. The shared null emitter is never stored, so a list never deletes it.

#include "world/Component.h"

#include <glm/glm.hpp>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class ParticleEmitter;

class EmitterListComp : public Component
{
public:
    static inline const std::string kName{"EmitterListComp"};

    EmitterListComp() = default;
    EmitterListComp(const EmitterListComp&) = delete;
    EmitterListComp& operator=(const EmitterListComp&) = delete;
    ~EmitterListComp() override;

    void debugPrint() const override;
    void update() override;
    Component* clone() const override;
    std::string getName() const override { return kName; }

    virtual uint64_t count() const { return emitters.size(); }
    // Every emitter's editor in name order, all numbered from the one counter.
    virtual void drawEditors(int32_t* counter);
    // Always takes the emitter: one offered under a name already present (or the null
    // emitter) is deleted (or dropped) instead of stored, so a rejected offer never leaks.
    virtual void addEmitter(const std::string& name, ParticleEmitter* emitter);
    // The null emitter for a name the list lacks, never an exception: an entity file that
    // leaves out an emitter the player controller switches loses that effect, not the game.
    virtual ParticleEmitter* getEmitter(const std::string& name) const;
    virtual void setPosition(const glm::vec3& position);
    virtual void toggleAll();
    // Acts on this list's own emitters: a touched checkpoint lights its own sparks.
    virtual void activateByArchetype(const std::string& archetypeName);
    virtual void deactivateByArchetype(const std::string& archetypeName);
    // Every emitter in name order; the list keeps ownership.
    virtual std::vector<ParticleEmitter*> getEmitters() const;

private:
    void setActiveByArchetype(const std::string& archetypeName, bool active);

    std::map<std::string, ParticleEmitter*, std::less<>> emitters;
};

class EmitterListCompNull : public EmitterListComp
{
public:
    static EmitterListCompNull* instance();

    void debugPrint() const override {}
    void update() override {}
    Component* clone() const override { return instance(); }
    std::string getName() const override { return "EmitterListCompNull"; }
    bool isNull() const override { return true; }

    uint64_t count() const override { return 0; }
    void drawEditors(int32_t*) override {}
    void addEmitter(const std::string& name, ParticleEmitter* emitter) override;
    ParticleEmitter* getEmitter(const std::string& name) const override;
    void setPosition(const glm::vec3&) override {}
    void toggleAll() override {}
    std::vector<ParticleEmitter*> getEmitters() const override { return {}; }
};
