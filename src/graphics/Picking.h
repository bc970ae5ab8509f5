#pragma once
// Conversions between window pixels and world points. ScreenToWorld casts a ray from the
// "WorldShader" camera through a window pixel (y from the top edge) onto the plane at the
// player's depth; WorldToScreen projects a world point to window pixels (y from the bottom
// edge, GL convention).

#include "graphics/Camera.h"

#include <glm/glm.hpp>

// The running engine's window size, (0, 0) without an engine.
glm::vec2 CurrentWindowSize();

// The ray through the window pixel meets the plane through planePoint that faces the camera
// (towardsCamera false: the plane z = planePoint.z; true: the plane facing the camera's
// position). False, with out untouched, when the window is below 1 pixel in either
// direction, the ray runs parallel to the plane or the hit lies behind the camera.
// Perspective rays start at the camera; orthographic and screen rays are parallel. The
// camera is used at its own size; the window size only turns the pixel into a fraction.
bool CastToPlane(Camera camera, const glm::vec2& windowPixel, const glm::vec2& windowSize,
                 const glm::vec3& planePoint, bool towardsCamera, glm::vec3* out);

bool ScreenToWorld(glm::vec2 windowPixel, glm::vec3* out, bool towardsCamera);

glm::vec3 ProjectToWindow(const glm::vec3& world, Camera camera, const glm::vec2& windowSize);
glm::vec3 WorldToScreen(const glm::vec3& world, Camera camera);

// The player's drawn position, zero when there is no player.
glm::vec3 PlayerRenderPosition();
// The player's position (not smoothed), zero when there is no player.
glm::vec3 PlayerPosition();
