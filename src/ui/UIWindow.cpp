#include "ui/UIWindow.h"

#include "engine/Engine.h"
#include "graphics/DrawData.h"
#include "graphics/Mesh.h"
#include "graphics/MeshManager.h"
#include "graphics/TextureManager.h"
#include "ui/Button.h"

#include <stdexcept>

namespace
{
constexpr const char* kMeshName = "quad";
constexpr const char* kMissingKey = "invalid map<K, T> key";

template <class T>
T* Find(const std::map<std::string, T*>& map, const std::string& name)
{
    const auto found = map.find(name);
    if (found == map.end())
        throw std::out_of_range(kMissingKey);
    return found->second;
}
}

UIWindow::UIWindow(const glm::vec3& position, const glm::vec3& scale)
    : mesh(Engine::getSystem<MeshManager>(MeshManager::kName, MeshManagerNull::instance())->getMesh(kMeshName))
{
    transform.setPosition(position);
    transform.setScale(scale);
}

UIWindow::UIWindow(Bare) : mesh(MeshNull::instance()) {}

UIWindowNull* UIWindowNull::instance()
{
    static UIWindowNull null;
    return &null;
}

UIElement* UIWindowNull::getElement(const std::string&)
{
    return ButtonNull::instance();
}

// Buttons are the window's own; elements of any other kind are borrowed and stay alive.
UIWindow::~UIWindow()
{
    for (auto& [name, element] : elements)
    {
        if (element->getType() != Button::kType)
            continue;
        delete element;
        element = ButtonNull::instance();
    }
    for (auto& [name, child] : children)
    {
        if (child->isNull())
            continue;
        delete child;
        child = UIWindowNull::instance();
    }
}

void UIWindow::update()
{
    for (auto& [name, child] : children)
        child->update();
    for (auto& [name, element] : elements)
        element->update();
}

// A window without a texture name draws the placeholder, asked for by its own name so that
// the texture manager does not report a missing texture on every frame.
void UIWindow::render(DrawData& data)
{
    data.transform = transform;
    const std::string texture = textureName.empty() ? TextureManager::kFallbackName : textureName;
    data.texture =
        Engine::getSystem<TextureManager>(TextureManager::kName, TextureManagerNull::instance())->getTexture(texture);
    for (auto& [name, child] : children)
        child->render(data);
    for (auto& [name, element] : elements)
        element->draw(data);
    mesh->draw(data, true);
}

void UIWindow::addElement(const std::string& name, UIElement* element)
{
    if (element)
        elements.try_emplace(name, element);
}

UIElement* UIWindow::getElement(const std::string& name)
{
    return Find(elements, name);
}

void UIWindow::setPosition(const glm::vec3& position)
{
    transform.setPosition(position);
}

glm::vec3 UIWindow::getPosition() const
{
    return transform.getPosition();
}

void UIWindow::setScale(const glm::vec3& scale)
{
    transform.setScale(scale);
}

glm::vec3 UIWindow::getScale() const
{
    return transform.getScale();
}

void UIWindow::addChildWindow(const std::string& name, UIWindow* child)
{
    if (child)
        children.try_emplace(name, child);
}

UIWindow* UIWindow::getChildWindow(const std::string& name)
{
    return Find(children, name);
}
