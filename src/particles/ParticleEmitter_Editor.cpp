// ParticleEmitter: the live editor drawn inside a developer window. Every change reaches the
// running emitter at once; "Export to JSON" stores the emitter as a new archetype and rewrites
// the emitter file. Widgets whose label ends in "##" take the caller's counter as the rest of
// their identity, so several emitters can be edited in one window.

#include "particles/ParticleEmitter.h"

#include "engine/Engine.h"
#include "graphics/TextureManager.h"
#include "particles/ParticleManager.h"

#include <imgui.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace
{
constexpr std::array<const char*, 2> kSpawnTypes = {"Box", "Circle"};
constexpr std::array<const char*, 3> kTextureKinds = {"None", "Opaque", "Blended"};
constexpr const char* kUnknownItem = "Unknown";
constexpr const char* kVectorLabel = " X | Y##";
constexpr const char* kMillisecondsLabel = "milliseconds##";
constexpr const char* kColorLabel = "R | G | B | A##";

// The last export's outcome, shown under the button of whichever emitter is drawn.
std::string gExportStatus;

ParticleManager* Particles()
{
    return Engine::getSystem<ParticleManager>(ParticleManager::kName, ParticleManagerNull::instance());
}

TextureManager* Textures()
{
    return Engine::getSystem<TextureManager>(TextureManager::kName, TextureManagerNull::instance());
}

std::string Numbered(const char* label, int32_t* counter)
{
    return label + std::to_string((*counter)++);
}

template <size_t N>
const char* ItemOrUnknown(const std::array<const char*, N>& items, int32_t index)
{
    return index >= 0 && static_cast<size_t>(index) < N ? items[index] : kUnknownItem;
}

// A combo over fixed items; returns the index chosen this frame, or `current` when nothing was.
template <size_t N>
int32_t FixedCombo(const std::string& label, const std::array<const char*, N>& items, int32_t current)
{
    int32_t chosen = current;
    if (!ImGui::BeginCombo(label.c_str(), ItemOrUnknown(items, current)))
        return chosen;
    for (size_t i = 0; i < N; ++i)
        if (ImGui::Selectable(items[i], static_cast<int32_t>(i) == current))
            chosen = static_cast<int32_t>(i);
    ImGui::EndCombo();
    return chosen;
}

// A combo over texture names, starting at `current` when listed and at the first name
// otherwise; an empty list shows nothing and picks nothing.
std::string NameCombo(const std::string& label, const std::vector<std::string>& names, const std::string& current)
{
    if (names.empty())
        return current;
    const auto found = std::find(names.begin(), names.end(), current);
    std::string selected = found != names.end() ? current : names.front();
    if (!ImGui::BeginCombo(label.c_str(), selected.c_str()))
        return selected;
    for (const std::string& name : names)
        if (ImGui::Selectable(name.c_str(), name == selected))
            selected = name;
    ImGui::EndCombo();
    return selected;
}

void Label(const char* text, float sameLineAt = 0.0f)
{
    ImGui::TextUnformatted(text);
    ImGui::SameLine(sameLineAt);
}

void Width(float pixels)
{
    ImGui::SetNextItemWidth(pixels);
}

bool DragPair(const std::string& label, float* pair, float speed, float low, float high, const char* format)
{
    return ImGui::DragFloat2(label.c_str(), pair, speed, low, high, format);
}

// Milliseconds edited as 32-bit and stored widened with their sign, so -1 stays -1.
int64_t MillisecondsInput(const std::string& label, int64_t value)
{
    int32_t edited = static_cast<int32_t>(value);
    ImGui::InputInt(label.c_str(), &edited, 10, 100);
    return static_cast<int64_t>(edited);
}

// Capped at 255 only, so merely showing the editor never lifts a negative component to 0.
// The float is bounded before the cast so that no stored value can overflow it.
int32_t ColorByte(float component)
{
    if (std::isnan(component))
        return 0;
    const float scaled = std::min(component * 255.0f, 255.0f);
    return static_cast<int32_t>(std::max(scaled, static_cast<float>(std::numeric_limits<int32_t>::min())));
}

glm::vec4 ColorInput(const std::string& label, const glm::vec4& color)
{
    int32_t bytes[4] = {ColorByte(color.r), ColorByte(color.g), ColorByte(color.b), ColorByte(color.a)};
    ImGui::DragInt4(label.c_str(), bytes, 1.0f, 0, 255, "%3i");
    glm::vec4 edited;
    for (int i = 0; i < 4; ++i)
        edited[i] = std::min(static_cast<float>(bytes[i]) / 255.0f, 1.0f);
    return edited;
}
}

void ParticleEmitter::drawEditor(int32_t* counter)
{
    int32_t ownCounter = 0;
    if (!counter)
        counter = &ownCounter;
    drawPlacementEditor(counter);
    drawSpawnEditor(counter);
    drawMotionEditor(counter);
    drawTimingEditor(counter);
    drawLookEditor(counter);
    drawExportEditor(counter);
}

void ParticleEmitter::drawPlacementEditor(int32_t* counter)
{
    ImGui::Checkbox(Numbered("Allow Emitter to Loop##", counter).c_str(), &loop);
    Label("Position Offset: ");
    Width(200.0f);
    float offset[2] = {positionOffset.x, positionOffset.y};
    DragPair(Numbered(kVectorLabel, counter), offset, 0.01f, -2.0f, 2.0f, "%4f");
    setPositionOffset(glm::vec3(offset[0], offset[1], 0.0f));
    ImGui::NewLine();
    ImGui::TextUnformatted("Spawn Range :");
    bool show = getShowBounds();
    ImGui::Checkbox("Show Bounding Box", &show);
    setShowBounds(show);
}

// The shape's fields follow the type as it was before this frame's choice, so a newly
// chosen shape shows its fields from the next frame on.
void ParticleEmitter::drawSpawnEditor(int32_t* counter)
{
    ImGui::TextUnformatted("Range Type");
    Width(100.0f);
    const int32_t chosen = FixedCombo(Numbered("##", counter), kSpawnTypes, spawnType);
    if (spawnType == 0)
    {
        const glm::vec2 x = getSpawnRangeX();
        const glm::vec2 y = getSpawnRangeY();
        float bounds[4] = {x.x, x.y, y.x, y.y};
        const std::array<const char*, 4> labels = {" X Lower Bounds##", " X Upper Bounds##", " Y Lower Bounds##",
                                                   " Y Upper Bounds##"};
        for (size_t i = 0; i < labels.size(); ++i)
        {
            const bool lower = i % 2 == 0;
            Width(100.0f);
            ImGui::DragFloat(Numbered(labels[i], counter).c_str(), &bounds[i], 0.01f, lower ? -2.0f : 0.0f,
                             lower ? 0.0f : 2.0f, "%4f");
        }
        setSpawnRangeX(bounds[0], bounds[1]);
        setSpawnRangeY(bounds[2], bounds[3]);
    }
    else if (spawnType == 1)
    {
        float edited = getRadius();
        Width(100.0f);
        ImGui::DragFloat(Numbered("Radius##", counter).c_str(), &edited, 0.01f, 0.0f, 2.0f, "%4f");
        setRadius(edited);
    }
    spawnType = chosen;
    ImGui::NewLine();
    ImGui::Checkbox(Numbered("Use Density For Spawning Particles##", counter).c_str(), &useDensity);
    Label("Number of Default Particles : ");
    Width(90.0f);
    ImGui::InputInt(Numbered("##", counter).c_str(), &numParticles, 1, 100);
    Label("Number of Complex Particles : ");
    Width(90.0f);
    ImGui::InputInt(Numbered("##", counter).c_str(), &numComplexParticles, 1, 100);
}

void ParticleEmitter::drawMotionEditor(int32_t* counter)
{
    ImGui::NewLine();
    Label("Base Velocity", 142.0f);
    Width(150.0f);
    float base[2] = {velocity.x, velocity.y};
    DragPair(Numbered(kVectorLabel, counter), base, 0.01f, 0.0f, 1.0f, "%.3f");
    setVelocity(glm::vec3(base[0], base[1], velocity.z));
    Label("Velocity Deviation");
    Width(150.0f);
    float deviation[2] = {velocityDeviationX, velocityDeviationY};
    DragPair(Numbered(kVectorLabel, counter), deviation, 0.01f, 0.0f, 1.0f, "%.3f");
    velocityDeviationX = deviation[0];
    velocityDeviationY = deviation[1];
    ImGui::NewLine();
    Label("Acceleration (x100)");
    Width(150.0f);
    float scaled[2] = {acceleration.x * 100.0f, acceleration.y * 100.0f};
    DragPair(Numbered(kVectorLabel, counter), scaled, 0.005f, -1.0f, 1.0f, "%.5f");
    setAcceleration(glm::vec3(scaled[0] / 100.0f, scaled[1] / 100.0f, acceleration.z));
}

void ParticleEmitter::drawTimingEditor(int32_t* counter)
{
    ImGui::NewLine();
    Label("Lifespan (-1 for Inf)");
    Width(110.0f);
    lifespan = MillisecondsInput(Numbered(kMillisecondsLabel, counter), lifespan);
    Label("Loop Delay", 163.0f);
    Width(110.0f);
    loopDelay = MillisecondsInput(Numbered(kMillisecondsLabel, counter), loopDelay);
    Label("Loop Delay Deviation", 163.0f);
    Width(110.0f);
    loopDelayDeviation = MillisecondsInput(Numbered(kMillisecondsLabel, counter), loopDelayDeviation);
    ImGui::NewLine();
    Label("Particle Lifespan", 205.0f);
    Width(110.0f);
    particleLifespan = MillisecondsInput(Numbered(kMillisecondsLabel, counter), particleLifespan);
    Label("Particle Lifespan Deviation");
    Width(110.0f);
    particleLifespanDeviation = MillisecondsInput(Numbered(kMillisecondsLabel, counter), particleLifespanDeviation);
}

void ParticleEmitter::drawLookEditor(int32_t* counter)
{
    ImGui::NewLine();
    Label("Base Particle Scale", 184.0f);
    Width(150.0f);
    float scale[2] = {baseParticleScale.x, baseParticleScale.y};
    DragPair(Numbered(kVectorLabel, counter), scale, 0.01f, 0.0f, 2.0f, "%.3f");
    setBaseParticleScale(glm::vec3(scale[0], scale[1], baseParticleScale.z));
    Label("Particle Scale Deviation");
    Width(150.0f);
    float spread[2] = {particleScaleDeviation.x, particleScaleDeviation.y};
    DragPair(Numbered(kVectorLabel, counter), spread, 0.01f, 0.0f, 1.0f, "%.3f");
    setParticleScaleDeviation(glm::vec3(spread[0], spread[1], particleScaleDeviation.z));
    ImGui::NewLine();
    Label("Color", 121.0f);
    Width(200.0f);
    setColor(ColorInput(Numbered(kColorLabel, counter), color));
    Label("Color Deviation");
    Width(200.0f);
    setColorDeviation(ColorInput(Numbered(kColorLabel, counter), colorDeviation));
    drawTextureEditor(counter);
}

// The kind chosen here holds for this frame only: choosing a kind whose list lacks the
// current texture switches the emitter to that kind's first texture.
void ParticleEmitter::drawTextureEditor(int32_t* counter)
{
    ImGui::NewLine();
    ImGui::TextUnformatted("Current Texture");
    Width(100.0f);
    const int32_t kind = FixedCombo(Numbered("##", counter), kTextureKinds, static_cast<int32_t>(texture.kind));
    ImGui::SameLine();
    std::vector<std::string> names;
    if (kind == static_cast<int32_t>(TextureKind::Blended))
    {
        names = Textures()->getBlendedTextureNames();
        Width(100.0f);
    }
    else if (kind == static_cast<int32_t>(TextureKind::Opaque))
    {
        names = Textures()->getOpaqueTextureNames();
        Width(315.0f);
    }
    else
    {
        return;
    }
    const std::string selected = NameCombo(Numbered("##", counter), names, textureName);
    if (selected != textureName)
    {
        setTexture(Textures()->getTexture(selected));
        setTextureName(selected);
    }
}

// The manager keeps the first archetype of a name, so only a new name adds this emitter to
// the file; the window says so before the press.
void ParticleEmitter::drawExportEditor(int32_t* counter)
{
    ImGui::NewLine();
    Label("Archetype Name : ");
    Width(200.0f);
    ImGui::InputText(Numbered("64 chars max##", counter).c_str(), archetypeName, kArchetypeNameSize);
    ParticleManager* manager = Particles();
    const bool nameTaken = manager->getArchetypes().count(archetypeName) != 0;
    if (ImGui::Button("Export to JSON"))
    {
        manager->registerArchetype(archetypeName, this);
        gExportStatus = exportToJson() ? "Exported to " + manager->getArchetypePath() + "."
                                       : "Export FAILED: " + manager->getArchetypePath() +
                                             " could not be written; the old file is kept.";
    }
    if (nameTaken)
        ImGui::TextUnformatted("This name is already an archetype: exporting keeps its stored values, "
                               "not these. Type a new name to save these.");
    if (!gExportStatus.empty())
        ImGui::TextUnformatted(gExportStatus.c_str());
}
