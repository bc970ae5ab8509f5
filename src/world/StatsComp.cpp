#include "world/StatsComp.h"

#include <iostream>

void StatsComp::debugPrint() const
{
    std::cout << "Statistics: \n";
    std::cout << "Statistics End: \n";
}

// The spawn point and next level belong to the placed object, not the tuning: a clone
// starts without them and the level loader fills them in.
Component* StatsComp::clone() const
{
    auto* copy = new StatsComp(*this);
    copy->spawnPoint = glm::vec3(0.0f);
    copy->nextLevel.clear();
    return copy;
}

StatsCompNull* StatsCompNull::instance()
{
    static StatsCompNull null;
    return &null;
}
