#pragma once
// Base of every long-lived service. Each system is a singleton created by its class's
// getInstance(), registered with the Engine under its name, updated every fixed step and
// rendered every frame in registration order. Systems find each other by name through
// Engine::getSystem, which falls back to the wanted class's static null object.

#include <string>

class IEngineSystem
{
public:
    virtual ~IEngineSystem() = default;
    virtual void initialize() = 0;
    virtual void update() = 0;
    virtual void render() = 0;
    virtual void shutdown() = 0;
    virtual void onPause() {}
    virtual void onResume() {}
    virtual void restart();
    virtual bool isNull() const { return false; }

    const std::string& getName() const { return name; }
    void setName(const std::string& newName);
    bool isPaused() const { return paused; }
    // Calls onPause/onResume even when the flag does not change: callers rely on it.
    void setPaused(bool pause);

private:
    std::string name;
    bool paused = false;
};
