#include "graphics/ImageDecodePool.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <stb/stb_image_write.h>

#include <vector>

namespace
{
// A 4-channel picture `width` texels wide whose bottom row is darker than the rest.
void WriteImage(const std::string& path, int width, int height)
{
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4, 200);
    for (int x = 0; x < width * 4; ++x)
        pixels[static_cast<size_t>(height - 1) * width * 4 + x] = 10;
    ASSERT_NE(stbi_write_png(path.c_str(), width, height, 4, pixels.data(), width * 4), 0);
}

// Every third path is not an image; the others are as wide as their place in the list.
std::vector<std::string> MixedImages(const std::string& folder, int count)
{
    std::vector<std::string> paths;
    for (int index = 0; index < count; ++index)
    {
        const std::string path = folder + "/" + std::to_string(index) + ".png";
        if (index % 3 == 2)
            test::WriteText(path, "not an image");
        else
            WriteImage(path, index + 1, 3);
        paths.push_back(path);
    }
    return paths;
}
}

TEST(ImageDecodePool, ImagesComeBackInListOrderWhateverTheWorkersAndTheMemoryLimit)
{
    const std::vector<std::string> paths = MixedImages(test::ScratchFolder("DecodeOrder"), 30);
    struct Case
    {
        size_t workers;
        size_t bytesAhead;
    };
    for (const Case& setup : {Case{0, ImageDecodePool::kDefaultBytesAhead}, Case{1, 1}, Case{3, 0}, Case{3, 200},
                              Case{8, ImageDecodePool::kDefaultBytesAhead}, Case{64, 1}})
    {
        SCOPED_TRACE(std::to_string(setup.workers) + " workers, " + std::to_string(setup.bytesAhead) + " bytes");
        ImageDecodePool pool(paths, setup.workers, setup.bytesAhead);
        for (size_t index = 0; index < paths.size(); ++index)
        {
            const DecodedImage image = pool.next();
            ASSERT_EQ(image.ok(), index % 3 != 2) << index;
            if (!image.ok())
                continue;
            EXPECT_EQ(image.getWidth(), static_cast<int>(index) + 1);
            EXPECT_EQ(image.getChannels(), 4);
            EXPECT_EQ(image.getPixels()[0], 10) << "the bottom row comes first";
        }
    }
}

// The texture manager drops the pool when an image stops the load; that must neither wait for
// the rest of the list nor leave a worker blocked.
TEST(ImageDecodePool, APoolLeftEarlyStopsItsWorkers)
{
    const std::vector<std::string> paths = MixedImages(test::ScratchFolder("DecodeEarly"), 40);
    for (size_t taken : {0u, 1u, 5u})
    {
        ImageDecodePool pool(paths, 4);
        for (size_t index = 0; index < taken; ++index)
            EXPECT_EQ(pool.next().ok(), index % 3 != 2);
    }
    ImageDecodePool empty({}, 4);
}
