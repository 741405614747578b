// The scene's own containers: the list of a node's children and the table
// of names, each checked against a plain model through many random edits,
// and the children of a stored value.
#include "graph/NameIndex.h"
#include "graph/NodeList.h"
#include "graph/Value.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace host {
namespace {

Node* fake(size_t n) {
    return reinterpret_cast<Node*>((n + 1) * 16);
}

// Takes out and puts back at both ends and in between, as deletes, their
// undo and reparenting do, and keeps the order a vector would.
TEST(NodeList, KeepsTheOrderAVectorKeeps) {
    std::mt19937 random(7);
    NodeList list;
    std::vector<Node*> model;
    size_t made = 0;
    for (int step = 0; step < 20000; ++step) {
        const unsigned kind = random() % 8;
        // Mostly near the front, where a delete of many objects works.
        auto place = [&](size_t size) -> size_t {
            if (size == 0)
                return 0;
            const unsigned where = random() % 4;
            return where == 0   ? size - 1 - random() % std::min<size_t>(size, 3)
                   : where == 1 ? random() % size
                                : random() % std::min<size_t>(size, 4);
        };
        if (kind < 3 || model.empty()) {
            const size_t at = kind == 0 ? model.size() : place(model.size() + 1);
            list.insert(list.begin() + at, fake(made));
            model.insert(model.begin() + static_cast<std::ptrdiff_t>(at), fake(made));
            ++made;
        } else if (kind < 7) {
            const size_t at = place(model.size());
            list.erase(list.begin() + at);
            model.erase(model.begin() + static_cast<std::ptrdiff_t>(at));
        } else {
            list.push_back(fake(made));
            model.push_back(fake(made++));
        }
        ASSERT_EQ(std::vector<Node*>(list), model) << "step " << step;
    }
    NodeList copy = list;
    copy.erase(copy.begin(), copy.begin() + static_cast<std::ptrdiff_t>(copy.size() / 2));
    EXPECT_EQ(std::vector<Node*>(list), model) << "a copy is its own";
    model.erase(model.begin(), model.begin() + static_cast<std::ptrdiff_t>(model.size() / 2));
    EXPECT_EQ(std::vector<Node*>(copy), model);
}

// Names come and go in a table that moves entries back when one leaves;
// every name must stay findable, and free numbers must be the lowest.
TEST(NameIndex, FindsEveryNameThroughAddsAndRemovals) {
    std::mt19937 random(11);
    NameIndex index;
    std::map<std::string, std::vector<Node*>> model;
    for (int step = 0; step < 30000; ++step) {
        const std::string name = "n" + std::to_string(random() % 3000);
        Node* node = fake(random() % 2);
        if (random() % 3 != 0) {
            index.add(name, node);
            model[name].push_back(node);
        } else {
            index.remove(name, node);
            auto it = model.find(name);
            if (it != model.end()) {
                auto& nodes = it->second;
                nodes.erase(std::remove(nodes.begin(), nodes.end(), node), nodes.end());
                if (nodes.empty())
                    model.erase(it);
            }
        }
    }
    for (unsigned n = 0; n < 3000; ++n) {
        const std::string name = "n" + std::to_string(n);
        const auto* found = index.find(name);
        auto it = model.find(name);
        ASSERT_EQ(found != nullptr, it != model.end()) << name;
        if (found) {
            EXPECT_EQ(*found, it->second) << name;
        }
    }
    unsigned lowest = 1;
    while (model.count("n" + std::to_string(lowest)))
        ++lowest;
    EXPECT_EQ(index.freeNumbered("n"), "n" + std::to_string(lowest));
    index.clear();
    EXPECT_FALSE(index.taken("n1"));
    EXPECT_EQ(index.freeNumbered("n"), "n1");
}

// Free numbers skip every number a name holds, written with leading zeros
// ("n07") or far above the rest, until the last name holding it has gone.
TEST(NameIndex, FreeNumbersSkipEveryNumberInUse) {
    std::mt19937 random(5);
    NameIndex index;
    std::map<std::string, int> model;  // name -> how many nodes hold it
    for (int step = 0; step < 20000; ++step) {
        const unsigned number = random() % 8 == 0 ? 100000 + random() % 50 : 1 + random() % 300;
        const std::string name =
            "n" + std::string(random() % 4 == 0 ? "0" : "") + std::to_string(number);
        Node* node = fake(random() % 2);
        if (random() % 2 == 0) {
            index.add(name, node);
            ++model[name];
        } else if (model.count(name)) {
            index.remove(name, node);
            model.erase(name);
            index.remove(name, fake(0) == node ? fake(1) : fake(0));
        }
        if (step % 97 == 0) {
            unsigned long lowest = 1;
            auto used = [&](unsigned long n) {
                return model.count("n" + std::to_string(n)) ||
                       model.count("n0" + std::to_string(n));
            };
            while (used(lowest))
                ++lowest;
            ASSERT_EQ(index.freeNumbered("n"), "n" + std::to_string(lowest)) << step;
        }
    }
}

// Children made in room their tree's owner lent must leave it when they are
// moved away or outgrow it: the owner frees the room with the tree.
TEST(PlugChildren, ValuesLeaveLentRoomWhenMovedOrGrown) {
    const std::string text = "a text too long to be kept in the string itself";
    alignas(PlugValue) unsigned char room[3 * sizeof(PlugValue)];
    PlugValue copied, moved, grown;
    {
        PlugValue root;
        root.children.borrow(reinterpret_cast<PlugValue*>(room), 3);
        root.children.resize(3);
        root.children[1].value = text;
        copied = root;
        moved = std::move(root);
        EXPECT_TRUE(root.children.empty());
        root.children = copied.children;  // fits the room again
        ASSERT_EQ(root.children.size(), 3u);
        EXPECT_EQ(std::get<std::string>(root.children[1].value), text);
        PlugChildren five;
        five.resize(5);
        five[4].value = 4.0;
        root.children = std::move(five);
        root.children.push_back(copied.children[1]);
        grown = std::move(root);
    }
    std::memset(room, 0xff, sizeof room);
    for (const PlugValue* v : {&copied, &moved}) {
        ASSERT_EQ(v->children.size(), 3u);
        EXPECT_EQ(std::get<std::string>(v->children[1].value), text);
        EXPECT_TRUE(v->children[2].empty());
    }
    ASSERT_EQ(grown.children.size(), 6u);
    EXPECT_EQ(std::get<double>(grown.children[4].value), 4.0);
    EXPECT_EQ(std::get<std::string>(grown.children[5].value), text);
}

}  // namespace
}  // namespace host
