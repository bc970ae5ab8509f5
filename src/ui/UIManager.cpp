#include "ui/UIManager.h"

#include "engine/Engine.h"
#include "engine/SystemSingleton.h"
#include "engine/TimeHelpers.h"
#include "engine/TraceLog.h"
#include "graphics/Camera.h"
#include "graphics/DrawData.h"
#include "graphics/GraphicsSystem.h"
#include "ui/UIWindow.h"

#include <stdexcept>

namespace
{
UIManager* gUIManager = nullptr;
Camera gCamera;

constexpr float kReferenceWidth = 2160.0f;
constexpr float kNoticeHalfWidth = 126.0f;
constexpr float kNoticeHalfHeight = 64.0f;
constexpr float kNoticeY = 128.0f;
constexpr float kNoticeDepth = -0.1f;

// The notice scales with the window width.
float WidthScale()
{
    const Engine* engine = Engine::current();
    return engine ? static_cast<float>(engine->getWidth()) / kReferenceWidth : 0.0f;
}

const char* NoticeTextureOf(int32_t controllerType)
{
    switch (controllerType)
    {
    case 0:
        return UIManager::kKeyboardNotice;
    case 1:
        return UIManager::kDualNotice;
    case 2:
        return UIManager::kWirelessNotice;
    default:
        return nullptr;
    }
}
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

UIWindow* UIManagerNull::getWindow(std::string)
{
    return UIWindowNull::instance();
}

UIManager::UIManager() : graphics(GraphicsSystemNull::instance()) {}

UIManager::~UIManager()
{
    clearWindows();
}

void UIManager::initialize()
{
    graphics = Engine::getSystem<GraphicsSystem>(GraphicsSystem::kName, GraphicsSystemNull::instance());
    Log()->message(kName, "initialize");
    const float k = WidthScale();
    notice = std::make_unique<UIWindow>(glm::vec3(0.0f, 0.0f, kNoticeDepth),
                                        glm::vec3(2.0f * kNoticeHalfWidth * k, 2.0f * kNoticeHalfHeight * k, 1.0f));
    notice->setTexture(noticeTexture);
}

// Windows and their buttons update in name order; a fresh step frees the press and release.
void UIManager::update()
{
    pressClaimed = false;
    releaseClaimed = false;
    for (auto& [name, window] : windows)
        window->update();
    layOutNotice();
}

// The notice's left edge lies 126 k pixels from the left border, its centre 128 pixels down.
void UIManager::layOutNotice()
{
    if (!notice)
        return;
    const float k = WidthScale();
    notice->setPosition({2.0f * kNoticeHalfWidth * k, kNoticeY, kNoticeDepth});
    notice->setScale({2.0f * kNoticeHalfWidth * k, 2.0f * kNoticeHalfHeight * k, 1.0f});
}

void UIManager::render()
{
    graphics->setContext(kContextName, gCamera);
    DrawData data = graphics->getDrawData();
    if (notice && isNoticeShowing())
        notice->render(data);
    for (auto& [name, window] : windows)
        window->render(data);
}

void UIManager::shutdown()
{
    clearWindows();
}

void UIManager::addWindow(std::string name, UIWindow* window)
{
    if (window)
        windows.try_emplace(std::move(name), window);
}

UIWindow* UIManager::getWindow(std::string name)
{
    const auto found = windows.find(name);
    if (found == windows.end())
        throw std::out_of_range("invalid map<K, T> key");
    return found->second;
}

void UIManager::clearWindows()
{
    for (auto& [name, window] : windows)
        delete window;
    windows.clear();
}

void UIManager::removeWindow(const std::string& name)
{
    const auto found = windows.find(name);
    if (found == windows.end())
        return;
    delete found->second;
    windows.erase(found);
}

void UIManager::showControllerNotice(int32_t controllerType)
{
    if (const char* texture = NoticeTextureOf(controllerType))
        noticeTexture = texture;
    if (notice)
        notice->setTexture(noticeTexture);
    noticeEndMs = GetTimeMs() + kNoticeMs;
}

bool UIManager::isNoticeShowing() const
{
    return noticeEndMs > GetTimeMs();
}

UIWindow* UIManager::getNoticeWindow() const
{
    return notice ? notice.get() : UIWindowNull::instance();
}

bool UIManager::claimPress()
{
    const bool free = !pressClaimed;
    pressClaimed = true;
    return free;
}

bool UIManager::claimRelease()
{
    const bool free = !releaseClaimed;
    releaseClaimed = true;
    return free;
}
