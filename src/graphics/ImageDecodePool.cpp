#include "graphics/ImageDecodePool.h"

#include <algorithm>
#include <cassert>

namespace
{
// Decoding several images at once pays off up to a few cores; more only compete with the GL
// thread and whatever else starts with the game.
constexpr size_t kMaxWorkers = 4;
}

size_t ImageDecodePool::DefaultWorkerCount()
{
    return std::clamp<size_t>(std::thread::hardware_concurrency(), 1, kMaxWorkers);
}

ImageDecodePool::ImageDecodePool(std::vector<std::string> paths, size_t workerCount, size_t bytesAheadLimit)
    : paths(std::move(paths)), bytesAheadLimit(bytesAheadLimit), images(this->paths.size()),
      decoded(this->paths.size(), false)
{
    const size_t threads = std::min(std::max<size_t>(workerCount, 1), this->paths.size());
    for (size_t index = 0; index < threads; ++index)
        workers.emplace_back(&ImageDecodePool::work, this);
}

ImageDecodePool::~ImageDecodePool()
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    imageTaken.notify_all();
    for (std::thread& worker : workers)
        worker.join();
}

DecodedImage ImageDecodePool::next()
{
    std::unique_lock<std::mutex> lock(mutex);
    assert(nextToTake < paths.size());
    const size_t index = nextToTake;
    imageDecoded.wait(lock, [this, index] { return decoded[index]; });
    ++nextToTake;
    DecodedImage image = std::move(images[index]);
    bytesWaiting -= image.byteCount();
    lock.unlock();
    imageTaken.notify_all();
    return image;
}

// The image the taker waits for is claimed already, or else nothing after it is decoded and
// nothing waits; room whenever nothing waits keeps any limit, even none, from stalling it.
bool ImageDecodePool::hasRoomAhead() const
{
    return bytesWaiting == 0 || bytesWaiting < bytesAheadLimit;
}

void ImageDecodePool::work()
{
    std::unique_lock<std::mutex> lock(mutex);
    while (true)
    {
        imageTaken.wait(lock, [this] { return stopping || nextToDecode >= paths.size() || hasRoomAhead(); });
        if (stopping || nextToDecode >= paths.size())
            return;
        const size_t index = nextToDecode++;
        lock.unlock();
        DecodedImage image = DecodedImage::FromFile(paths[index]);
        lock.lock();
        bytesWaiting += image.byteCount();
        images[index] = std::move(image);
        decoded[index] = true;
        imageDecoded.notify_all();
    }
}
