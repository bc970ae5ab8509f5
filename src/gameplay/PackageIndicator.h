#pragma once
// While the thrown package is out of the window, an icon sits at the point of the window's
// edge nearest to it, with an arrow on top that points towards it. PlaceIndicator holds the
// rule (pure, in window pixels); DrawPackageIndicator applies it once per frame through the
// interface camera, whose y runs down from the top edge.

#include <glm/glm.hpp>

#include <cstdint>
#include <string>

namespace PackageIndicator
{
inline constexpr const char* kIconTexture = "PACKINDICATOR";
inline constexpr const char* kArrowTexture = "PACKINDICATOR_ARROW";
// Squares of this size stay inside the window at this distance from its edges.
inline constexpr float kSize = 140.0f;
inline constexpr int32_t kEdgeMargin = 70;
}

struct IndicatorPlacement
{
    bool shown = false;
    // Interface pixels (y down) and the arrow's angle in degrees about z.
    int32_t x = 0;
    int32_t y = 0;
    float angle = 0.0f;
};

// screen: the package projected to window pixels, y up from the bottom edge. A point on the
// border counts as visible; a point that is not a number shows nothing.
IndicatorPlacement PlaceIndicator(const glm::vec3& screen, int32_t width, int32_t height);

void DrawPackageIndicator();
// One textured square of the indicator's size in interface pixels, turned about z.
void DrawScreenQuad(float x, float y, float degrees, const std::string& textureName);
