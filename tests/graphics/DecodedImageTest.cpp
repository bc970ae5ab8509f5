#include "graphics/DecodedImage.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

// Files whose first bytes would lead the decoder astray are refused before it runs: a JPEG
// whose tables write past the decoder's buffers, and a PNG whose chunk claims gigabytes.
TEST(DecodedImage, HostileHeadersAreRefusedBeforeDecoding)
{
    const std::string folder = test::ScratchFolder("DecodedImageHostile");
    const struct
    {
        const char* name;
        std::string bytes;
        const char* refusal;
    } files[] = {
        {"table.jpg", std::string("\xff\xff\xd8\xff\xc4\xff\x80\x00\xff\xff\x1a", 11), "is a JPEG image"},
        {"chunk.png", std::string("\x89PNG\r\n\x1a\n\x7f\xff\xff\xf0IDAT", 16), "is a damaged PNG image"},
    };
    for (const auto& file : files)
    {
        test::WriteText(folder + "/" + file.name, file.bytes);
        const DecodedImage image = DecodedImage::FromFile(folder + "/" + file.name);
        EXPECT_FALSE(image.ok()) << file.name;
        EXPECT_EQ(image.getRefusal().rfind(file.refusal, 0), 0u) << file.name << ": " << image.getRefusal();
    }
}

TEST(DecodedImage, AGameImageDecodesWithItsFourChannels)
{
    const DecodedImage image = DecodedImage::FromFile("assets/textures/opaque/NO_TEXTURE.png");
    ASSERT_TRUE(image.ok());
    EXPECT_TRUE(image.getRefusal().empty());
    EXPECT_EQ(image.getChannels(), 4);
}
