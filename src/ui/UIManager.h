#pragma once
// Owns the interface: named top-level windows of buttons that the front-end states build and
// register, and the controller notice, which shows for 5000 ms which kind of device has just
// been connected or disconnected, in any state. Updates after the input system, so buttons
// see the interface button flags of the same step; renders through the "UIShader" context
// with a camera in window pixels (origin top-left, y down, a larger z in front).

#include "engine/IEngineSystem.h"
#include "engine/Observer.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

class GraphicsSystem;
class UIWindow;

class UIManager : public IEngineSystem, public Observer
{
public:
    static constexpr const char* kName = "UIManager";
    static constexpr const char* kContextName = "UIShader";
    static constexpr const char* kKeyboardNotice = "ConnectedKeyboard";
    static constexpr const char* kDualNotice = "ConnectedDual";
    static constexpr const char* kWirelessNotice = "ConnectedWireless";
    static constexpr int64_t kNoticeMs = 5000;
    static UIManager* getInstance();

    UIManager();
    ~UIManager() override;

    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;

    // The first window of a name wins; a later one is not taken (its caller keeps it).
    virtual void addWindow(std::string name, UIWindow* window);
    // Throws std::out_of_range for a name that is not registered.
    virtual UIWindow* getWindow(std::string name);
    // Deletes every registered window; the notice stays. Engine shutdown uses it.
    virtual void clearWindows();
    // Deletes the window registered under the name, if any. Each state removes only the
    // windows it made, so a state leaving never frees windows another state still uses.
    virtual void removeWindow(const std::string& name);
    virtual bool hasWindow(const std::string& name) const { return windows.count(name) != 0; }

    // Tells the player which device now drives the game (0 keyboard, 1 "Wireless Controller",
    // 2 any other gamepad); another kind keeps the picture but still restarts the 5000 ms.
    virtual void showControllerNotice(int32_t controllerType);
    bool isNoticeShowing() const;
    const std::string& getNoticeTexture() const { return noticeTexture; }
    UIWindow* getNoticeWindow() const;

    // One press and one release of the interface button reach at most one button per step:
    // the first button to claim it gets it until the next update.
    virtual bool claimPress();
    virtual bool claimRelease();

    size_t getWindowCount() const { return windows.size(); }

private:
    void layOutNotice();

    GraphicsSystem* graphics;
    std::map<std::string, UIWindow*> windows;
    int64_t noticeEndMs = 0;
    std::unique_ptr<UIWindow> notice;
    // Empty until the first notice: a kind without a picture of its own keeps this one.
    std::string noticeTexture;
    bool pressClaimed = false;
    bool releaseClaimed = false;
};

class UIManagerNull : public UIManager
{
public:
    static UIManagerNull* instance();
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    bool isNull() const override { return true; }
    void addWindow(std::string, UIWindow*) override {}
    UIWindow* getWindow(std::string) override;
    void clearWindows() override {}
    void removeWindow(const std::string&) override {}
    bool hasWindow(const std::string&) const override { return false; }
    void showControllerNotice(int32_t) override {}
    bool claimPress() override { return true; }
    bool claimRelease() override { return true; }
};
