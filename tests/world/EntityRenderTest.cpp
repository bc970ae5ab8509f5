#include "graphics/AnimationManager.h"
#include "graphics/DrawData.h"
#include "graphics/Mesh.h"
#include "world/AnimationComp.h"
#include "world/MeshComp.h"
#include "world/TextureComp.h"
#include "world/TextureSlicerComp.h"

#include "WorldFixture.h"

#include <gtest/gtest.h>

namespace
{
// Keeps the last record it was asked to draw instead of drawing.
class RecordingMesh : public Mesh
{
public:
    void draw(const DrawData& record, bool allowDefer) override
    {
        last = record;
        deferAllowed = allowDefer;
        ++draws;
    }
    DrawData last;
    bool deferAllowed = false;
    int draws = 0;
};
}

class EntityRenderTest : public test::WorldFixture
{
protected:
    Entity* makeDrawable(RecordingMesh* mesh)
    {
        Entity* entity = makeBody(glm::vec3(1.0f, 2.0f, 0.0f), glm::vec3(4.0f, 1.0f, 1.0f), false);
        auto* meshComp = new MeshComp();
        meshComp->setMesh(mesh);
        entity->addComponent(meshComp);
        auto* texture = new TextureComp();
        texture->setTexture(Texture{3, TextureKind::Opaque, 40.0f, 25.0f});
        entity->addComponent(texture);
        return entity;
    }

    RecordingMesh mesh;
};

TEST_F(EntityRenderTest, PlainEntityDrawsItsTransformAndTextureDeferrably)
{
    Entity* entity = makeDrawable(&mesh);
    DrawData templateRecord;
    templateRecord.texBorder = glm::vec4(9.0f);
    entity->render(templateRecord);
    ASSERT_EQ(mesh.draws, 1);
    EXPECT_TRUE(mesh.deferAllowed);
    EXPECT_EQ(mesh.last.texture, (Texture{3, TextureKind::Opaque, 40.0f, 25.0f}));
    EXPECT_EQ(mesh.last.transform.getPosition(), glm::vec3(1.0f, 2.0f, 0.0f));
    EXPECT_EQ(mesh.last.transform.getScale(), glm::vec3(4.0f, 1.0f, 1.0f));
    // Without a slicer the template's slicer fields stay; without an animation the whole texture.
    EXPECT_EQ(mesh.last.texBorder, glm::vec4(9.0f));
    EXPECT_EQ(mesh.last.textureUVOffset, glm::vec2(0.0f));
    EXPECT_EQ(mesh.last.textureUVDimension, glm::vec2(1.0f));
}

TEST_F(EntityRenderTest, SlicedEntityFillsTheNineSliceFields)
{
    Entity* entity = makeDrawable(&mesh);
    auto* slicer = new TextureSlicerComp();
    slicer->setBorder(8.0f, 4.0f, 8.0f, 4.0f);
    slicer->setSliceType(SLICE_REPEAT);
    entity->addComponent(slicer);
    entity->render(DrawData());
    EXPECT_EQ(mesh.last.sliceType, static_cast<uint32_t>(SLICE_REPEAT));
    EXPECT_NEAR(mesh.last.texBorder.x, 0.2f, 1e-6f);
    EXPECT_NEAR(mesh.last.spriteBorder.x, 0.04f, 1e-6f);
    EXPECT_EQ(mesh.last.spriteTextureRatio, glm::vec2(5.0f, 2.0f));
}

TEST_F(EntityRenderTest, TutorialButtonShowsTheFrameOfTheDeviceInUse)
{
    AnimationManager* animations = AnimationManager::getInstance();
    engine.registerSystem(animations);
    animations->initialize();
    Entity* entity = makeDrawable(&mesh);
    entity->setFlag("TutorialButton", true);
    auto* animation = new AnimationComp();
    animation->setSheet("DefaultButton");
    entity->addComponent(animation);
    entity->render(DrawData());
    EXPECT_EQ(animation->getAnimationName(), "DefaultButton");
    EXPECT_EQ(animation->getFrame(), 0);
    EXPECT_NEAR(mesh.last.textureUVDimension.x, 1.0f / 3.0f, 1e-6f);
    animations->shutdown();
}

TEST_F(EntityRenderTest, ManagerDrawsOnlyActiveEntities)
{
    makeDrawable(&mesh);
    makeDrawable(&mesh)->setFlag("inactive", true);
    manager->render();
    EXPECT_EQ(mesh.draws, 1);
}
