#pragma once
// The queued blended pass: records are stored once in arrival order and only small
// (depth, slot) keys move through the heap, so queuing thousands of particles a frame stays
// cheap. Records leave farthest first; records of equal depth leave in no set order.

#include "graphics/BlendedDraw.h"

#include <cstdint>
#include <queue>
#include <vector>

class BlendedQueue
{
public:
    void push(BlendedDraw draw);
    bool empty() const { return order.empty(); }
    size_t size() const { return order.size(); }

    // Hands every record to visit, farthest first, and empties the queue. Records pushed
    // while draining are visited in the same drain.
    template <class Visit>
    void drain(Visit visit);

private:
    struct Entry
    {
        float depth;
        uint32_t slot;
    };
    struct Farther
    {
        bool operator()(const Entry& a, const Entry& b) const { return a.depth < b.depth; }
    };

    std::vector<BlendedDraw> records;
    std::priority_queue<Entry, std::vector<Entry>, Farther> order;
};

template <class Visit>
void BlendedQueue::drain(Visit visit)
{
    while (!order.empty())
    {
        const Entry next = order.top();
        order.pop();
        // A copy, so a push from inside visit cannot move the record away under it.
        BlendedDraw record = records[next.slot];
        visit(record);
    }
    records.clear();
}
