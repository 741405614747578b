// The animation bake's index of particle ids: ids spread any way over the
// int range are all found again, through every growth of the table.

#include "commands/uninstancer/DKrecordIndex.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

TEST(RecordIndexTest, SparseAndCollidingIdsAreFoundThroughEveryGrowth) {
    // Steps of powers of two land in one slot under a plain modulus; the
    // extremes of the range stand for ids read from a file.
    std::vector<int> ids = {0, INT_MAX, INT_MIN};
    for (int i = 1; i < 2048; ++i) {
        ids.push_back(i * (1 << 20));
        ids.push_back(i * 1024 + 7);
        ids.push_back(-i);
    }
    DKrecordIndex index;
    EXPECT_EQ(index.find(0), DKrecordIndex::kNone);
    for (std::size_t n = 0; n < ids.size(); ++n) {
        EXPECT_EQ(index.find(ids[n]), DKrecordIndex::kNone);
        index.insert(ids[n], static_cast<std::uint32_t>(n));
    }
    for (std::size_t n = 0; n < ids.size(); ++n) {
        ASSERT_EQ(index.find(ids[n]), n) << ids[n];
    }
    EXPECT_EQ(index.find(5), DKrecordIndex::kNone);

    index.release();
    EXPECT_EQ(index.find(INT_MAX), DKrecordIndex::kNone);
    index.insert(INT_MAX, 4);
    EXPECT_EQ(index.find(INT_MAX), 4u);
}

}  // namespace
