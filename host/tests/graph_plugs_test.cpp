// What a node keeps per plug: its connection tables and plug sets walk in
// the order listings and saved files were written in, whatever order the
// plugs came in, and a set nothing was put in reads as empty.
#include "graph/Attribute.h"
#include "graph/PlugMap.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <vector>

namespace host {
namespace {

class Plugs : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"a", "b", "c"})
            attributes.push_back(std::make_shared<Attribute>(Attribute::Kind::Numeric, name, name));
    }
    PlugPath path(size_t attribute, std::vector<unsigned> indices = {}) const {
        return PlugPath{attributes[attribute].get(), std::move(indices)};
    }
    std::vector<std::shared_ptr<Attribute>> attributes;
};

TEST_F(Plugs, TableWalksAndFindsAsATreeWould) {
    PlugMap<int> table;
    std::map<PlugPath, int> tree;
    const std::vector<PlugPath> order{path(2),         path(0, {3}), path(1), path(0, {1}),
                                      path(0, {1, 2}), path(0),      path(2)};
    int n = 0;
    for (const PlugPath& p : order) {
        table[p] += ++n;
        tree[p] += n;
    }
    table.erase(path(1));
    tree.erase(path(1));
    ASSERT_EQ(table.size(), tree.size());
    auto t = tree.begin();
    for (const auto& [p, value] : table) {
        EXPECT_EQ(p, t->first);
        EXPECT_EQ(value, t->second);
        ++t;
    }
    EXPECT_EQ(table.count(path(2)), 1u);
    EXPECT_EQ(table.find(path(0, {2})), table.end());
    // The entry before where an index past every element would go.
    auto last = table.lower_bound(path(0, {~0u}));
    ASSERT_NE(last, table.begin());
    EXPECT_EQ((--last)->first, path(0, {3}));
}

TEST_F(Plugs, SetKeepsEachPlugOnceAndReadsEmptyBeforeTheFirst) {
    PlugSet set;
    EXPECT_TRUE(set.empty());
    EXPECT_EQ(set.begin(), set.end());
    EXPECT_EQ(set.count(path(0)), 0u);
    EXPECT_EQ(set.erase(path(0)), 0u);

    const std::vector<PlugPath> plugs{path(1), path(0, {2}), path(1), path(0)};
    set.insert(plugs.begin(), plugs.end());
    const std::set<PlugPath> tree(plugs.begin(), plugs.end());
    EXPECT_EQ(std::vector<PlugPath>(set.begin(), set.end()),
              std::vector<PlugPath>(tree.begin(), tree.end()));
    for (auto it = set.begin(); it != set.end();)
        it = it->attribute == attributes[0].get() ? set.erase(it) : std::next(it);
    EXPECT_EQ(std::vector<PlugPath>(set.begin(), set.end()), std::vector<PlugPath>{path(1)});
}

}  // namespace
}  // namespace host
