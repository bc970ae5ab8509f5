#pragma once
// A loaded image as the renderer sees it: its GL name, which pass it belongs to and its size
// in pixels. Copied freely into components, draw records and interface elements.

#include <cstdint>

// The folder an image was loaded from decides the pass it is drawn in.
enum class TextureKind : uint32_t
{
    None = 0,
    Opaque = 1,
    Blended = 2,
};

struct Texture
{
    uint32_t id = 0;
    TextureKind kind = TextureKind::None;
    float width = 0.0f;
    float height = 0.0f;

    // What a lookup gives when neither the name nor the placeholder exists: draws untextured.
    static Texture Null() { return {0, TextureKind::Opaque, 0.0f, 0.0f}; }
};

inline bool operator==(const Texture& a, const Texture& b)
{
    return a.id == b.id && a.kind == b.kind && a.width == b.width && a.height == b.height;
}
