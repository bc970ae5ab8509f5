#include "support/GLContext.h"
#include "support/TestSupport.h"

#include <GL/glew.h>
#include <gtest/gtest.h>
#include <stb/stb_image.h>

TEST(GLContextFixture, ClearsReadsBackAndSavesTheRightWayUp)
{
    test::GLContext gl(64, 32);
    ASSERT_TRUE(gl.ok());
    glEnable(GL_SCISSOR_TEST);
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    // Top half red: rows 16..31 counted from the bottom.
    glScissor(0, 16, 64, 16);
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);

    EXPECT_EQ(gl.readPixel(5, 25), (std::vector<uint8_t>{255, 0, 0, 255}));
    EXPECT_EQ(gl.readPixel(5, 5), (std::vector<uint8_t>{0, 0, 255, 255}));

    const std::string path = test::OutputFolder() + "/GLContextFixture.png";
    ASSERT_TRUE(test::SavePNG(path, gl.getWidth(), gl.getHeight(), gl.readPixels()));
    int w = 0, h = 0, channels = 0;
    unsigned char* image = stbi_load(path.c_str(), &w, &h, &channels, 4);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(w, 64);
    EXPECT_EQ(h, 32);
    // The file's first row is the top of the frame: red.
    EXPECT_EQ(image[0], 255);
    EXPECT_EQ(image[2], 0);
    stbi_image_free(image);
}
