#include "gameplay/PlayerLookups.h"

#include "gameplay/PlaySystems.h"
#include "particles/EmitterListComp.h"
#include "particles/ParticleEmitter.h"
#include "world/Entity.h"
#include "world/TextureComp.h"

namespace PlayerLookups
{
using namespace PlaySystems;

Entity* Player()
{
    return Entities()->getPlayer();
}

Entity* Package()
{
    return Entities()->getPackage();
}

ParticleEmitter* EmitterOf(const Entity* entity, const std::string& name)
{
    return entity->getComponent<EmitterListComp>(EmitterListComp::kName, EmitterListCompNull::instance())
        ->getEmitter(name);
}

void SetEmitterActive(const Entity* entity, const std::string& name, bool active)
{
    EmitterOf(entity, name)->setActive(active);
}

void SetTexture(const Entity* entity, const std::string& textureName)
{
    entity->getComponent<TextureComp>(TextureComp::kName, TextureCompNull::instance())
        ->setTexture(Textures()->getTexture(textureName));
}

void EnableActions(std::initializer_list<const char*> actions, bool enabled)
{
    InputSystem* input = Input();
    for (const char* action : actions)
    {
        if (enabled)
            input->enableAction(action);
        else
            input->disableAction(action);
    }
}
}
