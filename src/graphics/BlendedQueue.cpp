#include "graphics/BlendedQueue.h"

void BlendedQueue::push(BlendedDraw draw)
{
    order.push({draw.getDepth(), static_cast<uint32_t>(records.size())});
    records.push_back(std::move(draw));
}
