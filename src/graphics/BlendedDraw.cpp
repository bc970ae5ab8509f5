#include "graphics/BlendedDraw.h"

#include "graphics/GraphicsSystem.h"
#include "graphics/Mesh.h"

#include <utility>

BlendedDraw::BlendedDraw(Mesh* mesh, DrawData record) : DrawData(std::move(record)), mesh(mesh)
{
    const glm::vec3 object = mesh->getTransform().compose(transform).getPosition();
    GraphicsSystem* system = graphics ? graphics : GraphicsSystemNull::instance();
    depth = glm::distance(object, system->getCameraPosition());
}

BlendedDraw::BlendedDraw(Mesh* mesh, const DrawData& record, GraphicsSystem* system, const glm::vec3& objectPosition)
    : DrawData(record), mesh(mesh)
{
    graphics = system;
    contextName = system->getContextName();
    depth = glm::distance(objectPosition, system->getCameraPosition());
}

void BlendedDraw::draw()
{
    mesh->draw(*this, false);
}
