#pragma once
// Builds one GL program per folder under "shaders/": the folder's name is the program's
// name, each file in it one stage chosen by its extension ("vert", "frag", "geom", "comp").
// Registered first among the drawing systems: GraphicsSystem builds one render context per
// program it finds here, so a shader folder becomes a context name such as "WorldShader".

#include "engine/IEngineSystem.h"
#include "engine/Observer.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class ShaderManager : public IEngineSystem, public Observer
{
public:
    static constexpr const char* kName = "ShaderManager";
    static constexpr const char* kShaderFolder = "shaders";
    static ShaderManager* getInstance();

    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;

    // 0 (no program) for a name that was never built.
    virtual uint32_t getProgram(const std::string& name);
    // Every program name, sorted.
    virtual std::vector<std::string> getProgramNames();

    // Builds a program from every sub-folder. A failed compile or link is logged and the
    // program is still stored under its name; a file with another extension throws
    // std::invalid_argument "Unknown shader file extension.".
    void buildPrograms(const std::string& folder);

private:
    std::map<std::string, uint32_t> programs;
};

class ShaderManagerNull : public ShaderManager
{
public:
    static ShaderManagerNull* instance();
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    bool isNull() const override { return true; }
    uint32_t getProgram(const std::string&) override { return 0; }
    std::vector<std::string> getProgramNames() override { return {}; }
};

// The GL stage for a shader file extension (exact and case-sensitive), 0 for any other.
uint32_t ShaderStageForExtension(const std::string& extension);
// Compiles the file's source into the shader; logs and returns false when it does not compile.
bool LoadAndCompileShader(uint32_t shader, const std::string& path);
// Links, validates, then detaches and deletes the shaders; logs and returns false on failure.
bool LinkShaderProgram(uint32_t program, const std::vector<uint32_t>& shaders);
