#include "graphics/DecodedImage.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <string>

namespace
{
std::string BigEndian(uint32_t value)
{
    return {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
}

std::string Chunk(const std::string& type, const std::string& data)
{
    const std::string body = type + data;
    const auto crc = crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()));
    return BigEndian(static_cast<uint32_t>(data.size())) + body + BigEndian(static_cast<uint32_t>(crc));
}

// A PNG whose pixel data is `inflated` zero bytes, deflated and then cut to `keep` of its bytes.
std::string ZeroPng(uint32_t width, uint32_t height, char depth, char colourType, bool interlaced, size_t inflated,
                    double keep = 1.0)
{
    const std::string zeros(inflated, '\0');
    std::string deflated(compressBound(static_cast<uLong>(inflated)), '\0');
    uLongf size = static_cast<uLongf>(deflated.size());
    compress(reinterpret_cast<Bytef*>(&deflated[0]), &size, reinterpret_cast<const Bytef*>(zeros.data()),
             static_cast<uLong>(inflated));
    deflated.resize(static_cast<size_t>(size * keep));
    const std::string header = BigEndian(width) + BigEndian(height) + depth + colourType + std::string(2, '\0') +
                               char(interlaced ? 1 : 0);
    return std::string("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", header) + Chunk("IDAT", deflated) + Chunk("IEND", "");
}
}

// Files whose first bytes would lead the decoder astray are refused before it runs: a JPEG
// whose tables write past the decoder's buffers, a PNM whose size overflows the header reader,
// and a PNG whose chunk claims gigabytes.
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
        {"digits.ppm", "P6 99999999999999999999 1 255\n", "is a PNM image"},
        {"sky.hdr", "#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n\n-Y 1 +X 1\n", "is a Radiance HDR image"},
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

// 34 bytes of TGA claiming 6170 by 6168 pixels used to cost seconds and over 100 MB.
TEST(DecodedImage, ASmallFileClaimingAHugeImageIsRefused)
{
    const std::string path = test::ScratchFolder("DecodedImageUnreadable") + "/slow.tga";
    test::WriteText(path, std::string("\x00\x00\x02\x00\x00\x00\x00\x18\x18\x18\x18\x18\x1a\x18\x18\x18"
                                      "\x10\x7f\x00\x00\xff\x2e\x49\x4c\x45\x2e\x00\xff\x2e\x49\x4c\x45\x2e\x00",
                                      34));
    const DecodedImage image = DecodedImage::FromFile(path);
    EXPECT_FALSE(image.ok());
    EXPECT_EQ(image.getRefusal(), "is 6170x6168 pixels, more than 64 MB once decoded.");
}

TEST(DecodedImage, AGameImageDecodesWithItsFourChannels)
{
    const DecodedImage image = DecodedImage::FromFile("assets/textures/opaque/NO_TEXTURE.png");
    ASSERT_TRUE(image.ok());
    EXPECT_TRUE(image.getRefusal().empty());
    EXPECT_EQ(image.getChannels(), 4);
}

// stb inflates all of a PNG's pixel data before comparing it with the header's size, so a file
// of deflated zeros used to cost a gigabyte. Rows need a filter byte each; 5x3 interlaced
// grey-alpha at 16 bits needs 67 bytes over its seven passes.
TEST(DecodedImage, PngPixelDataMayNotInflatePastWhatItsSizeNeeds)
{
    const std::string folder = test::ScratchFolder("DecodedImagePngData");
    const std::string tooLong = "is a damaged PNG image: its pixel data inflates past the ";
    const struct
    {
        const char* name;
        std::string bytes;
        std::string refusal;
    } files[] = {
        {"exact.png", ZeroPng(16, 16, 8, 6, false, 1040), ""},
        {"zeros.png", ZeroPng(16, 16, 8, 6, false, 1 << 20), tooLong + "1040 bytes its size needs."},
        {"interlaced.png", ZeroPng(5, 3, 16, 4, true, 67), ""},
        {"interlacedLong.png", ZeroPng(5, 3, 16, 4, true, 68), tooLong + "67 bytes its size needs."},
        {"cut.png", ZeroPng(16, 16, 8, 6, false, 1040, 0.5), "is a damaged PNG image: its pixel data ends too early."},
    };
    for (const auto& file : files)
    {
        test::WriteText(folder + "/" + file.name, file.bytes);
        const DecodedImage image = DecodedImage::FromFile(folder + "/" + file.name);
        EXPECT_EQ(image.getRefusal(), file.refusal) << file.name;
        EXPECT_EQ(image.ok(), file.refusal.empty()) << file.name;
    }
}
