#pragma once
// The source behind GetTimeMs. The game reads GLFW's clock; tests set the time by hand so
// that every timer in the game can be driven deterministically.

class GameClock
{
public:
    static double seconds();
    static void setManualSeconds(double seconds);
    static void advanceManualSeconds(double seconds);
    static void useRealClock();
    static bool isManual();
};
