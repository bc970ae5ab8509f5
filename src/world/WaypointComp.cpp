#include "world/WaypointComp.h"

WaypointCompNull* WaypointCompNull::instance()
{
    static WaypointCompNull null;
    return &null;
}
