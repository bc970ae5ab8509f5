#pragma once
// Decodes a list of image files on worker threads and hands the images back one by one in list
// order, so the GL thread uploads each image while the workers decode the ones after it. The
// order of uploads, and so of error lines and GL names, is the list's, however the decoding
// threads interleave. Decoded images waiting for the taker are bounded in bytes, so the workers
// run far ahead while the taker is busy elsewhere (the game opening its window) without holding
// an unbounded folder in memory. Destroying the pool early (say, when the taker stops on a bad
// image) stops the workers after the images they are decoding.

#include "graphics/DecodedImage.h"

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class ImageDecodePool
{
public:
    static constexpr size_t kDefaultBytesAhead = size_t{96} << 20;

    explicit ImageDecodePool(std::vector<std::string> paths, size_t workerCount = DefaultWorkerCount(),
                             size_t bytesAheadLimit = kDefaultBytesAhead);
    ~ImageDecodePool();
    ImageDecodePool(const ImageDecodePool&) = delete;
    ImageDecodePool& operator=(const ImageDecodePool&) = delete;

    // Waits for the next image in list order; call at most once per path.
    DecodedImage next();

    static size_t DefaultWorkerCount();

private:
    void work();
    bool hasRoomAhead() const;

    const std::vector<std::string> paths;
    const size_t bytesAheadLimit;
    std::vector<DecodedImage> images;
    std::vector<bool> decoded;
    size_t nextToDecode = 0;
    size_t nextToTake = 0;
    size_t bytesWaiting = 0;
    bool stopping = false;
    std::mutex mutex;
    std::condition_variable imageDecoded;
    std::condition_variable imageTaken;
    std::vector<std::thread> workers;
};
