#pragma once
// Base of every component. An entity files each component under the string its getName
// returns; lookups cast back to the class and fall back to that class's static null object,
// so game code never checks for missing components.

#include <string>

class Entity;

class Component
{
public:
    Component();
    Component(const Component& other);
    Component& operator=(const Component& other);
    virtual ~Component() = default;

    virtual void debugPrint() const {}
    virtual void update() {}
    virtual void updateInactive() {}
    virtual Component* clone() const = 0;
    virtual std::string getName() const = 0;
    virtual bool isNull() const { return false; }
    virtual Entity* getOwner() const { return owner; }

    void setOwner(Entity* newOwner) { owner = newOwner; }

private:
    Entity* owner;
};

class ComponentNull : public Component
{
public:
    static ComponentNull* instance();

    Component* clone() const override;
    std::string getName() const override { return "ComponentNull"; }
    bool isNull() const override { return true; }
    Entity* getOwner() const override;
};
