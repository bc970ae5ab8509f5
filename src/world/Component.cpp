#include "world/Component.h"

#include "world/Entity.h"

Component::Component() : owner(EntityNull::instance()) {}

// A copy belongs to nobody until an entity adopts it.
Component::Component(const Component&) : owner(EntityNull::instance()) {}

Component& Component::operator=(const Component&)
{
    return *this;
}

ComponentNull* ComponentNull::instance()
{
    static ComponentNull null;
    return &null;
}

Component* ComponentNull::clone() const
{
    return instance();
}

Entity* ComponentNull::getOwner() const
{
    return EntityNull::instance();
}
