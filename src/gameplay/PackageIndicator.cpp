#include "gameplay/PackageIndicator.h"

#include "gameplay/PlayStateRecord.h"
#include "gameplay/PlaySystems.h"
#include "graphics/Mesh.h"
#include "graphics/Picking.h"
#include "graphics/UniformNames.h"
#include "world/Entity.h"

#include <cmath>

using namespace PackageIndicator;

namespace
{
// Angles in the interface camera's frame: 0 points right, 90 down, 180 left, 270 up.
constexpr float kAngleLeft = 180.0f;
constexpr float kAngleUp = 270.0f;
constexpr float kAngleDown = 90.0f;
constexpr float kCornerTurn = 45.0f;
// Far beyond any window: projected points are clamped to it before they become integers.
constexpr float kPixelLimit = 1.0e6f;

int32_t ToPixel(float value)
{
    return static_cast<int32_t>(std::fmax(-kPixelLimit, std::fmin(kPixelLimit, value)));
}

bool IsVisible(const glm::vec3& screen, int32_t width, int32_t height)
{
    return screen.x >= 0.0f && screen.y >= 0.0f && screen.x <= static_cast<float>(width) &&
           screen.y <= static_cast<float>(height);
}
}

IndicatorPlacement PlaceIndicator(const glm::vec3& screen, int32_t width, int32_t height)
{
    IndicatorPlacement place;
    if (std::isnan(screen.x) || std::isnan(screen.y) || IsVisible(screen, width, height))
        return place;
    place.shown = true;
    place.x = ToPixel(screen.x);
    place.y = height - ToPixel(screen.y);
    // side: -1 above the window, 1 below, 0 level with it.
    float side = 0.0f;
    if (place.y < kEdgeMargin)
    {
        place.angle = kAngleUp;
        place.y = kEdgeMargin;
        side = -1.0f;
    }
    if (place.y > height - kEdgeMargin)
    {
        place.angle = kAngleDown;
        place.y = height - kEdgeMargin;
        side = 1.0f;
    }
    if (place.x < kEdgeMargin)
    {
        place.angle += side == 0.0f ? kAngleLeft : kCornerTurn * side;
        place.x = kEdgeMargin;
    }
    if (place.x > width - kEdgeMargin)
    {
        place.angle -= kCornerTurn * side;
        place.x = width - kEdgeMargin;
    }
    return place;
}

void DrawPackageIndicator()
{
    // Without a package there is nothing to point at: the null package sits at the origin.
    const Entity* package = PlaySystems::Entities()->getPackage();
    if (PlaySystems::Controller()->isPackageHeld() || package->isNull())
        return;
    const glm::vec3 position =
        package->getComponent<TransformComp>(TransformComp::kName, TransformCompNull::instance())->getPosition();
    const glm::vec2 window = CurrentWindowSize();
    const IndicatorPlacement place = PlaceIndicator(WorldToScreen(position, PlayState().playCamera),
                                                    static_cast<int32_t>(window.x), static_cast<int32_t>(window.y));
    if (!place.shown)
        return;
    const float x = static_cast<float>(place.x);
    const float y = static_cast<float>(place.y);
    DrawScreenQuad(x, y, 0.0f, kIconTexture);
    DrawScreenQuad(x, y, place.angle, kArrowTexture);
}

void DrawScreenQuad(float x, float y, float degrees, const std::string& textureName)
{
    static const glm::vec4 kWhite{1.0f};
    GraphicsSystem* graphics = PlaySystems::Graphics();
    graphics->setContext(PlayNames::kInterfaceContext, PlayState().interfaceCamera);
    DrawData record = graphics->getDrawData();
    record.texture = PlaySystems::Textures()->getTexture(textureName);
    record.graphics->setUniform(UniformNames::kBlendColor, 1, &kWhite[0]);
    record.graphics->setUniform(UniformNames::kDrawColor, 1, &kWhite[0]);
    record.transform.setScale(kSize, kSize, 1.0f);
    record.transform.setPosition(x, y, record.transform.getPosition().z);
    record.transform.rotate(glm::vec3(0.0f, 0.0f, 1.0f), degrees);
    // Fetched once more just before the draw: a missing texture is reported twice per quad.
    record.texture = PlaySystems::Textures()->getTexture(textureName);
    PlaySystems::Meshes()->getMesh(PlayNames::kQuadMesh)->draw(record, true);
}
