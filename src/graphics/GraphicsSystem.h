#pragma once
// All drawing passes through here. One render context per shader program, one of them
// current. The engine registers this system twice: the first render call of a frame sets up
// the opaque pass (systems in between draw opaque objects at once and queue translucent
// ones), the second drains the queue farthest-first with source-alpha blending.

#include "engine/IEngineSystem.h"
#include "engine/Observer.h"
#include "graphics/BlendedDraw.h"
#include "graphics/BlendedQueue.h"
#include "graphics/Camera.h"
#include "graphics/DrawData.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class RenderContext;

class GraphicsSystem : public IEngineSystem, public Observer
{
public:
    static constexpr const char* kName = "GraphicsSystem";
    static constexpr const char* kTransparentKey = "GraphicsSystemTransparent";
    // Render contexts are named after their shader folders; the world draws through this one.
    static constexpr const char* kWorldContext = "WorldShader";
    static constexpr const char* kInterfaceContext = "UIShader";
    static constexpr const char* kBlendedTimingName = "GraphicsSystem - Blended Draw";
    static GraphicsSystem* getInstance();

    GraphicsSystem();
    ~GraphicsSystem() override;

    void initialize() override;
    void update() override;
    void render() override;
    // Frees the contexts; the engine calls it once per registration, and the second call
    // finds nothing left to free. A later initialize builds them again.
    void shutdown() override;

    // Makes the named context current, binds its program and uploads "projection" and "view"
    // from its stored camera sized to the window. An unknown name leaves the null context
    // current with an error line.
    virtual void setContext(const std::string& name, const Camera& camera);
    virtual void setContext(const std::string& name);
    virtual std::string getContextName();
    // Gives the current context a copy of the camera sized to the window.
    virtual void setCamera(const Camera& camera);
    virtual Camera getCamera();
    virtual Camera getCamera(const std::string& contextName);
    // The current context's camera position, without copying the camera.
    virtual glm::vec3 getCameraPosition();
    virtual DrawData getDrawData();
    virtual void setUniform(const std::string& name, int32_t count, const void* data);
    virtual void addBlendedDraw(BlendedDraw draw);
    virtual void setFrustumCulling(const std::string& contextName, bool on);
    virtual void setFrustumCulling(bool on);

    bool isInitialized() const { return initialized; }
    bool isBlendedPassNext() const { return blendedPassNext; }
    size_t getBlendedQueueSize() const { return blendedQueue.size(); }
    // The named context, or the null context.
    RenderContext* getContext(const std::string& name) const;

private:
    void prepareOpaquePass();
    void drawBlendedPass();

    std::map<std::string, std::unique_ptr<RenderContext>> contexts;
    RenderContext* current;
    BlendedQueue blendedQueue;
    bool blendedPassNext = false;
    bool initialized = false;
};

class GraphicsSystemNull : public GraphicsSystem
{
public:
    static GraphicsSystemNull* instance();
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    void restart() override {}
    bool isNull() const override { return true; }

    void setContext(const std::string&, const Camera&) override {}
    void setContext(const std::string&) override {}
    std::string getContextName() override { return {}; }
    void setCamera(const Camera&) override {}
    Camera getCamera() override { return Camera(); }
    Camera getCamera(const std::string&) override { return Camera(); }
    glm::vec3 getCameraPosition() override { return Camera().getPosition(); }
    // A default record that points back here, so callers that draw through it reach a
    // system that ignores them instead of a null pointer.
    DrawData getDrawData() override;
    void setUniform(const std::string&, int32_t, const void*) override {}
    void addBlendedDraw(BlendedDraw) override {}
    void setFrustumCulling(const std::string&, bool) override {}
    void setFrustumCulling(bool) override {}
};
