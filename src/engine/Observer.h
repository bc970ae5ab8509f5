#pragma once
// Second base of the engine systems that take events from the Subject hub.

#include <cstdint>

class Observer
{
public:
    virtual ~Observer() = default;
    virtual void onNotify(void* payload, int32_t eventId);
};

class ObserverNull : public Observer
{
public:
    static ObserverNull* instance();
};
