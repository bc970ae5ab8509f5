#pragma once
// Holds the current game state and a stack of overlay states above it. States, menus and the
// developer shortcuts ask for a switch with setNextState; it happens at the manager's next
// update (shutdown, unload, swap, load, initialize), so no state is torn down while its own
// code is running. A restart runs shutdown and initialize only. Window events from the
// engine and the developer window reach the current state only.

#include "engine/IEngineState.h"
#include "engine/IEngineSystem.h"

#include <cstdint>
#include <string>
#include <vector>

class EngineStateManager : public IEngineSystem
{
public:
    static constexpr const char* kName = "EngineStateManager";
    static EngineStateManager* getInstance();

    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;

    virtual void setNextState(IEngineState* state);
    virtual void restartState();
    virtual void setStatePaused(bool pause, int32_t index);
    virtual bool isStatePaused(int32_t index) const;
    virtual void pushState(IEngineState* state, bool pauseBelow);
    virtual void popState(bool resumeBelow);
    virtual uint32_t getStateCount() const;

    void onFileDrop(const std::string& path);
    void onMinimize();
    void onRestore();
    void debugGui();

    IEngineState* getCurrentState() const { return current; }
    IEngineState* getPreviousState() const { return previous; }
    const std::vector<IEngineState*>& getOverlays() const { return overlays; }

private:
    void performPendingSwitch();
    IEngineState* stateAt(int32_t index) const;

    IEngineState* previous = IEngineStateNull::instance();
    IEngineState* current = IEngineStateNull::instance();
    IEngineState* next = IEngineStateNull::instance();
    std::vector<IEngineState*> overlays;
    bool restartRequested = false;
    bool switchPending = false;
};

class EngineStateManagerNull : public EngineStateManager
{
public:
    static EngineStateManagerNull* instance();
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    bool isNull() const override { return true; }
    void setNextState(IEngineState*) override {}
    void restartState() override {}
    void setStatePaused(bool, int32_t) override {}
    bool isStatePaused(int32_t) const override { return false; }
    void pushState(IEngineState*, bool) override {}
    void popState(bool) override {}
    uint32_t getStateCount() const override { return 0; }
};
