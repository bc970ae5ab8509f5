#include "ui/UIElement.h"

UIElement::UIElement(const std::string& elementName) : name(elementName) {}

void UIElement::setPosition(const glm::vec3& position)
{
    transform.setPosition(position.x, position.y, position.z);
}

void UIElement::setScale(const glm::vec3& scale)
{
    transform.setScale(scale.x, scale.y, scale.z);
}
