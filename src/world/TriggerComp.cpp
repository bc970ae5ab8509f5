#include "world/TriggerComp.h"

#include "world/Behavior.h"

#include <iostream>

void TriggerComp::debugPrint() const
{
    std::cout << "Trigger Component\n";
    for (const auto& entry : behaviors)
        std::cout << "Behavior: " << entry.first << "\n";
}

void TriggerComp::tickBehaviors()
{
    for (const auto& entry : behaviors)
        entry.second->update(getOwner());
}

void TriggerComp::onTrigger(Entity* other)
{
    for (const auto& entry : behaviors)
        entry.second->onTrigger(getOwner(), other);
}

bool TriggerComp::isBehaviorEnabled(const std::string& name) const
{
    auto found = enabledFlags.find(name);
    return found != enabledFlags.end() && found->second;
}

void TriggerComp::addBehavior(const std::string& name, std::shared_ptr<Behavior> behavior, bool enabled)
{
    if (!behavior)
        return;
    behaviors[name] = std::move(behavior);
    enabledFlags[name] = enabled;
}

Behavior* TriggerComp::getBehavior(const std::string& name) const
{
    auto found = behaviors.find(name);
    return found == behaviors.end() ? static_cast<Behavior*>(BehaviorNull::instance()) : found->second.get();
}

TriggerCompNull* TriggerCompNull::instance()
{
    static TriggerCompNull null;
    return &null;
}
