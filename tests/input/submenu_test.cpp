// Submenu: running indices, positions in either order and the end-of-list
// record the platform stops at.
#include <gtest/gtest.h>

#include <string>

#include "input/submenu.h"

namespace {

TEST(Submenu, ItemsTakeRunningIndicesBeforeTheEndRecord)
{
    Submenu list(6, 0);
    EXPECT_EQ(0, list.addr()[0].type);  // starts as the end record alone
    list.add(ITEM_ACTIVE, "one");
    list.add(ITEM_BULLET, "two");
    imenu const* items = list.addr();
    EXPECT_EQ(6, items[0].index);
    EXPECT_EQ(std::string("one"), items[0].text);
    EXPECT_EQ(7, items[1].index);
    EXPECT_EQ(ITEM_BULLET, items[1].type);
    EXPECT_EQ(nullptr, items[1].submenu);
    EXPECT_EQ(0, items[2].type);
    EXPECT_EQ(nullptr, items[2].text);
    EXPECT_EQ(8, list.next_index());
}

TEST(Submenu, HasOnlyItsOwnIndices)
{
    Submenu list(4, 0);
    EXPECT_FALSE(list.has(4));
    list.add(ITEM_ACTIVE, "a");
    list.add(ITEM_ACTIVE, "b");
    EXPECT_FALSE(list.has(3));
    EXPECT_TRUE(list.has(4));
    EXPECT_TRUE(list.has(5));
    EXPECT_FALSE(list.has(6));
    EXPECT_EQ(1, list.position(5));
    EXPECT_EQ(std::string("b"), list.at(5).text);
}

TEST(Submenu, ReversedListAddsAtTheFront)
{
    Submenu list(10, 1);
    list.add(ITEM_ACTIVE, "first");
    list.add(ITEM_ACTIVE, "second");
    list.add(ITEM_ACTIVE, "third");
    imenu const* items = list.addr();
    EXPECT_EQ(std::string("third"), items[0].text);
    EXPECT_EQ(12, items[0].index);
    EXPECT_EQ(std::string("first"), items[2].text);
    EXPECT_EQ(0, items[3].type);
    EXPECT_EQ(2, list.position(10));
    EXPECT_EQ(std::string("first"), list.at(10).text);
    EXPECT_EQ(std::string("third"), list.at(12).text);
}

}
