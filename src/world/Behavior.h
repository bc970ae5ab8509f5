#pragma once
// A reaction a trigger holds by name: one hook every step, one on contact. Behaviours are
// shared between an archetype's trigger and every clone of it.

class Entity;

class Behavior
{
public:
    virtual ~Behavior() = default;
    virtual void update(Entity* owner) = 0;
    virtual void onTrigger(Entity* owner, Entity* other) = 0;
};

class BehaviorNull : public Behavior
{
public:
    static BehaviorNull* instance();
    void update(Entity*) override {}
    void onTrigger(Entity*, Entity*) override {}
};
