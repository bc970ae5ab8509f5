#pragma once
// Base of everything a UIWindow holds by name and draws in window pixels: a transform whose
// position is the element's centre and whose scale is its full width and height. Buttons are
// the only kind so far; the type code lets a window tell the elements it owns (buttons) from
// those it only borrows.

#include "world/TransformComp.h"

#include <glm/glm.hpp>

#include <cstdint>
#include <string>

class Mesh;
struct DrawData;

class UIElement
{
public:
    explicit UIElement(const std::string& name);
    virtual ~UIElement() = default;
    UIElement(const UIElement&) = delete;
    UIElement& operator=(const UIElement&) = delete;

    virtual void update() = 0;
    virtual void draw(DrawData& data) = 0;
    virtual uint32_t getType() const = 0;
    virtual void setPosition(const glm::vec3& position);
    virtual void setScale(const glm::vec3& scale);
    virtual void setMesh(Mesh* newMesh) = 0;
    virtual std::string getName() const { return name; }
    virtual void drawEditor() = 0;
    virtual bool isActive() const { return active; }
    virtual void setActive(bool on) { active = on; }
    virtual void setVisible(bool on) { visible = on; }
    virtual bool isNull() const { return false; }

    void setType(uint32_t code) { typeCode = code; }
    bool isVisible() const { return visible; }
    const TransformComp& getTransform() const { return transform; }

protected:
    TransformComp transform;
    Mesh* mesh = nullptr;
    bool active = false;
    bool visible = true;
    std::string name;
    uint32_t typeCode = 0;
};
