#include "graphics/BlendedDraw.h"

#include "graphics/GraphicsSystem.h"
#include "graphics/Mesh.h"

#include <utility>

BlendedDraw::BlendedDraw(Mesh* mesh, DrawData record) : DrawData(std::move(record)), mesh(mesh)
{
    const glm::vec3 object = mesh->getTransform().compose(transform).getPosition();
    GraphicsSystem* system = graphics ? graphics : GraphicsSystemNull::instance();
    depth = glm::distance(object, system->getCamera().getPosition());
}

void BlendedDraw::draw()
{
    mesh->draw(*this, false);
}
