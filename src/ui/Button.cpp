#include "ui/Button.h"

#include "audio/SoundManager.h"
#include "engine/Engine.h"
#include "graphics/AnimationManager.h"
#include "graphics/DrawData.h"
#include "graphics/Mesh.h"
#include "graphics/MeshManager.h"
#include "graphics/TextureManager.h"
#include "input/InputSystem.h"
#include "ui/UIManager.h"

#include <imgui.h>

namespace
{
InputSystem* Input()
{
    return Engine::getSystem<InputSystem>(InputSystem::kName, InputSystemNull::instance());
}

bool GameWindowFocused()
{
    const Engine* engine = Engine::current();
    return engine && engine->isFocused();
}

void PlayUiSound(const char* preset)
{
    // The receipt is dropped at once: the sound plays on.
    Engine::getSystem<SoundManager>(SoundManager::kName, SoundManagerNull::instance())->playPreset(preset);
}
}

Button::Button(const std::string& buttonName) : UIElement(buttonName), textureName(kDefaultTexture)
{
    setType(kType);
    mesh = Engine::getSystem<MeshManager>(MeshManager::kName, MeshManagerNull::instance())->getMesh(kMeshName);
    sheet = Engine::getSystem<AnimationManager>(AnimationManager::kName, AnimationManagerNull::instance())
                ->getAnimationSheet(kSheetName);
}

Button::Button(const std::string& buttonName, Bare) : UIElement(buttonName) {}

ButtonNull* ButtonNull::instance()
{
    static ButtonNull null;
    return &null;
}

ButtonNull::ButtonNull() : Button("", Bare{}) {}

void Button::setPosition(const glm::vec3& position)
{
    transform.setPosition(position.x, position.y, position.z);
    setScreenPosition(position);
}

// Reads the input of this step, recomputes the look, then calls back and plays sounds. With
// a gamepad in use the mouse is ignored and only the selected button counts as hovered.
void Button::update()
{
    if (!visible)
        return;
    wasHovered = hovered;
    if (Input()->getControllerType() > 0)
        readGamepad();
    else
        readMouse();
    claimActivation();
    look = held ? kHeld : (hovered ? kHovered : kNormal);
    if (released && callback)
        callback();
    playSounds();
}

void Button::readGamepad()
{
    hovered = pressed = held = released = false;
    if (!selected)
        return;
    hovered = true;
    released = Input()->uiReleased();
    pressed = Input()->uiPressed();
}

void Button::readMouse()
{
    hovered = containsCursor();
    held = hovered && Input()->uiHeld();
    released = hovered && Input()->uiReleased();
    pressed = hovered && Input()->uiPressed();
}

// Strict on every side: a cursor on an edge, or a NaN coordinate, is outside.
bool Button::containsCursor() const
{
    float x = 0.0f;
    float y = 0.0f;
    Input()->getCursorPos(x, y);
    const glm::vec3 size = transform.getScale();
    const float left = screenPosition.x - size.x * 0.5f;
    const float right = screenPosition.x + size.x * 0.5f;
    const float lower = screenPosition.y - size.y * 0.5f;
    const float upper = screenPosition.y + size.y * 0.5f;
    return right > x && x > left && upper > y && y > lower;
}

// One press and one release of the interface button reach at most one button per step: a
// callback that selects another button (No on the quit banner selects Quit) must not see
// that button fire on the same release later in the walk.
void Button::claimActivation()
{
    UIManager* ui = Engine::getSystem<UIManager>(UIManager::kName, UIManagerNull::instance());
    pressed = pressed && ui->claimPress();
    released = released && ui->claimRelease();
}

void Button::playSounds() const
{
    if (!GameWindowFocused())
        return;
    if (!wasHovered && hovered)
        PlayUiSound(kHoverSound);
    if (released)
        PlayUiSound(kReleaseSound);
    if (pressed)
        PlayUiSound(kPressSound);
}

// The record arrives holding whatever was drawn last (the window's quad before the first
// element); it is drawn first, then the button's own look, and the caller sees the
// button's values afterwards.
void Button::draw(DrawData& data)
{
    if (!visible)
        return;
    mesh->draw(data, true);
    data.transform = transform;
    data.textureUVOffset = sheet->getFrameUV(static_cast<int32_t>(look), kSheetName);
    data.textureUVDimension = sheet->getSheetDimensions();
    data.texture =
        Engine::getSystem<TextureManager>(TextureManager::kName, TextureManagerNull::instance())->getTexture(textureName);
    mesh->draw(data, true);
}

void Button::drawEditor()
{
    glm::vec3 position = transform.getPosition();
    glm::vec3 scale = transform.getScale();
    ImGui::Begin(name.c_str(), nullptr, 0);
    ImGui::SliderFloat("Matrix X Position", &position.x, 0.0f, 400.0f, "%.3f");
    ImGui::SliderFloat("Matrix Y Position", &position.y, 0.0f, 400.0f, "%.3f");
    ImGui::SliderFloat("Matrix X Scale", &scale.x, 1.0f, 1000.0f, "%.3f");
    ImGui::SliderFloat("Matrix Y Scale", &scale.y, 1.0f, 1000.0f, "%.3f");
    ImGui::NewLine();
    ImGui::NewLine();
    if (ImGui::Button("CLOSE WINDOW"))
        active = false;
    ImGui::End();
    setPosition(position);
    setScale(scale);
}
