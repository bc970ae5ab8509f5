#include "platform/AudioOggHeaderScan.h"

#include <cstring>

namespace
{
constexpr long kScanReadSize = 4096;
constexpr int kVorbisHeaderPackets = 3;
constexpr char kOggMagic[] = "OggS";
constexpr char kVorbisIdMagic[] = "\x01vorbis";
}

bool AudioOggHeaderScan::hasBrokenVorbisHeaders(const std::string& path)
{
    AudioOggHeaderScan scan(path);
    return scan.startsAsOgg() && scan.vorbisHeadersBroken();
}

AudioOggHeaderScan::AudioOggHeaderScan(const std::string& path) : file(std::fopen(path.c_str(), "rb"))
{
    ogg_sync_init(&sync);
    vorbis_info_init(&info);
    vorbis_comment_init(&comment);
}

AudioOggHeaderScan::~AudioOggHeaderScan()
{
    if (streamStarted)
        ogg_stream_clear(&stream);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    ogg_sync_clear(&sync);
    if (file)
        std::fclose(file);
}

bool AudioOggHeaderScan::startsAsOgg()
{
    char magic[sizeof kOggMagic - 1] = {};
    const bool ogg = file && std::fread(magic, 1, sizeof magic, file) == sizeof magic &&
                     std::memcmp(magic, kOggMagic, sizeof magic) == 0;
    if (file)
        std::rewind(file);
    return ogg;
}

bool AudioOggHeaderScan::vorbisHeadersBroken()
{
    int headers = 0;
    while (headers < kVorbisHeaderPackets)
    {
        ogg_packet packet;
        const int result = nextPacket(packet);
        // A file that ends before its first packet never got as far as the Vorbis setup.
        if (result <= 0)
            return headers > 0 || result < 0;
        if (vorbis_synthesis_headerin(&info, &comment, &packet) != 0)
            return headers > 0 || isVorbisId(packet);
        ++headers;
    }
    return false;
}

bool AudioOggHeaderScan::isVorbisId(const ogg_packet& packet)
{
    const size_t length = sizeof kVorbisIdMagic - 1;
    return packet.bytes >= static_cast<long>(length) && std::memcmp(packet.packet, kVorbisIdMagic, length) == 0;
}

int AudioOggHeaderScan::nextPacket(ogg_packet& packet)
{
    for (;;)
    {
        const int result = streamStarted ? ogg_stream_packetout(&stream, &packet) : 0;
        if (result != 0)
            return result;
        ogg_page page;
        if (!nextPage(page))
            return 0;
        if (!streamStarted && ogg_stream_init(&stream, ogg_page_serialno(&page)) != 0)
            return -1;
        streamStarted = true;
        ogg_stream_pagein(&stream, &page);
    }
}

bool AudioOggHeaderScan::nextPage(ogg_page& page)
{
    while (ogg_sync_pageout(&sync, &page) != 1)
    {
        char* buffer = ogg_sync_buffer(&sync, kScanReadSize);
        const size_t got = buffer ? std::fread(buffer, 1, kScanReadSize, file) : 0;
        if (got == 0)
            return false;
        ogg_sync_wrote(&sync, static_cast<long>(got));
    }
    return true;
}
