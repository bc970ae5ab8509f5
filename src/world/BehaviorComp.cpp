#include "world/BehaviorComp.h"

BehaviorCompNull* BehaviorCompNull::instance()
{
    static BehaviorCompNull null;
    return &null;
}
