#include "graphics/ShaderManager.h"

#include "engine/SystemSingleton.h"
#include "engine/TraceLog.h"

namespace
{
ShaderManager* gShaderManager = nullptr;
}

ShaderManager* ShaderManager::getInstance()
{
    return GetSystemSingleton(gShaderManager, kName);
}

ShaderManagerNull* ShaderManagerNull::instance()
{
    static ShaderManagerNull null;
    return &null;
}

void ShaderManager::initialize()
{
    Log()->message(kName, "initialize");
}

void ShaderManager::update() {}

void ShaderManager::render() {}

void ShaderManager::shutdown()
{
    Log()->message(kName, "shutdown");
}
