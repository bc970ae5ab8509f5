#pragma once
// The queued blended pass: records are stored once in arrival order and only small
// (depth, slot) keys move through the heap, so queuing thousands of particles a frame stays
// cheap. Records leave farthest first; records of equal depth leave in no set order.

#include "graphics/BlendedDraw.h"

#include <cstddef>
#include <cstdint>
#include <queue>
#include <vector>

class BlendedQueue
{
public:
    void push(const BlendedDraw& draw);
    void push(BlendedDraw&& draw);
    bool empty() const { return order.empty(); }
    size_t size() const { return order.size(); }

    // Hands every record to visit, farthest first, and empties the queue. Records pushed
    // while draining are visited in the same drain. The record visit receives stays put
    // while it runs, whatever visit pushes.
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

    // Ends a visit, however it ends: records that arrived during it join the others.
    struct VisitScope
    {
        explicit VisitScope(BlendedQueue& queue) : queue(queue) { queue.visiting = true; }
        ~VisitScope() { queue.adoptArrivals(); }
        BlendedQueue& queue;
    };

    // Files the key of a new record and says where the record itself goes.
    std::vector<BlendedDraw>& storeFor(const BlendedDraw& draw);
    // Asks for the next record's memory while the current one draws: records sit in arrival
    // order, so the depth order jumps around a buffer larger than the caches.
    void prefetchTop() const;
    void adoptArrivals();

    std::vector<BlendedDraw> records;
    // Pushes during a visit wait here, so growing records never moves the visited record.
    std::vector<BlendedDraw> arrivals;
    std::priority_queue<Entry, std::vector<Entry>, Farther> order;
    bool visiting = false;
};

template <class Visit>
void BlendedQueue::drain(Visit visit)
{
    while (!order.empty())
    {
        const Entry next = order.top();
        order.pop();
        prefetchTop();
        VisitScope scope(*this);
        visit(records[next.slot]);
    }
    records.clear();
}
