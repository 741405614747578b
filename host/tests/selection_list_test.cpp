// Selection list editing, the active selection and component function sets.
#include "dag_fixture.h"
#include "selection/Selection.h"
#include "undo/UndoQueue.h"

#include <maya/MFnSingleIndexedComponent.h>
#include <maya/MItSelectionList.h>
#include <maya/MPlug.h>
#include <maya/MSelectionList.h>
#include <maya/MStringArray.h>

namespace host::dag::testing {
namespace {

using Names = std::vector<std::string>;

Names strings(const MSelectionList& list) {
    MStringArray all;
    list.getSelectionStrings(all);
    Names out;
    for (unsigned i = 0; i < all.length(); ++i)
        out.push_back(all[i].asChar());
    return out;
}

Names active() {
    MSelectionList list;
    MGlobal::getActiveSelectionList(list);
    return strings(list);
}

MObject points(std::initializer_list<int> elements) {
    MFnSingleIndexedComponent fn;
    MObject c = fn.create(MFn::kMeshVertComponent);
    for (int e : elements)
        fn.addElement(e);
    return c;
}

class SelectionList : public DagTest {
protected:
    void SetUp() override {
        DagTest::SetUp();
        a = &make("transform", "a");
        b = &make("transform", "b");
        mesh = &make("locator", "meshShape", a);
    }
    Node* a = nullptr;
    Node* b = nullptr;
    Node* mesh = nullptr;
};

TEST_F(SelectionList, ItemsAnswerOnlyForWhatTheyAre) {
    MSelectionList list;
    list.add("a");
    list.add("time1");
    list.add("a.tx");
    MDagPath path;
    EXPECT_TRUE(list.getDagPath(0, path));
    EXPECT_EQ(list.getDagPath(1, path), MS::kFailure);
    EXPECT_FALSE(list.getDagPath(2, path));
    MPlug plug;
    EXPECT_FALSE(list.getPlug(0, plug));
    MObject node;
    ASSERT_TRUE(list.getDependNode(2, node));
    EXPECT_EQ(node, object(*a));
    EXPECT_EQ(list.getDependNode(3, node), MS::kInvalidParameter);
    EXPECT_EQ(strings(list), (Names{"a", "time1", "a.translateX"}));
}

TEST_F(SelectionList, NameAddsDoNotRepeatButExplicitMergesDecide) {
    MSelectionList list;
    list.add("a");
    list.add("a");
    EXPECT_EQ(list.length(), 1u);
    list.add(object(*a));
    EXPECT_EQ(list.length(), 1u);
    list.add(object(*b), true);
    EXPECT_EQ(list.length(), 2u);
    EXPECT_TRUE(list.hasItem(object(*b)));
    ASSERT_TRUE(list.remove(0));
    EXPECT_FALSE(list.hasItem(object(*a)));
    EXPECT_FALSE(list.remove(5));
    EXPECT_FALSE(list.add(MObject()));
    EXPECT_FALSE(list.add(MDagPath()));
}

// A command's object names go in all at once; the list must come out as
// adding them one by one would make it, and stop at the first unknown name.
TEST_F(SelectionList, ManyNamesAtOnceAddAsOneByOne) {
    const Names names{"b", "a", "a.tx", "a", "time1", "meshShape", "b", "a.tx", "*"};
    MSelectionList oneByOne, atOnce;
    oneByOne.add("time1");
    atOnce.add("time1");
    for (const std::string& name : names)
        oneByOne.add(name.c_str());
    ASSERT_TRUE(selection::addNames(atOnce, names));
    EXPECT_EQ(strings(atOnce), strings(oneByOne));
    // An empty list takes a few names' entries over, repeats left out.
    MSelectionList fresh;
    ASSERT_TRUE(selection::addNames(fresh, {"b", "a", "|b", "meshShape", "a"}));
    EXPECT_EQ(strings(fresh), (Names{"b", "a", "meshShape"}));

    MSelectionList partial;
    size_t failed = 0;
    EXPECT_FALSE(selection::addNames(partial, {"b", "a", "nothing", "meshShape"}, &failed));
    EXPECT_EQ(failed, 2u);
    EXPECT_EQ(strings(partial), (Names{"b", "a"}));
}

// A list finds its entries through an index built as items are added; a
// removal, a replacement or an edit of the whole list must not leave it
// answering from places that have moved.
TEST_F(SelectionList, AddsFindTheirEntriesAfterTheListChanged) {
    MSelectionList list;
    list.add("a");
    list.add("b");
    ASSERT_TRUE(list.remove(0));
    list.add("b");
    list.add("a");
    EXPECT_EQ(strings(list), (Names{"b", "a"}));
    ASSERT_TRUE(list.replace(0, object(*a)));
    list.add("b");
    list.add(object(*a));
    EXPECT_EQ(strings(list), (Names{"a", "a", "b"}));

    selection::ListAccess::items(list).erase(selection::ListAccess::items(list).begin());
    list.add("b");
    list.add("time1");
    EXPECT_EQ(strings(list), (Names{"a", "b", "time1"}));

    // Without merging, a part goes in beside the whole and the whole only once.
    MDagPath shape = pathTo(*mesh);
    MSelectionList parts;
    parts.add(shape, points({1}));
    parts.add(shape);
    parts.add(shape);
    parts.add(shape, points({1}));
    EXPECT_EQ(strings(parts), (Names{"a.vtx[1]", "meshShape", "a.vtx[1]"}));
    MSelectionList copy = parts;
    copy.add(shape);
    copy.clear();
    copy.add(shape);
    EXPECT_EQ(strings(copy), (Names{"meshShape"}));
}

TEST_F(SelectionList, ComponentsOfOneShapeCombine) {
    MDagPath shape = pathTo(*mesh);
    MSelectionList list;
    list.add(shape, points({1, 2}), true);
    list.add(shape, points({2, 5}), true);
    ASSERT_EQ(list.length(), 1u);
    EXPECT_EQ(strings(list), (Names{"a.vtx[1:2]", "a.vtx[5]"}));
    EXPECT_TRUE(list.hasItem(shape, points({1, 5})));
    EXPECT_FALSE(list.hasItem(shape, points({1, 3})));
    EXPECT_TRUE(list.hasItemPartly(shape, points({1, 3})));
    EXPECT_FALSE(list.hasItem(shape));

    list.toggle(shape, points({5, 7}));
    EXPECT_EQ(strings(list), (Names{"a.vtx[1:2]", "a.vtx[7]"}));
    list.merge(shape, points({1, 2, 7}), MSelectionList::kRemoveFromList);
    EXPECT_TRUE(list.isEmpty());

    // The whole shape absorbs its parts.
    list.add(shape, points({1}), true);
    list.add(shape, MObject::kNullObj, true);
    EXPECT_EQ(strings(list), (Names{"meshShape"}));
    EXPECT_TRUE(list.hasItem(shape, points({9})));
}

TEST_F(SelectionList, TheListKeepsItsOwnComponent) {
    MDagPath shape = pathTo(*mesh);
    MObject mine = points({1});
    MSelectionList list;
    list.add(shape, mine);
    MFnSingleIndexedComponent(mine).addElement(9);
    EXPECT_EQ(strings(list), (Names{"a.vtx[1]"}));
}

TEST_F(SelectionList, MergeStrategiesOverLists) {
    MSelectionList left, right;
    left.add("a");
    left.add("b");
    right.add("b");
    right.add("time1");
    MSelectionList xored = left;
    xored.merge(right, MSelectionList::kXORWithList);
    EXPECT_EQ(strings(xored), (Names{"a", "time1"}));
    MSelectionList removed = left;
    removed.merge(right, MSelectionList::kRemoveFromList);
    EXPECT_EQ(strings(removed), (Names{"a"}));
    left.merge(left);
    EXPECT_EQ(strings(left), (Names{"a", "b"}));
}

// Long lists are merged through an index rather than a search per item;
// every strategy must come out as merging the items one by one does, with
// components combined, absorbed and emptied out.
TEST_F(SelectionList, LongMergesAgreeWithMergingOneByOne) {
    using selection::ListAccess;
    MDagPath shape = pathTo(*mesh);
    for (int i = 0; i < 6; ++i)
        make("transform", "t" + std::to_string(i));
    MSelectionList base;
    base.add("t1");
    base.add(shape, points({1, 2}), true);
    base.add("t4");
    base.add("a.tx");
    MSelectionList incoming;
    incoming.add("t*");
    incoming.add(shape, points({2, 3}), false);
    incoming.add(shape, points({1, 2}), false);
    incoming.add("a.tx");
    incoming.add("b");
    ASSERT_GT(incoming.length(), 4u);
    for (auto strategy : {MSelectionList::kMergeNormal, MSelectionList::kXORWithList,
                          MSelectionList::kRemoveFromList}) {
        SCOPED_TRACE(static_cast<int>(strategy));
        MSelectionList batched = base;
        batched.merge(incoming, strategy);
        MSelectionList single = base;
        for (const selection::Item& item : ListAccess::items(incoming))
            selection::mergeItem(ListAccess::items(single), item, strategy);
        EXPECT_EQ(strings(batched), strings(single));
    }
    MSelectionList named;
    named.add("t*");
    const unsigned once = named.length();
    named.add("t*");
    EXPECT_EQ(named.length(), once);
}

TEST_F(SelectionList, IteratorFiltersByType) {
    MSelectionList list;
    list.add("a");
    list.add("time1");
    list.add("meshShape");
    Names seen;
    for (MItSelectionList it(list, MFn::kDagNode); !it.isDone(); it.next()) {
        MStringArray s;
        it.getStrings(s);
        seen.push_back(s[0].asChar());
        EXPECT_EQ(it.itemType(), MItSelectionList::kDagSelectionItem);
    }
    EXPECT_EQ(seen, (Names{"a", "meshShape"}));
    MItSelectionList all(list);
    all.next();
    EXPECT_EQ(all.itemType(), MItSelectionList::kDNselectionItem);
}

TEST_F(SelectionList, ActiveSelectionAdjustments) {
    ASSERT_TRUE(MGlobal::selectByName("a", MGlobal::kReplaceList));
    ASSERT_TRUE(MGlobal::selectByName("b", MGlobal::kAddToList));
    EXPECT_EQ(active(), (Names{"a", "b"}));
    MGlobal::selectByName("time1", MGlobal::kAddToHeadOfList);
    EXPECT_EQ(active(), (Names{"time1", "a", "b"}));
    MGlobal::selectByName("a", MGlobal::kXORWithList);
    EXPECT_EQ(active(), (Names{"time1", "b"}));
    MGlobal::unselectByName("time1");
    EXPECT_EQ(active(), (Names{"b"}));
    MObject aObj = object(*a);
    MGlobal::select(aObj, MGlobal::kReplaceList);
    EXPECT_TRUE(MGlobal::isSelected(aObj));
    MGlobal::unselect(aObj);
    EXPECT_EQ(active(), Names{});
    EXPECT_FALSE(MGlobal::selectByName("missing", MGlobal::kReplaceList));

    MSelectionList found;
    ASSERT_TRUE(MGlobal::getSelectionListByName("a", found));
    ASSERT_TRUE(MGlobal::getSelectionListByName("b", found));
    EXPECT_EQ(found.length(), 2u);
}

TEST_F(SelectionList, SelectCommandIsOneUndoStep) {
    undo::Queue& queue = undo::Queue::instance();
    queue.setState(true);
    MGlobal::selectByName("a", MGlobal::kReplaceList);
    MSelectionList more;
    more.add("b");
    ASSERT_TRUE(MGlobal::selectCommand(more, MGlobal::kAddToList));
    EXPECT_EQ(active(), (Names{"a", "b"}));
    ASSERT_TRUE(queue.undo());
    EXPECT_EQ(active(), (Names{"a"}));
    ASSERT_TRUE(queue.redo());
    EXPECT_EQ(active(), (Names{"a", "b"}));
}

TEST_F(SelectionList, DeletedNodesLeaveTheActiveSelection) {
    MGlobal::selectByName("a", MGlobal::kReplaceList);
    MGlobal::selectByName("b", MGlobal::kAddToList);
    NodePtr keep = Scene::current().share(b);
    Scene::Detached cut = Scene::current().removeNode(*b);
    EXPECT_EQ(active(), (Names{"a"}));
    Scene::current().restoreNode(keep, cut);
    EXPECT_EQ(active(), (Names{"a"}));
    MGlobal::clearSelectionList();
    EXPECT_EQ(active(), Names{});
}

TEST(SingleIndexedComponent, ElementsKeepOrderWithoutRepeats) {
    MFnSingleIndexedComponent fn;
    MStatus status;
    MObject c = fn.create(MFn::kDynParticleSetComponent, &status);
    ASSERT_TRUE(status);
    EXPECT_EQ(c.apiType(), MFn::kDynParticleSetComponent);
    EXPECT_TRUE(fn.isEmpty());
    MIntArray some;
    some.append(4);
    some.append(1);
    some.append(4);
    ASSERT_TRUE(fn.addElements(some));
    EXPECT_EQ(fn.elementCount(), 2);
    EXPECT_EQ(fn.element(0), 4);
    EXPECT_EQ(fn.element(1), 1);
    fn.element(2, &status);
    EXPECT_FALSE(status);
    EXPECT_FALSE(fn.addElement(-1));
    EXPECT_FALSE(fn.hasWeights());

    MFnSingleIndexedComponent bad;
    bad.create(MFn::kTransform, &status);
    EXPECT_FALSE(status);
    MFnSingleIndexedComponent onNode(MObject(), &status);
    EXPECT_FALSE(status);
}

}  // namespace
}  // namespace host::dag::testing
