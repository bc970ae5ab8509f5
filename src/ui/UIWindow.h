#pragma once
// A textured screen quad that owns named child windows and named elements. One draw record
// runs through the whole tree and every step overwrites it, so the window's own transform and
// texture reach the screen through the first quad drawn after it is filled in: the first
// element's first draw, or the window's final draw when it holds nothing. Lookups of absent
// names throw std::out_of_range, as map lookups do.

#include "world/TransformComp.h"

#include <glm/glm.hpp>

#include <map>
#include <string>

class Mesh;
class UIElement;
struct DrawData;

class UIWindow
{
public:
    UIWindow(const glm::vec3& position, const glm::vec3& scale);
    virtual ~UIWindow();
    UIWindow(const UIWindow&) = delete;
    UIWindow& operator=(const UIWindow&) = delete;

    virtual void update();
    virtual void render(DrawData& data);
    // The first element or child of a name wins; a later one is not taken.
    virtual void addElement(const std::string& name, UIElement* element);
    virtual UIElement* getElement(const std::string& name);
    virtual void setPosition(const glm::vec3& position);
    virtual glm::vec3 getPosition() const;
    virtual void setScale(const glm::vec3& scale);
    virtual glm::vec3 getScale() const;
    virtual void addChildWindow(const std::string& name, UIWindow* child);
    virtual UIWindow* getChildWindow(const std::string& name);
    virtual bool isNull() const { return false; }

    // The texture is looked up by name at every render.
    void setTexture(std::string name) { textureName = std::move(name); }
    const std::string& getTextureName() const { return textureName; }

protected:
    // The null window is built without the mesh lookup.
    struct Bare
    {
    };
    explicit UIWindow(Bare);

private:
    std::string textureName;
    TransformComp transform;
    Mesh* mesh;
    std::map<std::string, UIWindow*> children;
    std::map<std::string, UIElement*> elements;
};

class UIWindowNull : public UIWindow
{
public:
    static UIWindowNull* instance();
    UIWindowNull() : UIWindow(Bare{}) {}

    void update() override {}
    void render(DrawData&) override {}
    void addElement(const std::string&, UIElement*) override {}
    UIElement* getElement(const std::string& name) override;
    void setPosition(const glm::vec3&) override {}
    glm::vec3 getPosition() const override { return glm::vec3(0.0f); }
    void setScale(const glm::vec3&) override {}
    glm::vec3 getScale() const override { return glm::vec3(0.0f); }
    void addChildWindow(const std::string&, UIWindow*) override {}
    UIWindow* getChildWindow(const std::string&) override { return this; }
    bool isNull() const override { return true; }
};
