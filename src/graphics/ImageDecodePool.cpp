#include "graphics/ImageDecodePool.h"

#include <algorithm>
#include <cassert>

namespace
{
// Decoding several images at once pays off up to a few cores; more only compete with the GL
// thread and whatever else starts with the game.
constexpr size_t kMaxWorkers = 4;
// Images each worker may have ready before the taker catches up.
constexpr size_t kImagesAheadPerWorker = 2;
}

size_t ImageDecodePool::DefaultWorkerCount()
{
    return std::clamp<size_t>(std::thread::hardware_concurrency(), 1, kMaxWorkers);
}

ImageDecodePool::ImageDecodePool(std::vector<std::string> paths, size_t workerCount)
    : paths(std::move(paths)), aheadLimit(std::max<size_t>(workerCount, 1) * kImagesAheadPerWorker),
      images(this->paths.size()), decoded(this->paths.size(), false)
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
    lock.unlock();
    imageTaken.notify_all();
    return image;
}

bool ImageDecodePool::hasRoomAhead() const
{
    return nextToDecode < nextToTake + aheadLimit;
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
        images[index] = std::move(image);
        decoded[index] = true;
        imageDecoded.notify_all();
    }
}
