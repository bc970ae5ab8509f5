#include "graphics/BlendedDraw.h"
#include "graphics/BlendedQueue.h"
#include "graphics/GraphicsSystem.h"
#include "graphics/Mesh.h"

#include <gtest/gtest.h>

#include <queue>
#include <stdexcept>
#include <vector>

namespace
{
// A record at distance depth from the null system's camera (at the origin), told apart by
// the red of its draw colour.
BlendedDraw Tagged(float depth, float tag)
{
    DrawData record = GraphicsSystemNull::instance()->getDrawData();
    record.transform.setPosition(0.0f, 0.0f, depth);
    record.drawColor.x = tag;
    return BlendedDraw(MeshNull::instance(), record);
}

std::vector<float> DrainTags(BlendedQueue& queue)
{
    std::vector<float> tags;
    queue.drain([&tags](BlendedDraw& record) { tags.push_back(record.drawColor.x); });
    return tags;
}
}

TEST(BlendedQueue, EqualDepthsLeaveInTheOrderOfAPlainHeapOfKeys)
{
    struct Key
    {
        float depth;
        int tag;
    };
    struct Farther
    {
        bool operator()(const Key& a, const Key& b) const { return a.depth < b.depth; }
    };
    std::priority_queue<Key, std::vector<Key>, Farther> reference;
    BlendedQueue queue;
    for (int i = 0; i < 300; ++i)
    {
        const float depth = static_cast<float>((i * 7) % 3 + 1);
        reference.push({depth, i});
        queue.push(Tagged(depth, static_cast<float>(i)));
    }
    std::vector<float> expected;
    for (; !reference.empty(); reference.pop())
        expected.push_back(static_cast<float>(reference.top().tag));

    EXPECT_EQ(DrainTags(queue), expected);
    EXPECT_TRUE(queue.empty());
}

TEST(BlendedQueue, TheVisitedRecordStaysPutWhileTheVisitQueuesMore)
{
    BlendedQueue queue;
    queue.push(Tagged(50.0f, -1.0f));
    std::vector<float> tags;
    queue.drain([&queue, &tags](BlendedDraw& record) {
        if (record.drawColor.x == -1.0f)
        {
            // Far more than the storage holds, so it has to grow.
            for (int i = 0; i < 1000; ++i)
                queue.push(Tagged(static_cast<float>(i % 40), static_cast<float>(i)));
            EXPECT_EQ(queue.size(), 1000u);
            EXPECT_FLOAT_EQ(record.getDepth(), 50.0f);
            EXPECT_EQ(record.drawColor.x, -1.0f);
        }
        tags.push_back(record.getDepth());
    });
    ASSERT_EQ(tags.size(), 1001u);
    for (size_t i = 1; i < tags.size(); ++i)
        EXPECT_GE(tags[i - 1], tags[i]) << "at " << i;
    EXPECT_TRUE(queue.empty());
}

TEST(BlendedQueue, AThrowingVisitLeavesTheRecordsNotYetVisitedQueued)
{
    BlendedQueue queue;
    for (float depth : {9.0f, 5.0f, 1.0f})
        queue.push(Tagged(depth, depth));
    std::vector<float> visited;
    EXPECT_THROW(queue.drain([&queue, &visited](BlendedDraw& record) {
        visited.push_back(record.drawColor.x);
        if (record.drawColor.x == 5.0f)
        {
            queue.push(Tagged(3.0f, 3.0f));
            throw std::invalid_argument("upload failed");
        }
    }),
                 std::invalid_argument);
    EXPECT_EQ(visited, (std::vector<float>{9.0f, 5.0f}));
    EXPECT_EQ(queue.size(), 2u);
    EXPECT_EQ(DrainTags(queue), (std::vector<float>{3.0f, 1.0f}));
}
