#pragma once
// The drawing state of one linked shader program: the program, the camera whose matrices
// feed "projection" and "view", the program's active uniforms by name with their GL types
// (looked up once, so each upload is a map lookup and one GL call), the template DrawData
// and the culling switch.

#include "graphics/Camera.h"
#include "graphics/DrawData.h"
#include "graphics/UniformLookup.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class RenderContext
{
public:
    // Queries the program's active uniforms: needs a current GL context.
    explicit RenderContext(uint32_t program);
    virtual ~RenderContext() = default;

    virtual std::vector<std::string> getUniformNames() const;
    virtual uint32_t getProgram() const;
    virtual void setCamera(const Camera& newCamera);
    virtual void setFrustumCulling(uint32_t on);
    virtual Camera getCamera() const;
    // The camera's position without copying the camera (the blended pass asks once per draw).
    virtual glm::vec3 getCameraPosition() const;
    // A copy of the template, its culling switch and (while culling) its rectangle refreshed.
    virtual DrawData getDrawData();
    // Uploads count values through the GL call that matches the uniform's type; the program
    // must be in use. Unknown names do nothing; types without an upload call throw
    // std::invalid_argument.
    virtual void setUniform(const std::string& name, int32_t count, const void* data);
    virtual bool isNull() const { return false; }

    const std::string& getName() const { return name; }
    void setName(const std::string& newName) { name = newName; }
    uint32_t getFrustumCulling() const { return frustumCulling; }
    // The stored entry, or a location of -1 and type 0 for a name the program lacks.
    UniformInfo getUniformInfo(const std::string& uniformName) const;

protected:
    // The null context: built without asking GL anything.
    RenderContext();

private:
    void refreshCulling();

    uint32_t program = 0;
    Camera camera;
    std::map<std::string, UniformInfo> uniforms;
    UniformLookup lookup;
    DrawData drawData;
    uint32_t frustumCulling = 0;
    std::string name;
};

class RenderContextNull : public RenderContext
{
public:
    static RenderContextNull* instance();

    std::vector<std::string> getUniformNames() const override { return {}; }
    uint32_t getProgram() const override { return 0; }
    void setCamera(const Camera&) override {}
    void setFrustumCulling(uint32_t) override {}
    Camera getCamera() const override { return Camera(); }
    glm::vec3 getCameraPosition() const override { return Camera().getPosition(); }
    DrawData getDrawData() override;
    void setUniform(const std::string&, int32_t, const void*) override {}
    bool isNull() const override { return true; }

private:
    RenderContextNull() = default;
};

// The system registered as "GraphicsSystem", or the null graphics system.
GraphicsSystem* RegisteredGraphics();
