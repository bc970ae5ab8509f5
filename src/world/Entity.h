#pragma once
// A game object: components and boolean flags, both keyed by name, plus the id that
// EntityManager hands out. Roles (player, hazard, goal ...) are flags; behaviour lives in
// the components and in the per-step physicsStep/update pair.

#include <cstdint>
#include <map>
#include <string>

class ColliderComp;
class Component;
class EntityManager;
struct DrawData;

template <class T>
struct NonDeduced
{
    using type = T;
};

class Entity
{
public:
    using ComponentMap = std::map<std::string, Component*, std::less<>>;
    using FlagMap = std::map<std::string, bool, std::less<>>;

    // Registers with EntityManager (which assigns the id) when an engine is current.
    Entity();
    explicit Entity(bool registerWithManager);
    Entity(const Entity&) = delete;
    Entity& operator=(const Entity&) = delete;
    virtual ~Entity();

    virtual void physicsStep();
    virtual void update();
    virtual void updateInactive();
    virtual void render(DrawData drawData);
    // Takes ownership of the component in every case: one offered under a name that is
    // already taken (or to the null entity) is deleted, so a rejected offer never leaks.
    virtual void addComponent(Component* component);
    virtual void addComponentAs(Component* component, const std::string& name);
    virtual void setFlag(const std::string& name, bool value);
    virtual bool getFlag(const std::string& name) const;
    virtual void debugPrintComponent(const std::string& name) const;
    virtual Entity* clone() const;
    virtual Entity* cloneRegistered() const;
    virtual bool isNull() const { return false; }
    virtual void setId(uint32_t newId) { id = newId; }
    virtual uint32_t getId() const { return id; }

    // T is always named by the caller: deducing it from the fallback would ask for the null
    // class and never find the real component.
    template <class T>
    T* getComponent(const std::string& name, typename NonDeduced<T>::type* fallback) const;

    const FlagMap& getFlags() const { return flags; }
    const ComponentMap& getComponents() const { return components; }

private:
    void copyInto(Entity* copy) const;
    bool collideWithOthers(ColliderComp* collider);

    ComponentMap components;
    FlagMap flags;
    uint32_t id = 0;
};

class EntityNull : public Entity
{
public:
    static EntityNull* instance();

    void physicsStep() override {}
    void updateInactive() override {}
    void render(DrawData drawData) override;
    void addComponentAs(Component* component, const std::string& name) override;
    void setFlag(const std::string&, bool) override {}
    bool getFlag(const std::string&) const override { return false; }
    void debugPrintComponent(const std::string&) const override {}
    Entity* cloneRegistered() const override { return nullptr; }
    bool isNull() const override { return true; }

private:
    EntityNull() : Entity(false) {}
};

template <class T>
T* Entity::getComponent(const std::string& name, typename NonDeduced<T>::type* fallback) const
{
    auto found = components.find(name);
    if (found == components.end())
        return fallback;
    T* typed = dynamic_cast<T*>(found->second);
    return typed ? typed : fallback;
}
