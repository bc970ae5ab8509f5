#include "world/PhysicsComp.h"

#include "world/TransformComp.h"

#include <algorithm>
#include <cmath>
#include <iostream>

namespace
{
// Anything slower than this is rounding noise from drag: stop the axis outright.
constexpr float kRestSpeed = 0.0005f;
}

void PhysicsComp::debugPrint() const
{
    std::cout << "Testing PhysicsComp: \n";
    std::cout << velocity.x << ", " << velocity.y << "\n";
    std::cout << acceleration.x << ", " << acceleration.y << "\n";
}

void PhysicsComp::move(TransformComp* transform)
{
    const glm::vec3 position = transform->getPosition();
    transform->setPosition(position.x + velocity.x + carried.x, position.y + velocity.y + carried.y,
                           position.z + velocity.z + carried.z);
    acceleration = glm::vec3(0.0f);
}

void PhysicsComp::integrate(const glm::vec3& drag)
{
    velocity += acceleration;
    for (int axis = 0; axis < 3; ++axis)
    {
        const float k = std::clamp(drag[axis], 0.0f, 1.0f);
        velocity[axis] = (1.0f - k) * velocity[axis];
        if (std::fabs(velocity[axis]) < kRestSpeed)
            velocity[axis] = 0.0f;
    }
}

void PhysicsComp::commitCarried()
{
    carried = carriedPending;
    carriedPending = glm::vec3(0.0f);
}

PhysicsCompNull* PhysicsCompNull::instance()
{
    static PhysicsCompNull null;
    return &null;
}
