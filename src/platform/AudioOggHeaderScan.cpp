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
    ogg_packet packet;
    const int first = nextPacket(packet);
    // A file that ends before its first packet never gets as far as the Vorbis setup.
    if (first <= 0)
        return first < 0;
    if (vorbis_synthesis_headerin(&info, &comment, &packet) != 0)
        return isVorbisId(packet);
    // The identification header has its page to itself; libsndfile refuses a first page with more.
    if (ogg_stream_packetpeek(&stream, nullptr) != 0)
        return true;
    for (int headers = 1; headers < kVorbisHeaderPackets; ++headers)
    {
        if (nextPacket(packet) != 1 || vorbis_synthesis_headerin(&info, &comment, &packet) != 0)
            return true;
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
    for (;;)
    {
        const int result = ogg_sync_pageout(&sync, &page);
        if (result == 1)
            return true;
        // Bytes skipped on the way to the next page: what was read already may hold it.
        if (result < 0)
            continue;
        char* buffer = ogg_sync_buffer(&sync, kScanReadSize);
        const size_t got = buffer ? std::fread(buffer, 1, kScanReadSize, file) : 0;
        if (got == 0)
            return false;
        ogg_sync_wrote(&sync, static_cast<long>(got));
    }
}
