#pragma once
// A look at the header packets at the start of an Ogg file, through libogg and libvorbis.
// libsndfile gives up on an Ogg Vorbis file whose header packets are broken but keeps the
// Vorbis setup it allocated for it (a few kilobytes per attempt), so the file reader asks here
// first and never hands it such a file; it would have been refused all the same. Whatever the
// way out of a look, everything it set up is freed.

#include <ogg/ogg.h>
#include <vorbis/codec.h>

#include <cstdio>
#include <string>

class AudioOggHeaderScan
{
public:
    // True when the file is Ogg and its first stream opens with a Vorbis header that its three
    // header packets do not complete: cut short, torn or damaged. Anything that is not Ogg
    // Vorbis is left for libsndfile to judge.
    static bool hasBrokenVorbisHeaders(const std::string& path);

    ~AudioOggHeaderScan();
    AudioOggHeaderScan(const AudioOggHeaderScan&) = delete;
    AudioOggHeaderScan& operator=(const AudioOggHeaderScan&) = delete;

private:
    explicit AudioOggHeaderScan(const std::string& path);
    bool startsAsOgg();
    bool vorbisHeadersBroken();
    static bool isVorbisId(const ogg_packet& packet);
    // 1 with a packet, 0 at the end of the file, -1 where the stream has a hole.
    int nextPacket(ogg_packet& packet);
    bool nextPage(ogg_page& page);

    FILE* file = nullptr;
    ogg_sync_state sync;
    ogg_stream_state stream;
    bool streamStarted = false;
    vorbis_info info;
    vorbis_comment comment;
};
