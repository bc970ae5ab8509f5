#include "engine/Observer.h"

void Observer::onNotify(void*, int32_t) {}

ObserverNull* ObserverNull::instance()
{
    static ObserverNull null;
    return &null;
}
