#pragma once
// Every name the player controller looks up: input actions (as "assets/input.json" binds
// them), sound presets, animations of the "Player" sheet, emitters, textures, archetypes,
// entity flags and level names. Odd spellings are the data files' own.

namespace PlayerNames
{
// Actions.
inline constexpr const char* kOffAim = "offAim";
inline constexpr const char* kAim = "Aim";
inline constexpr const char* kMoveRight = "MoveRight";
inline constexpr const char* kMoveLeft = "MoveLeft";
inline constexpr const char* kMoveUpNoClip = "MoveUpNoClip";
inline constexpr const char* kMoveDownNoClip = "MoveDownNoClip";
inline constexpr const char* kJump = "Jump";
inline constexpr const char* kDash = "Dash";
inline constexpr const char* kGodMode = "GodMode";
inline constexpr const char* kNoClip = "NoClip";
inline constexpr const char* kThrowPackage = "ThrowPackage";
inline constexpr const char* kSummonPackage = "SummonPackage";
inline constexpr const char* kTeleportToPackage = "TeleportToPackage";
inline constexpr const char* kToggleEmitter = "ToggleEmitter";
inline constexpr const char* kGamepadAim = "GamepadAim";
inline constexpr const char* kReloadScene = "ReloadScene";

// Sound presets.
inline constexpr const char* kJumpSound = "Jump";
inline constexpr const char* kDashSound = "Dash";
inline constexpr const char* kLandSound = "Land";
inline constexpr const char* kThrowSound = "Throw";
inline constexpr const char* kTeleportSound = "Teleport";
inline constexpr const char* kAimSound = "Ridicule";
inline constexpr const char* kPackageImpactSound = "PackageImpact";
inline constexpr const char* kPackageRecollectSound = "PackageRecollect";
inline constexpr const char* kPlayerDeathSound = "PlayerDeath";
inline constexpr const char* kPlayerRespawnSound = "PlayerRespawn";
inline constexpr const char* kWinFanfareSound = "WinFanfare";
inline constexpr const char* kMusicLevel2 = "Music2";
inline constexpr const char* kMusicLevel3 = "Music3";

// Animations.
inline constexpr const char* kIdleLeft = "IdleLeft";
inline constexpr const char* kIdleRight = "IdleRight";
inline constexpr const char* kDeathLeft = "DeathLeft";
inline constexpr const char* kDeathRight = "DeathRight";
inline constexpr const char* kDashLeftMid = "DashLeftMid";
inline constexpr const char* kDashRightMid = "DashRightMid";
// Indexed by phase (0 falling, 1 level, 2 rising), plus 3 when facing right.
inline constexpr const char* kMoveAnimations[6] = {"Land_Left", "Walk_Left", "Jump_Left",
                                                   "Land_Right", "Walk_Right", "Jump_Right"};

// Emitters.
inline constexpr const char* kDeathEmitter = "PlayerDeath";
inline constexpr const char* kImpactEmitter = "PImpact";
inline constexpr const char* kDashEmitter = "Dash";
inline constexpr const char* kTeleportEmitter = "Ptp";
inline constexpr const char* kTeleportEndEmitter = "Ptpe";
inline constexpr const char* kPackageEmitter = "Pack";
inline constexpr const char* kTrailEmitter = "PTrail";
inline constexpr const char* kRecallEmitter = "TPBack";
inline constexpr const char* kHazardEmitter = "Hazard";
inline constexpr const char* kFirewallEmitter = "Firewall";

// Textures, meshes and archetypes.
inline constexpr const char* kHoldingTexture = "SpritePackage";
inline constexpr const char* kEmptyHandedTexture = "SpriteNoPackage";
inline constexpr const char* kQuadMesh = "quad";
inline constexpr const char* kPackageArchetype = "Package";
inline constexpr const char* kMarkerArchetype = "PtpEntity";

// Entity flags set or read only by the gameplay code.
inline constexpr const char* kWinFlag = "win";
inline constexpr const char* kWinFirstOccuranceFlag = "winFirstOccurance";
inline constexpr const char* kMarkerFlag = "ptpEntity";

// Levels and the wipes that lead into them.
inline constexpr const char* kLevel1 = "Level1";
inline constexpr const char* kLevel2 = "Level2";
inline constexpr const char* kLevel3 = "Level3";
inline constexpr const char* kWipe1 = "Transition1";
inline constexpr const char* kWipe2 = "Transition2";
inline constexpr const char* kWipe3 = "Transition3";
}
