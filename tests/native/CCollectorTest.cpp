#include "params/CCollector.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Base {
    virtual ~Base() = default;
};

// Records its name in the log when destroyed; destroyed through Base*.
struct Item : Base {
    Item(std::string name, std::vector<std::string>* log) : name(std::move(name)), log(log) {}
    ~Item() override { log->push_back(name); }
    std::string name;
    std::vector<std::string>* log;
};

using Log = std::vector<std::string>;

} // namespace

TEST(CCollector, AddRefusesTheSamePointer) {
    Log log;
    CCollector<Base*> list;
    Item* a = new Item("a", &log);
    EXPECT_EQ(list.Add(a), 1);
    EXPECT_EQ(list.Add(a), 0);
    EXPECT_EQ(list.Count(), 1);
}

TEST(CCollector, DeleteDestroysDetachOnlyRemoves) {
    Log log;
    Item* a = new Item("a", &log);
    Item* b = new Item("b", &log);
    Item* c = new Item("c", &log);
    {
        CCollector<Base*> list;
        list.Add(a);
        list.Add(b);
        list.Add(c);
        EXPECT_TRUE(list.Detach(b));
        EXPECT_FALSE(list.Detach(b));
        EXPECT_EQ(list.GetAt(1), c); // order kept
        EXPECT_TRUE(list.Delete(a));
        EXPECT_FALSE(list.Delete(a));
        EXPECT_EQ(log, (Log{"a"}));
    } // the destructor destroys what is left
    EXPECT_EQ(log, (Log{"a", "c"}));
    delete b;
}

TEST(CCollector, IndexedOperationsAndBounds) {
    Log log;
    CCollector<Base*> list;
    for (const char* n : {"a", "b", "c", "d"})
        list.Add(new Item(n, &log));
    Base* d = list.GetAt(3);
    EXPECT_EQ(list.DeleteAt(1), 1); // the position of the element that follows
    EXPECT_EQ(log, (Log{"b"}));
    EXPECT_FALSE(list.DeleteIndex(3)); // at the count
    EXPECT_FALSE(list.DeleteIndex(-1));
    EXPECT_TRUE(list.DeleteIndex(0));
    EXPECT_EQ(list.DeleteAt(7), 7); // outside: nothing happens
    EXPECT_EQ(list.DetachAt(-1), -1);
    EXPECT_EQ(list.GetAt(2), nullptr);
    EXPECT_EQ(list.GetAt(-1), nullptr);
    EXPECT_EQ(list.IndexOf(d), 1);
    EXPECT_EQ(list.IndexOf(nullptr), -1);
    EXPECT_EQ(list.DetachAt(1), 1);
    delete d;
    list.DeleteAll();
    EXPECT_EQ(log, (Log{"b", "a", "d", "c"}));
    EXPECT_EQ(list.Count(), 0);
}

TEST(CCollector, AddAllSkipsPointersAlreadyOwned) {
    Log log;
    CCollector<Base*> list;
    Item* a = new Item("a", &log);
    Item* b = new Item("b", &log);
    list.Add(a);
    std::vector<Base*> more{b, a, b};
    EXPECT_EQ(list.AddAll(&more), 1);
    EXPECT_EQ(list.AddAll(nullptr), 1);
    EXPECT_EQ(list.AddAll(&list.Items()), 1); // its own array: nothing new
    EXPECT_EQ(list.Count(), 2);
    list.DeleteAll(); // each destroyed exactly once
    EXPECT_EQ(log, (Log{"a", "b"}));
}

TEST(CCollector, DestructorSeesAnEmptyListWhileDestroying) {
    struct Watcher : Base {
        Watcher(CCollector<Base*>* list, std::vector<int>* seen) : list(list), seen(seen) {}
        ~Watcher() override { seen->push_back(list->Count()); }
        CCollector<Base*>* list;
        std::vector<int>* seen;
    };
    std::vector<int> seen;
    CCollector<Base*> list;
    list.Add(new Watcher(&list, &seen));
    list.Add(new Watcher(&list, &seen));
    list.DeleteAll();
    EXPECT_EQ(seen, (std::vector<int>{0, 0}));
}

TEST(CCollector, ItemsWithoutVirtualDestructor) {
    CCollector<int*> list;
    list.Add(new int(1));
    list.Add(new int(2));
    EXPECT_TRUE(list.Delete(list.GetAt(0)));
    int* two = list.GetAt(0);
    EXPECT_EQ(*two, 2);
    list.DetachAll();
    EXPECT_EQ(list.Count(), 0);
    delete two;
}
