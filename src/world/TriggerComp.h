#pragma once
// Reacts when another body touches its entity by running the named behaviours it holds.
// Behaviours are shared (reference counted) between an archetype's trigger and its clones,
// so reloading the archetypes frees the old ones.

#include "world/Component.h"

#include <functional>
#include <map>
#include <memory>

class Behavior;

class TriggerComp : public Component
{
public:
    static inline const std::string kName{"TriggerComp"};
    using Callback = std::function<void()>;

    void debugPrint() const override;
    void update() override { tickBehaviors(); }
    Component* clone() const override { return new TriggerComp(*this); }
    std::string getName() const override { return kName; }

    virtual void setSecondCallback(const Callback& callback) { secondCallback = callback; }
    virtual void setFirstCallback(const Callback& callback) { firstCallback = callback; }
    virtual void tickBehaviors();
    virtual void onTrigger(Entity* other);
    virtual bool isBehaviorEnabled(const std::string& name) const;

    void addBehavior(const std::string& name, std::shared_ptr<Behavior> behavior, bool enabled);
    Behavior* getBehavior(const std::string& name) const;

private:
    Callback firstCallback;
    Callback secondCallback;
    std::map<std::string, bool> enabledFlags;
    std::map<std::string, std::shared_ptr<Behavior>> behaviors;
};

class TriggerCompNull : public TriggerComp
{
public:
    static TriggerCompNull* instance();

    void debugPrint() const override {}
    void update() override {}
    Component* clone() const override { return instance(); }
    std::string getName() const override { return "TriggerCompNull"; }
    bool isNull() const override { return true; }

    void setSecondCallback(const Callback&) override {}
    void setFirstCallback(const Callback&) override {}
    void tickBehaviors() override {}
    void onTrigger(Entity*) override {}
    bool isBehaviorEnabled(const std::string&) const override { return false; }
};
