#pragma once
// The texture an entity is drawn with.

#include "graphics/Texture.h"
#include "world/Component.h"

class TextureComp : public Component
{
public:
    static inline const std::string kName{"TextureComp"};
    static constexpr const char* kPlaceholder = "NO_TEXTURE";

    // Starts with the placeholder image when an engine is running.
    TextureComp();

    Component* clone() const override;
    std::string getName() const override { return kName; }

    virtual void setTexture(const Texture& value) { texture = value; }
    virtual Texture getTexture() const { return texture; }

protected:
    explicit TextureComp(const Texture& initial) : texture(initial) {}

private:
    Texture texture;
};

class TextureCompNull : public TextureComp
{
public:
    static TextureCompNull* instance();

    Component* clone() const override { return instance(); }
    std::string getName() const override { return "TextureCompNull"; }
    bool isNull() const override { return true; }
    void setTexture(const Texture&) override {}
    Texture getTexture() const override { return Texture::Null(); }

private:
    TextureCompNull() : TextureComp(Texture::Null()) {}
};
