#include "graphics/TextureManager.h"

#include "engine/SystemSingleton.h"
#include "engine/TraceLog.h"

namespace
{
TextureManager* gTextureManager = nullptr;
}

TextureManager* TextureManager::getInstance()
{
    return GetSystemSingleton(gTextureManager, kName);
}

TextureManagerNull* TextureManagerNull::instance()
{
    static TextureManagerNull null;
    return &null;
}

void TextureManager::initialize()
{
    Log()->message(kName, "initialize");
}

void TextureManager::update() {}

void TextureManager::render() {}

void TextureManager::shutdown()
{
    Log()->message(kName, "shutdown");
}
