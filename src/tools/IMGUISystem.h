#pragma once
// Builds the developer GUI frame and draws it after the scene.

#include "engine/IEngineSystem.h"
#include "engine/Observer.h"

class IMGUISystem : public IEngineSystem, public Observer
{
public:
    static constexpr const char* kName = "IMGUISystem";
    static IMGUISystem* getInstance();

    void initialize() override;
    void update() override;
    void render() override;
    void shutdown() override;

    virtual bool isStateToolsShown() const { return stateToolsShown; }
    virtual void setStateToolsShown(bool shown) { stateToolsShown = shown; }
    virtual bool isOverlayShown() const { return overlayShown; }
    virtual void setOverlayShown(bool shown) { overlayShown = shown; }

private:
    bool stateToolsShown = false;
    bool overlayShown = false;
};

class IMGUISystemNull : public IMGUISystem
{
public:
    static IMGUISystemNull* instance();
    void initialize() override {}
    void update() override {}
    void render() override {}
    void shutdown() override {}
    bool isNull() const override { return true; }
    bool isStateToolsShown() const override { return false; }
    void setStateToolsShown(bool) override {}
    bool isOverlayShown() const override { return false; }
    void setOverlayShown(bool) override {}
};
