#include "engine/GameClock.h"

#include <GLFW/glfw3.h>

namespace
{
bool gManual = false;
double gManualSeconds = 0.0;
}

double GameClock::seconds()
{
    return gManual ? gManualSeconds : glfwGetTime();
}

void GameClock::setManualSeconds(double seconds)
{
    gManual = true;
    gManualSeconds = seconds;
}

void GameClock::advanceManualSeconds(double seconds)
{
    gManualSeconds += seconds;
}

void GameClock::useRealClock()
{
    gManual = false;
}

bool GameClock::isManual()
{
    return gManual;
}
