#pragma once
// A textured screen quad that reacts to the mouse, or to the gamepad through a selection flag
// that the owning game state moves. It shows one of three looks from its sprite sheet
// (normal, hovered or selected, held), plays short interface sounds while the game window has
// the focus, and calls a plain callback when the interface button is released over it. The
// owning UIWindow updates and draws it; the window owns it once it is added.

#include "ui/UIElement.h"

#include <glm/glm.hpp>

#include <cstdint>
#include <string>

class AnimationSheet;

using ButtonCallback = void (*)();

class Button : public UIElement
{
public:
    static constexpr uint32_t kType = 1;
    static constexpr const char* kSheetName = "DefaultButton";
    static constexpr const char* kDefaultTexture = "ButtonDefault";
    static constexpr const char* kMeshName = "quad";
    static constexpr const char* kHoverSound = "UiHover";
    static constexpr const char* kReleaseSound = "UiHitOff";
    static constexpr const char* kPressSound = "UiHit";

    enum Look : uint32_t { kNormal = 0, kHovered = 1, kHeld = 2 };

    explicit Button(const std::string& name);

    void update() override;
    void draw(DrawData& data) override;
    uint32_t getType() const override { return kType; }
    void setPosition(const glm::vec3& position) override;
    void setMesh(Mesh* newMesh) override { mesh = newMesh; }
    void drawEditor() override;

    virtual ButtonCallback getCallback() const { return callback; }
    virtual void setCallback(const ButtonCallback& newCallback) { callback = newCallback; }
    virtual void setStoredPosition(const glm::vec3& position) { storedPosition = position; }
    virtual glm::vec3 getStoredPosition() const { return storedPosition; }
    virtual void setScreenPosition(const glm::vec3& position) { screenPosition = position; }
    virtual void setTexture(std::string name) { textureName = std::move(name); }
    virtual void setSelected(bool on) { selected = on; }
    virtual void setNext(Button* button) { next = button; }
    virtual void setPrevious(Button* button) { previous = button; }

    bool isSelected() const { return selected; }
    bool isHovered() const { return hovered; }
    bool isPressed() const { return pressed; }
    bool isHeld() const { return held; }
    bool isReleased() const { return released; }
    uint32_t getLook() const { return look; }
    const std::string& getTextureName() const { return textureName; }
    glm::vec3 getScreenPosition() const { return screenPosition; }
    Button* getNext() const { return next; }
    Button* getPrevious() const { return previous; }

protected:
    // The null button is built without the mesh, sheet and texture lookups.
    struct Bare
    {
    };
    Button(const std::string& name, Bare);

private:
    bool containsCursor() const;
    void readGamepad();
    void readMouse();
    void claimActivation();
    void playSounds() const;

    glm::vec3 storedPosition{0.0f};
    bool hovered = false;
    bool pressed = false;
    bool held = false;
    bool released = false;
    bool wasHovered = false;
    AnimationSheet* sheet = nullptr;
    uint32_t look = kNormal;
    glm::vec3 screenPosition{0.0f};
    std::string textureName;
    ButtonCallback callback = nullptr;
    bool selected = false;
    Button* next = nullptr;
    Button* previous = nullptr;
};

// Stands in every window slot whose button was deleted and answers failed element lookups.
class ButtonNull : public Button
{
public:
    static ButtonNull* instance();
    ButtonNull();

    uint32_t getType() const override { return 0; }
    void draw(DrawData&) override {}
    void setMesh(Mesh*) override {}
    void drawEditor() override {}
    ButtonCallback getCallback() const override { return nullptr; }
    void setCallback(const ButtonCallback&) override {}
    void setScreenPosition(const glm::vec3&) override {}
    bool isNull() const override { return true; }
};
