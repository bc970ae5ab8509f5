#include "world/ColliderComp.h"

#include <cstdio>
#include <iostream>

void ColliderComp::debugPrint() const
{
    char penetrationText[128];
    std::snprintf(penetrationText, sizeof(penetrationText), "vec3(%f, %f, %f)", penetration.x, penetration.y,
                  penetration.z);
    std::cout << "ColliderComp: \n\t" << "Penetration: " << penetrationText << "\n\tisCollidingLeft: " << collidingLeft
              << "\n\tisCollidingRight: " << collidingRight << "\n\tisCollidingUp: " << collidingUp
              << "\n\tisCollidingDown: " << collidingDown << "\n";
}

void ColliderComp::resetContacts()
{
    penetration = glm::vec3(0.0f);
    collidingLeft = false;
    collidingRight = false;
    collidingUp = false;
    collidingDown = false;
}

ColliderCompNull* ColliderCompNull::instance()
{
    static ColliderCompNull null;
    return &null;
}
