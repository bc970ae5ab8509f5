#include "particles/EmitterListComp.h"

#include "particles/ParticleEmitter.h"

#include <iostream>

namespace
{
void DeleteUnlessNull(ParticleEmitter* emitter)
{
    if (emitter && !emitter->isNull())
        delete emitter;
}
}

EmitterListComp::~EmitterListComp()
{
    for (auto& entry : emitters)
        DeleteUnlessNull(entry.second);
}

void EmitterListComp::debugPrint() const
{
    std::cout << "This map contains the following emitters:" << std::endl;
    for (const auto& entry : emitters)
        std::cout << entry.first << std::endl;
}

void EmitterListComp::update()
{
    for (auto& entry : emitters)
        entry.second->update();
}

Component* EmitterListComp::clone() const
{
    auto* copy = new EmitterListComp();
    for (const auto& entry : emitters)
        copy->addEmitter(entry.first, entry.second->clone());
    return copy;
}

void EmitterListComp::drawEditors(int32_t* counter)
{
    for (auto& entry : emitters)
        entry.second->drawEditor(counter);
}

void EmitterListComp::addEmitter(const std::string& name, ParticleEmitter* emitter)
{
    if (!emitter || emitter->isNull())
        return;
    if (emitters.count(name) != 0)
    {
        if (emitters.at(name) != emitter)
            delete emitter;
        return;
    }
    emitters.emplace(name, emitter);
}

ParticleEmitter* EmitterListComp::getEmitter(const std::string& name) const
{
    const auto found = emitters.find(name);
    return found != emitters.end() ? found->second : ParticleEmitterNull::instance();
}

void EmitterListComp::setPosition(const glm::vec3& position)
{
    for (auto& entry : emitters)
        entry.second->setPosition(position);
}

void EmitterListComp::toggleAll()
{
    for (auto& entry : emitters)
        entry.second->setActive(!entry.second->isActive());
}

void EmitterListComp::activateByArchetype(const std::string& archetypeName)
{
    setActiveByArchetype(archetypeName, true);
}

void EmitterListComp::deactivateByArchetype(const std::string& archetypeName)
{
    setActiveByArchetype(archetypeName, false);
}

void EmitterListComp::setActiveByArchetype(const std::string& archetypeName, bool active)
{
    for (auto& entry : emitters)
        if (entry.second->getArchetypeName() == archetypeName)
            entry.second->setActive(active);
}

std::vector<ParticleEmitter*> EmitterListComp::getEmitters() const
{
    std::vector<ParticleEmitter*> list;
    list.reserve(emitters.size());
    for (const auto& entry : emitters)
        list.push_back(entry.second);
    return list;
}

EmitterListCompNull* EmitterListCompNull::instance()
{
    static EmitterListCompNull null;
    return &null;
}

void EmitterListCompNull::addEmitter(const std::string&, ParticleEmitter* emitter)
{
    DeleteUnlessNull(emitter);
}

ParticleEmitter* EmitterListCompNull::getEmitter(const std::string&) const
{
    return ParticleEmitterNull::instance();
}
