#pragma once
// Turns a texture into a nine-slice sprite: fixed-size margins and a stretched or repeated
// middle, so one small image covers a platform of any size. One world unit is 50 texture
// pixels at slice scale 1.

#include "world/Component.h"

#include <cstdint>
#include <glm/glm.hpp>

struct Texture;
class TransformComp;

enum SliceType : uint32_t
{
    SLICE_NONE = 0,
    SLICE_STRETCH = 1,
    SLICE_REPEAT = 2,
};

class TextureSlicerComp : public Component
{
public:
    static inline const std::string kName{"TextureSlicerComp"};
    static constexpr float kPixelsPerUnit = 50.0f;

    Component* clone() const override { return new TextureSlicerComp(*this); }
    std::string getName() const override { return kName; }

    // Left, bottom, right, top margins in texture pixels.
    virtual glm::vec4 getBorder() const { return border; }
    virtual void setBorder(float left, float bottom, float right, float top);
    virtual glm::vec2 getSliceScale() const { return sliceScale; }
    virtual void setSliceScale(const glm::vec2& value) { sliceScale = value; }
    virtual SliceType getSliceType() const { return sliceType; }
    virtual void setSliceType(SliceType value) { sliceType = value; }
    virtual glm::vec4 getBorderUV(const Texture& texture) const;
    virtual glm::vec4 getBorderWorld(const TransformComp& transform) const;
    virtual glm::vec2 getRepeatCount(const Texture& texture, const TransformComp& transform) const;

private:
    glm::vec2 pixelSize(const TransformComp& transform) const;

    glm::vec4 border{0.0f};
    glm::vec2 sliceScale{1.0f, 1.0f};
    SliceType sliceType = SLICE_STRETCH;
};

class TextureSlicerCompNull : public TextureSlicerComp
{
public:
    static TextureSlicerCompNull* instance();

    Component* clone() const override { return instance(); }
    std::string getName() const override { return "TextureSlicerCompNull"; }
    bool isNull() const override { return true; }

    glm::vec4 getBorder() const override { return glm::vec4(0.0f); }
    void setBorder(float, float, float, float) override {}
    glm::vec2 getSliceScale() const override { return glm::vec2(1.0f); }
    void setSliceScale(const glm::vec2&) override {}
    SliceType getSliceType() const override { return SLICE_NONE; }
    void setSliceType(SliceType) override {}
    glm::vec4 getBorderUV(const Texture&) const override { return glm::vec4(0.0f, 0.0f, 1.0f, 1.0f); }
    glm::vec4 getBorderWorld(const TransformComp&) const override { return glm::vec4(0.0f, 0.0f, 1.0f, 1.0f); }
    glm::vec2 getRepeatCount(const Texture&, const TransformComp&) const override { return glm::vec2(1.0f); }
};
