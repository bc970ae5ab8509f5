#include "world/Behavior.h"

BehaviorNull* BehaviorNull::instance()
{
    static BehaviorNull null;
    return &null;
}
