#include "graphics/BlendedQueue.h"

#include <iterator>

namespace
{
constexpr size_t kCacheLine = 64;
}

void BlendedQueue::push(const BlendedDraw& draw)
{
    storeFor(draw).push_back(draw);
}

void BlendedQueue::push(BlendedDraw&& draw)
{
    storeFor(draw).push_back(std::move(draw));
}

// Slots count the waiting arrivals too: they take exactly those places when adopted.
std::vector<BlendedDraw>& BlendedQueue::storeFor(const BlendedDraw& draw)
{
    order.push({draw.getDepth(), static_cast<uint32_t>(records.size() + arrivals.size())});
    return visiting ? arrivals : records;
}

void BlendedQueue::prefetchTop() const
{
    if (order.empty())
        return;
    const char* bytes = reinterpret_cast<const char*>(&records[order.top().slot]);
    for (size_t offset = 0; offset < sizeof(BlendedDraw); offset += kCacheLine)
        __builtin_prefetch(bytes + offset);
}

void BlendedQueue::adoptArrivals()
{
    visiting = false;
    records.insert(records.end(), std::make_move_iterator(arrivals.begin()), std::make_move_iterator(arrivals.end()));
    arrivals.clear();
}
