#include "graphics/DecodedImage.h"

#include "graphics/PngImageData.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <stb/stb_image_write.h>

#include <cstdint>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

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

namespace
{
// How far the resident high-water mark rises during the call, in KiB; writing 5 to clear_refs
// resets the mark.
long PeakRiseKiB(const std::function<void()>& call)
{
    const auto peak = [] {
        std::ifstream status("/proc/self/status");
        std::string line;
        while (std::getline(status, line) && line.rfind("VmHWM:", 0) != 0) {}
        return line.empty() ? 0L : std::stol(line.substr(6));
    };
    std::ofstream("/proc/self/clear_refs") << "5";
    const long before = peak();
    call();
    return peak() - before;
}
}

// stb inflated all of a PNG's pixel data before comparing it with the header's size, so 1 MB
// of deflated zeros under a 16 by 16 header cost a gigabyte. Yet stb takes data that runs on a
// little past its pixels, as some encoders write it, and reads nothing after the end chunk. Each
// image is written taller than its header then claims, and the data is only counted, never held.
TEST(DecodedImage, PngDataIsJudgedUpToItsEndChunkAndMayRunOnALittlePastItsPixels)
{
    const std::string damaged = "is a damaged PNG image: ";
    // The side the header claims, the size written, bytes put before and after the end chunk,
    // and the refusal.
    const std::tuple<int, int, int, std::string, std::string, std::string> rows[] = {
        {64, 64, 80, "", "", ""},  // 4 KiB of zeros past the pixels
        {64, 64, 64, "", std::string(9, '\0'), ""},
        {64, 64, 64, "", std::string(100, 't'), ""},
        {64, 64, 64, "", std::string("\x7f\xff\xff\xf0tEXt", 8), ""},
        {64, 64, 64, std::string("\0\0\x10\0tEXt", 8), "", damaged + "a chunk claims more bytes than the file holds."},
        {2048, 2048, 2048, "", "", ""},
        {16, 1024, 1024, "", "",
         damaged + "its pixel data inflates past 1049616 bytes, far more than the 1040 its size needs."}};
    for (const auto& [side, writtenWidth, writtenHeight, beforeEnd, afterEnd, refusal] : rows)
    {
        const std::string path = test::ScratchFolder("DecodedImagePngData") + "/zeros.png";
        const std::vector<uint8_t> pixels(static_cast<size_t>(writtenWidth * writtenHeight) * 4, 0);
        stbi_write_png(path.c_str(), writtenWidth, writtenHeight, 4, pixels.data(), writtenWidth * 4);
        std::string bytes = test::ReadText(path);
        // The big-endian width and height, both below 65536.
        bytes[18] = bytes[22] = static_cast<char>(side >> 8);
        bytes[19] = bytes[23] = static_cast<char>(side);
        bytes.insert(bytes.size() - 12, beforeEnd);
        test::WriteText(path, bytes + afterEnd);
        const std::string row = std::to_string(side) + " + " + std::to_string(afterEnd.size());
        EXPECT_LT(PeakRiseKiB([&] { PngImageDataRefusal(bytes); }), 2048) << row;
        const DecodedImage image = DecodedImage::FromFile(path);
        EXPECT_EQ(image.ok(), refusal.empty()) << row;
        EXPECT_EQ(image.getRefusal(), refusal) << row;
    }
}
