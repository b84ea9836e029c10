#include "params/CCollector.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

struct Base {
    virtual ~Base() = default;
};

// Records its name when destroyed (through Base*), and how many items the list held then.
struct Item : Base {
    Item(std::string name, Log* log, CCollector<Base*>* list = nullptr)
        : name(std::move(name)), log(log), list(list) {}
    ~Item() override { log->push_back(list ? name + std::to_string(list->Count()) : name); }
    std::string name;
    Log* log;
    CCollector<Base*>* list;
};

} // namespace

TEST(CCollector, DeleteDestroysDetachOnlyRemoves) {
    Log log;
    Item* a = new Item("a", &log);
    Item* b = new Item("b", &log);
    {
        CCollector<Base*> list;
        EXPECT_EQ(list.Add(a), 1);
        EXPECT_EQ(list.Add(a), 0);
        list.Add(b);
        list.Add(new Item("c", &log));
        EXPECT_TRUE(list.Detach(b));
        EXPECT_FALSE(list.Detach(b));
        EXPECT_TRUE(list.Delete(a));
        EXPECT_FALSE(list.Delete(a));
        EXPECT_EQ(log, (Log{"a"}));
    } // the destructor destroys what is left
    EXPECT_EQ(log, (Log{"a", "c"}));
    delete b;
}

TEST(CCollector, IndexedOperationsKeepOrderAndRefuseBadPositions) {
    Log log;
    CCollector<Base*> list;
    for (const char* n : {"a", "b", "c", "d"})
        list.Add(new Item(n, &log));
    Base* d = list.GetAt(3);
    EXPECT_EQ(list.DeleteAt(1), 1);    // the position of the element that follows
    EXPECT_FALSE(list.DeleteIndex(3)); // at the count
    EXPECT_FALSE(list.DeleteIndex(-1));
    EXPECT_TRUE(list.DeleteIndex(0));
    EXPECT_EQ(list.DeleteAt(7), 7); // outside: nothing happens
    EXPECT_EQ(list.DetachAt(-1), -1);
    EXPECT_EQ(list.GetAt(2), nullptr);
    EXPECT_EQ(list.IndexOf(d), 1);
    EXPECT_EQ(list.IndexOf(nullptr), -1);
    EXPECT_EQ(list.DetachAt(1), 1);
    delete d;
    EXPECT_EQ(log, (Log{"b", "a", "d"}));
}

TEST(CCollector, AddAllNeverOwnsAPointerTwice) {
    Log log;
    CCollector<Base*> list;
    Item* a = new Item("a", &log);
    Item* b = new Item("b", &log);
    list.Add(a);
    std::vector<Base*> more{b, a, b};
    EXPECT_EQ(list.AddAll(&more), 1);
    EXPECT_EQ(list.AddAll(nullptr), 1);
    EXPECT_EQ(list.AddAll(&list.Items()), 1); // its own array
    list.DeleteAll();
    EXPECT_EQ(log, (Log{"a", "b"})); // each destroyed exactly once
}

TEST(CCollector, DeleteAllEmptiesTheListBeforeDestroying) {
    Log log;
    CCollector<Base*> list;
    list.Add(new Item("x", &log, &list));
    list.Add(new Item("y", &log, &list));
    list.DeleteAll();
    EXPECT_EQ(log, (Log{"x0", "y0"}));
}
