#include "ui/UIManager.h"

#include "engine/SystemSingleton.h"
#include "engine/TraceLog.h"

namespace
{
UIManager* gUIManager = nullptr;
}

UIManager* UIManager::getInstance()
{
    return GetSystemSingleton(gUIManager, kName);
}

UIManagerNull* UIManagerNull::instance()
{
    static UIManagerNull null;
    return &null;
}

void UIManager::initialize()
{
    Log()->message(kName, "initialize");
}

void UIManager::update() {}

void UIManager::render() {}

void UIManager::showControllerNotice(int32_t) {}

void UIManager::shutdown()
{
    Log()->message(kName, "shutdown");
}
