#include "world/MeshComp.h"

#include "engine/Engine.h"
#include "graphics/Mesh.h"
#include "graphics/MeshManager.h"

MeshComp::MeshComp() : mesh(MeshNull::instance())
{
    if (Engine::current())
        mesh = Engine::getSystem<MeshManager>(MeshManager::kName, MeshManagerNull::instance())->getMesh(kDefaultMesh);
}

Component* MeshComp::clone() const
{
    auto* copy = new MeshComp();
    copy->mesh = mesh;
    return copy;
}

Mesh* MeshComp::getMesh() const
{
    return mesh ? mesh : MeshNull::instance();
}

MeshCompNull::MeshCompNull() : MeshComp(MeshNull::instance()) {}

MeshCompNull* MeshCompNull::instance()
{
    static MeshCompNull null;
    return &null;
}

Mesh* MeshCompNull::getMesh() const
{
    return MeshNull::instance();
}
