#pragma once
// A hidden window, an engine of the same size made current, and fresh rendering systems
// registered under their names: the common set-up of the rendering GL tests. Systems are
// local objects, not the process-wide singletons, so tests never share GL state.

#include "engine/Engine.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/MeshManager.h"
#include "graphics/ShaderManager.h"
#include "graphics/TextureManager.h"
#include "support/GLContext.h"
#include "tools/DebugSystem.h"

#include <string>

namespace test
{
// A perspective camera at a position, looking down -z: what the blended-pass tests measure
// their depths from.
inline Camera PerspectiveAt(const glm::vec3& position)
{
    Camera camera;
    camera.setProjectionMode(ProjectionMode::Perspective);
    camera.setPosition(position);
    return camera;
}

class RenderRig
{
public:
    static constexpr int kWidth = 1280;
    static constexpr int kHeight = 720;

    RenderRig() : gl(kWidth, kHeight), engine("GL test", kWidth, kHeight, 10000)
    {
        engine.makeCurrent();
        shaders.setName(ShaderManager::kName);
        meshes.setName(MeshManager::kName);
        textures.setName(TextureManager::kName);
        graphics.setName(GraphicsSystem::kName);
        debug.setName(DebugSystem::kName);
        engine.registerSystem(&shaders);
        engine.registerSystem(&meshes);
        engine.registerSystem(&textures);
        engine.registerSystem(&graphics);
        engine.registerSystem(&debug);
        engine.registerSystemAs(GraphicsSystem::kTransparentKey, &graphics);
    }

    // The game's shaders and meshes, then the contexts built from them.
    void startGraphics()
    {
        shaders.buildPrograms(ShaderManager::kShaderFolder);
        meshes.loadFolder(MeshManager::kMeshFolder);
        graphics.initialize();
    }

    ~RenderRig()
    {
        // GL objects go while the context still exists.
        meshes.shutdown();
        textures.shutdown();
    }

    GLContext gl;
    Engine engine;
    ShaderManager shaders;
    MeshManager meshes;
    TextureManager textures;
    GraphicsSystem graphics;
    DebugSystem debug;
};
}
