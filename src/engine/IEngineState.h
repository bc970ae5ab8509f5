#pragma once
// A game state: one screen or mode of the program (splash, play, pause menu, win screen,
// developer sandboxes). States are global objects run by the EngineStateManager; none is
// created or freed at run time.

#include <map>
#include <string>

class EngineStateManager;

// Menu title -> item label -> the state's own flag that the item toggles.
using DebugMenuMap = std::map<std::string, std::map<std::string, bool*>>;

class IEngineState
{
public:
    virtual ~IEngineState() = default;
    virtual void load() = 0;
    virtual void initialize() = 0;
    virtual void update() = 0;
    virtual void render() = 0;
    virtual void shutdown() = 0;
    virtual void unload() = 0;
    virtual void onPause() {}
    virtual void onResume() {}
    virtual void onFileDrop(const std::string&) {}
    virtual void onMinimize() {}
    virtual void onRestore() {}
    virtual void debugGui() {}
    virtual bool isNull() const { return false; }
    virtual void setPaused(bool pause);
    virtual bool isPaused() const { return paused; }

    void setOwner(EngineStateManager* manager) { owner = manager; }
    EngineStateManager* getOwner() const { return owner; }

    DebugMenuMap debugMenus;

private:
    EngineStateManager* owner = nullptr;
    bool paused = false;
};

class IEngineStateNull : public IEngineState
{
public:
    static IEngineStateNull* instance();
    void load() override {}
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    void unload() override {}
    bool isNull() const override { return true; }
    void setPaused(bool) override {}
    bool isPaused() const override { return false; }
};
