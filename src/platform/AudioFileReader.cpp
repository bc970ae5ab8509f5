#include "platform/AudioFileReader.h"

#include "platform/AudioOggHeaderScan.h"

AudioFileReader::AudioFileReader(const std::string& path)
{
    if (!AudioOggHeaderScan::hasBrokenVorbisHeaders(path))
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
