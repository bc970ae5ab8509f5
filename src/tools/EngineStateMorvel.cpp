#include "tools/EngineStateMorvel.h"

#include "audio/SoundManager.h"
#include "engine/Engine.h"
#include "engine/TraceLog.h"
#include "input/InputSystem.h"
#include "tools/DebugSystem.h"
#include "world/Entity.h"
#include "world/EntityManager.h"
#include "world/MeshComp.h"
#include "world/SceneManager.h"
#include "world/TextureComp.h"
#include "world/TransformComp.h"

#include <GL/glew.h>

#include <algorithm>
#include <optional>

namespace
{
// The test entity is held by id: the entity itself may be deleted by any scene load while
// the C and V bindings stay live in every later state.
std::optional<uint32_t> gTestArcId;
glm::vec3 gTestArcStart{0.0f};
bool gDiagnosticsShown = false;
// Kept across entries: only the menu changes them.
bool gSceneChangerShown = true;
bool gAudioManagerShown = true;

const glm::vec3 kTestPosition(2.0f, 2.0f, 0.0f);
// Stretched far on purpose: the test is of a very tall body.
const glm::vec3 kTestScale(3.0f, 321.0f, 1.0f);

EntityManager* Entities()
{
    return Engine::getSystem<EntityManager>(EntityManager::kName, EntityManagerNull::instance());
}

DebugSystem* Debug()
{
    return Engine::getSystem<DebugSystem>(DebugSystem::kName, DebugSystemNull::instance());
}

TransformComp* TransformOf(Entity* entity)
{
    return entity->getComponent<TransformComp>(TransformComp::kName, TransformCompNull::instance());
}

void OnTestPos(InputEvent)
{
    TransformComp* transform = TransformOf(EngineStateMorvel::testArc());
    transform->setPosition(kTestPosition);
    transform->setScale(kTestScale);
}

void OnTestPos2(InputEvent)
{
    TransformOf(EngineStateMorvel::testArc())->setPosition(EngineStateMorvel::testArcStart());
}
}

EngineStateMorvel* EngineStateMorvel::instance()
{
    static EngineStateMorvel state;
    return &state;
}

// The presence test goes through the id list first, so a deleted entity is no error line.
Entity* EngineStateMorvel::testArc()
{
    if (!gTestArcId)
        return EntityNull::instance();
    const std::vector<uint32_t> ids = Entities()->getActiveIds();
    if (!std::binary_search(ids.begin(), ids.end(), *gTestArcId))
        return EntityNull::instance();
    return Entities()->findById(*gTestArcId);
}

glm::vec3 EngineStateMorvel::testArcStart()
{
    return gTestArcStart;
}

void EngineStateMorvel::initialize()
{
    bindTestKeys();
    Log()->message(kName, "Init");
    EntityManager* entities = Entities();
    entities->clearActive();
    Engine::getSystem<SceneManager>(SceneManager::kName, SceneManagerNull::instance())->loadScene(kScene);
    Entity* arc = entities->cloneArchetype(kTestArchetype);
    gTestArcId = arc->isNull() ? std::nullopt : std::optional<uint32_t>(arc->getId());
    makeEntitiesDrawable();
    gTestArcStart = TransformOf(arc)->getPosition();
    gDiagnosticsShown = Debug()->isDiagnosticsShown();
    buildMenus();
}

// Adding a binding or callback that exists already adds nothing, so every entry may do this.
void EngineStateMorvel::bindTestKeys() const
{
    InputSystem* input = Engine::getSystem<InputSystem>(InputSystem::kName, InputSystemNull::instance());
    input->addBinding(kTestPosAction, 'C', OnHold, OnTestPos);
    input->addBinding(kTestPosBackAction, 'V', OnPress, OnTestPos2);
}

// Only what an entity lacks is made, so entities that draw already keep their own mesh and
// texture and nothing is built just to be thrown away.
void EngineStateMorvel::makeEntitiesDrawable() const
{
    EntityManager* entities = Entities();
    for (uint32_t id : entities->getActiveIds())
    {
        Entity* entity = entities->findById(id);
        if (!entity->getComponents().count(MeshComp::kName))
            entity->addComponent(new MeshComp());
        if (!entity->getComponents().count(TextureComp::kName))
            entity->addComponent(new TextureComp());
    }
}

void EngineStateMorvel::buildMenus()
{
    debugMenus.clear();
    debugMenus[kMenuTitle] = {{kDiagnosticsItem, &gDiagnosticsShown},
                              {kSceneChangerItem, &gSceneChangerShown},
                              {kAudioManagerItem, &gAudioManagerShown}};
}

void EngineStateMorvel::update()
{
    Debug()->setDiagnosticsShown(gDiagnosticsShown);
}

// No context or camera of its own: the world draws through whatever camera it holds.
void EngineStateMorvel::render()
{
    glClearColor(1.0f, 1.0f, 0.0f, 1.0f);
}

// Drawn whenever the state tools are shown, whether or not the overlay is.
void EngineStateMorvel::debugGui()
{
    Debug()->drawMenuBar(debugMenus);
    if (gAudioManagerShown)
        Engine::getSystem<SoundManager>(SoundManager::kName, SoundManagerNull::instance())->drawEditor();
    SceneManager* scenes = Engine::getSystem<SceneManager>(SceneManager::kName, SceneManagerNull::instance());
    if (gSceneChangerShown && !scenes->isNull())
        scenes->drawSceneChanger();
    if (gDiagnosticsShown)
        Debug()->drawDiagnostics();
}
