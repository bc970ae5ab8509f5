#include "world/TextureComp.h"

#include "engine/Engine.h"
#include "graphics/TextureManager.h"

TextureComp::TextureComp() : texture(Texture::Null())
{
    if (Engine::current())
        texture = Engine::getSystem<TextureManager>(TextureManager::kName, TextureManagerNull::instance())
                      ->getTexture(kPlaceholder);
}

// The source's texture replaces the placeholder the new component looked up.
Component* TextureComp::clone() const
{
    auto* copy = new TextureComp();
    copy->texture = texture;
    return copy;
}

TextureCompNull* TextureCompNull::instance()
{
    static TextureCompNull null;
    return &null;
}
