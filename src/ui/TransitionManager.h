#pragma once
// Plays the full-screen animated wipes between levels: the wipe covers the screen by playing
// its sheet's animation forward, holds for 3000 ms, then uncovers by playing it backward. The
// caller acts at the two moments that matter through two plain callbacks: on covered (swap
// the level behind the wipe) and on uncovered (give control back). From frame 78 on, the
// level's title card shows over the wipe. Last in the system list, so it draws over all.

#include "engine/IEngineSystem.h"

#include <cstdint>
#include <map>
#include <string>

class AnimationSheet;

using TransitionCallback = void (*)();

class TransitionManager : public IEngineSystem
{
public:
    static constexpr const char* kName = "TransitionManager";
    static TransitionManager* getInstance();

    enum Phase : uint32_t { kIdle = 0, kCovering = 1, kHolding = 2, kUncovering = 3 };

    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override {}
    void restart() override;

    // Each form starts a wipe only when none runs and the name is one of the three wipes
    // whose sheet holds an animation of that name; it returns whether the wipe started.
    virtual bool startTransition(std::string name, TransitionCallback onUncovered);
    virtual bool startTransition(TransitionCallback onCovered, std::string name, TransitionCallback onUncovered);
    virtual bool startTransition(TransitionCallback onCovered, std::string name);
    virtual bool startTransition(std::string name);

    virtual bool isRunning() const { return phase != kIdle; }
    uint32_t getPhase() const { return phase; }
    int32_t getFrame() const { return frame; }
    const std::string& getCurrentName() const { return currentName; }

private:
    void takeSheets();
    void stepCovering(float now);
    void stepHolding(float now);
    void stepUncovering(float now);

    TransitionCallback onCovered = nullptr;
    TransitionCallback onUncovered = nullptr;
    AnimationSheet* currentSheet = nullptr;
    std::string currentName;
    uint32_t phase = kIdle;
    float nextTime = 0.0f;
    int32_t frame = 0;
    std::map<std::string, AnimationSheet*> sheets;
};

class TransitionManagerNull : public TransitionManager
{
public:
    static TransitionManagerNull* instance();
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    void restart() override {}
    bool isNull() const override { return true; }
    bool startTransition(std::string, TransitionCallback) override { return false; }
    bool startTransition(TransitionCallback, std::string, TransitionCallback) override { return false; }
    bool startTransition(TransitionCallback, std::string) override { return false; }
    bool startTransition(std::string) override { return false; }
    bool isRunning() const override { return false; }
};
