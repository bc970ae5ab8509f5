#include "tools/EngineStateQuenby.h"

#include "engine/Engine.h"
#include "engine/TraceLog.h"
#include "graphics/Camera.h"
#include "graphics/GraphicsSystem.h"
#include "particles/EmitterListComp.h"
#include "particles/ParticleEmitter.h"
#include "particles/ParticleManager.h"
#include "tools/DebugSystem.h"
#include "world/Entity.h"
#include "world/EntityManager.h"
#include "world/TransformComp.h"

#include <GL/glew.h>
#include <imgui.h>

#include <array>

namespace
{
bool gClearEmittersRequest = false;
bool gClearEntitiesRequest = false;
bool gClearAllRequest = false;
bool gEmitterEditorShown = false;
// Kept from one visit to the next.
bool gDemoShown = false;
bool gDiagnosticsShown = false;
bool gUiEditorShown = false;

Camera gQuenbyCamera;
GraphicsSystem* gQuenbyGraphics = GraphicsSystemNull::instance();

struct SpawnChoice
{
    const char* archetype;
    bool resize;
    bool staticBody;
};

// Spawned a little behind the emitters, at the origin.
const glm::vec3 kSpawnPosition(0.0f, 0.0f, -0.1f);
constexpr float kSpawnedPlayerHeight = 1.53f;
constexpr std::array<SpawnChoice, 4> kSpawnChoices = {
    SpawnChoice{"Player", true, true}, SpawnChoice{"Goal", false, false}, SpawnChoice{"Package", false, true},
    SpawnChoice{"Hazard", false, false}};
constexpr const char* kDynamicFlag = "dynamic";

EntityManager* Entities()
{
    return Engine::getSystem<EntityManager>(EntityManager::kName, EntityManagerNull::instance());
}

ParticleManager* Particles()
{
    return Engine::getSystem<ParticleManager>(ParticleManager::kName, ParticleManagerNull::instance());
}

DebugSystem* Debug()
{
    return Engine::getSystem<DebugSystem>(DebugSystem::kName, DebugSystemNull::instance());
}

EmitterListComp* EmittersOf(Entity* entity)
{
    return entity->getComponent<EmitterListComp>(EmitterListComp::kName, EmitterListCompNull::instance());
}
}

EngineStateQuenby* EngineStateQuenby::instance()
{
    static EngineStateQuenby state;
    return &state;
}

void EngineStateQuenby::initialize()
{
    gQuenbyCamera.setProjectionMode(ProjectionMode::Perspective);
    gQuenbyCamera.setPosition(glm::vec3(0.0f, 0.0f, 10.0f));
    Log()->message(kName, "Init");
    gQuenbyGraphics = Engine::getSystem<GraphicsSystem>(GraphicsSystem::kName, GraphicsSystemNull::instance());
    Entities()->clearActive();
    Particles()->clearParticles();
    addRequest = false;
    emitterName = kNoEmitter;
    gClearEmittersRequest = false;
    gClearEntitiesRequest = false;
    gClearAllRequest = false;
    gEmitterEditorShown = true;
    gDiagnosticsShown = Debug()->isDiagnosticsShown();
    debugMenus.clear();
    debugMenus[kMenuTitle] = {{"Particle Emitter Editor", &gEmitterEditorShown},
                              {"IMGUI Demo", &gDemoShown},
                              {"Diagnostics", &gDiagnosticsShown},
                              {"UI Element Editor", &gUiEditorShown}};
    gQuenbyGraphics->setFrustumCulling(GraphicsSystem::kWorldContext, false);
}

// Requests set by this step's GUI frame are carried out at the next step, in this order.
void EngineStateQuenby::update()
{
    if (addRequest)
        addEmitterEntity(emitterName);
    if (spawnRequest)
        spawnArchetype(spawnKind);
    if (gClearEmittersRequest)
        clearEmitters();
    if (gClearEntitiesRequest)
        clearEntities();
    if (gClearAllRequest)
        clearAll();
    Debug()->setDiagnosticsShown(gDiagnosticsShown);
}

void EngineStateQuenby::render()
{
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    gQuenbyGraphics->setContext(GraphicsSystem::kWorldContext, gQuenbyCamera);
}

void EngineStateQuenby::shutdown()
{
    Particles()->clearParticles();
    Entities()->clearActive();
}

// An emitter only ever lands in a real list: the shared null emitter is never stored, and an
// emitter whose entity could not be made is deleted rather than leaked.
void EngineStateQuenby::addEmitterEntity(std::string emitterArchetype)
{
    addRequest = false;
    Entity* entity = Entities()->cloneArchetype(kEmitterEntityArchetype);
    ParticleEmitter* emitter = Particles()->createEmitter(emitterArchetype);
    if (emitter->isNull())
        return;
    if (entity->isNull())
    {
        delete emitter;
        return;
    }
    emitter->setNeverExpires(true);
    emitter->setActive(true);
    EmittersOf(entity)->addEmitter(emitterArchetype, emitter);
}

void EngineStateQuenby::spawnArchetype(int32_t kind)
{
    spawnRequest = false;
    if (kind < 0 || kind >= static_cast<int32_t>(kSpawnChoices.size()))
        return;
    const SpawnChoice& choice = kSpawnChoices[static_cast<size_t>(kind)];
    Entity* entity = Entities()->cloneArchetype(choice.archetype);
    TransformComp* transform = entity->getComponent<TransformComp>(TransformComp::kName, TransformCompNull::instance());
    transform->setPosition(kSpawnPosition);
    if (choice.resize)
        transform->setScale(1.0f, kSpawnedPlayerHeight, transform->getScale().z);
    if (choice.staticBody)
        entity->setFlag(kDynamicFlag, false);
}

void EngineStateQuenby::clearEmitters()
{
    deleteEntitiesWhere(true);
    Particles()->clearParticles();
    gClearEmittersRequest = false;
}

void EngineStateQuenby::clearEntities()
{
    deleteEntitiesWhere(false);
    gClearEntitiesRequest = false;
}

void EngineStateQuenby::clearAll()
{
    Particles()->clearParticles();
    Entities()->clearActive();
    gClearAllRequest = false;
}

void EngineStateQuenby::deleteEntitiesWhere(bool emitterEntities) const
{
    EntityManager* entities = Entities();
    for (uint32_t id : entities->getActiveIds())
        if (entities->findById(id)->getFlag(kEmitterEntityFlag) == emitterEntities)
            entities->deleteEntity(id);
}

void EngineStateQuenby::debugGui()
{
    Debug()->drawMenuBar(debugMenus);
    if (gDemoShown)
        ImGui::ShowDemoWindow(nullptr);
    if (gEmitterEditorShown)
        drawEmitterGenerator();
    if (gDiagnosticsShown)
        Debug()->drawDiagnostics();
}

// Emitter entities are numbered afresh in every frame, so the headers always run from 1.
void EngineStateQuenby::drawEmitterGenerator()
{
    ImGui::SetNextWindowSize(ImVec2(450.0f, 500.0f));
    ImGui::Begin(kGeneratorTitle, nullptr, ImGuiWindowFlags_MenuBar);
    drawGeneratorMenus();
    EntityManager* entities = Entities();
    int32_t header = 0;
    int32_t counter = 0;
    for (uint32_t id : entities->getActiveIds())
    {
        Entity* entity = entities->findById(id);
        if (!entity->getFlag(kEmitterEntityFlag))
            continue;
        ++header;
        if (ImGui::CollapsingHeader(("Emitter " + std::to_string(header)).c_str()))
            EmittersOf(entity)->drawEditors(&counter);
    }
    ImGui::End();
}

// Hovering an item chooses what it acts on; the click only sets the request.
void EngineStateQuenby::drawGeneratorMenus()
{
    if (!ImGui::BeginMenuBar())
        return;
    if (ImGui::BeginMenu("New"))
    {
        for (const auto& archetype : Particles()->getArchetypes())
        {
            ImGui::MenuItem(archetype.first.c_str(), nullptr, &addRequest);
            if (ImGui::IsItemHovered())
                emitterName = archetype.first;
        }
        ImGui::EndMenu();
    }
    if (ImGui::BeginMenu("Spawn Entity"))
    {
        for (size_t kind = 0; kind < kSpawnChoices.size(); ++kind)
        {
            ImGui::MenuItem(kSpawnChoices[kind].archetype, nullptr, &spawnRequest);
            if (ImGui::IsItemHovered())
                spawnKind = static_cast<int32_t>(kind);
        }
        ImGui::EndMenu();
    }
    if (ImGui::BeginMenu("Edit"))
    {
        ImGui::MenuItem("Clear Emitters", nullptr, &gClearEmittersRequest);
        ImGui::MenuItem("Clear Entities", nullptr, &gClearEntitiesRequest);
        ImGui::MenuItem("Clear All", nullptr, &gClearAllRequest);
        ImGui::EndMenu();
    }
    ImGui::EndMenuBar();
}
