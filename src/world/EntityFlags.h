#pragma once
// The flag names that give entities their roles. Archetype files switch them on by these exact
// strings; code asks for them through these constants, so each name is spelled in one place.

#include <string>

namespace EntityFlags
{
inline const std::string kPlayer{"player"};
inline const std::string kPackage{"package"};
inline const std::string kCheckpoint{"checkpoint"};
inline const std::string kFirewall{"firewall"};
inline const std::string kHazard{"hazard"};
inline const std::string kGoal{"goal"};
inline const std::string kDeathWall{"deathwall"};
inline const std::string kTutorialButton{"TutorialButton"};
// Physics: moved each step, pulled down, or moved without colliding.
inline const std::string kDynamic{"dynamic"};
inline const std::string kGravity{"gravity"};
inline const std::string kNoClip{"noClip"};
// State: not drawn, not collided with (a broken platform); invulnerable; due to respawn.
inline const std::string kInactive{"inactive"};
inline const std::string kGodMode{"godMode"};
inline const std::string kRespawn{"respawn"};
}
