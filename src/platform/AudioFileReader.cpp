#include "platform/AudioFileReader.h"

#include <ogg/ogg.h>
#include <vorbis/codec.h>

#include <cstdio>
#include <cstring>

namespace
{
constexpr long kScanReadSize = 4096;
constexpr int kVorbisHeaderPackets = 3;
constexpr char kOggMagic[] = "OggS";
constexpr char kVorbisIdMagic[] = "\x01vorbis";

// One look at the header packets at the start of an Ogg file. Whatever the way out, the
// destructor frees everything the look set up.
class OggHeaderScan
{
public:
    explicit OggHeaderScan(const std::string& path) : file(std::fopen(path.c_str(), "rb"))
    {
        ogg_sync_init(&sync);
        vorbis_info_init(&info);
        vorbis_comment_init(&comment);
    }
    ~OggHeaderScan()
    {
        if (streamStarted)
            ogg_stream_clear(&stream);
        vorbis_comment_clear(&comment);
        vorbis_info_clear(&info);
        ogg_sync_clear(&sync);
        if (file)
            std::fclose(file);
    }
    OggHeaderScan(const OggHeaderScan&) = delete;
    OggHeaderScan& operator=(const OggHeaderScan&) = delete;

    bool startsAsOgg()
    {
        char magic[sizeof kOggMagic - 1] = {};
        const bool ogg = file && std::fread(magic, 1, sizeof magic, file) == sizeof magic &&
                         std::memcmp(magic, kOggMagic, sizeof magic) == 0;
        if (file)
            std::rewind(file);
        return ogg;
    }

    // True when the first logical stream opens with a Vorbis header that its three header
    // packets do not complete: cut short, torn or damaged.
    bool vorbisHeadersBroken()
    {
        int headers = 0;
        while (headers < kVorbisHeaderPackets)
        {
            ogg_packet packet;
            const int result = nextPacket(packet);
            if (result <= 0)
                return headers > 0 || result < 0;
            if (vorbis_synthesis_headerin(&info, &comment, &packet) != 0)
                return headers > 0 || isVorbisId(packet);
            ++headers;
        }
        return false;
    }

private:
    static bool isVorbisId(const ogg_packet& packet)
    {
        const size_t length = sizeof kVorbisIdMagic - 1;
        return packet.bytes >= static_cast<long>(length) && std::memcmp(packet.packet, kVorbisIdMagic, length) == 0;
    }

    // 1 with a packet, 0 at the end of the file, -1 where the stream has a hole.
    int nextPacket(ogg_packet& packet)
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

    bool nextPage(ogg_page& page)
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

    FILE* file = nullptr;
    ogg_sync_state sync;
    ogg_stream_state stream;
    bool streamStarted = false;
    vorbis_info info;
    vorbis_comment comment;
};

// libsndfile gives up on an Ogg Vorbis file whose header packets are broken but keeps the
// Vorbis setup it allocated for it (a few kilobytes per attempt), so such a file never
// reaches it; it would have been refused all the same. Anything that is not Ogg Vorbis is
// left for libsndfile to judge.
bool HasBrokenVorbisHeaders(const std::string& path)
{
    OggHeaderScan scan(path);
    return scan.startsAsOgg() && scan.vorbisHeadersBroken();
}
}

AudioFileReader::AudioFileReader(const std::string& path)
{
    if (!HasBrokenVorbisHeaders(path))
        file = sf_open(path.c_str(), SFM_READ, &info);
}

AudioFileReader::~AudioFileReader()
{
    if (file)
        sf_close(file);
}

int64_t AudioFileReader::read(int16_t* out, int64_t frames)
{
    return file ? sf_readf_short(file, out, frames) : 0;
}

void AudioFileReader::seek(int64_t frame)
{
    if (file)
        sf_seek(file, frame, SEEK_SET);
}
