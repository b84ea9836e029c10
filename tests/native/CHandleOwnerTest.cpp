#include "params/CHandleOwner.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Records every release, with the context the release carried.
struct ReleaseLog {
    std::vector<int> handles, contexts;
};

struct CRecordingRelease {
    ReleaseLog* log = nullptr;
    int context = 0;
    void operator()(int handle) const {
        log->handles.push_back(handle);
        log->contexts.push_back(context);
    }
};

using COwner = CHandleOwner<int, CRecordingRelease>;

} // namespace

TEST(CHandleOwner, ReleasesEachHandleOnceOnEveryPath) {
    ReleaseLog log;
    {
        COwner owner(7, CRecordingRelease{&log, 1});
        owner.Reset(8, CRecordingRelease{&log, 2}); // replaced: the old handle goes
        EXPECT_EQ(owner.Get(), 8);
    } // destroyed: the held one goes
    EXPECT_EQ(log.handles, (std::vector<int>{7, 8}));
    // Each handle is given back with the release it came with.
    EXPECT_EQ(log.contexts, (std::vector<int>{1, 2}));
}

TEST(CHandleOwner, NullIsNeverReleased) {
    ReleaseLog log;
    {
        COwner owner(0, CRecordingRelease{&log, 1});
        EXPECT_FALSE(owner);
        owner.Reset(5, CRecordingRelease{&log, 1});
        EXPECT_TRUE(owner);
        owner.Reset(); // released once, then the owner holds nothing
        EXPECT_FALSE(owner);
    }
    EXPECT_EQ(log.handles, (std::vector<int>{5}));
}

TEST(CHandleOwner, ReceiveReleasesFirstAndOwnsWhatTheCallWrites) {
    ReleaseLog log;
    {
        COwner owner(3, CRecordingRelease{&log, 1});
        int* slot = owner.Receive();
        EXPECT_EQ(log.handles, (std::vector<int>{3}));
        EXPECT_EQ(*slot, 0) << "the slot starts empty, as a failed call leaves it";
        *slot = 4; // what an out-parameter call writes
        EXPECT_EQ(owner.Get(), 4);
    }
    EXPECT_EQ(log.handles, (std::vector<int>{3, 4}));
}

// Owners move: the handle goes with the release it came with, the old owner holds nothing,
// and each handle is released once, by its last owner.
TEST(CHandleOwner, MovingHandsOverTheHandleAndItsRelease) {
    struct Case {
        const char* what;
        void (*run)(ReleaseLog& log);
        std::vector<int> handles;
        std::vector<int> contexts;
    };
    const Case cases[] = {
        {"move construction: released once, by the new owner",
         [](ReleaseLog& log) {
             COwner from(7, CRecordingRelease{&log, 1});
             const COwner to(std::move(from));
             EXPECT_FALSE(from);
             EXPECT_EQ(to.Get(), 7);
         },
         {7},
         {1}},
        {"move assignment: the held handle goes first, with its own release",
         [](ReleaseLog& log) {
             COwner from(7, CRecordingRelease{&log, 1});
             COwner to(8, CRecordingRelease{&log, 2});
             to = std::move(from);
             EXPECT_EQ(log.handles, (std::vector<int>{8}));
             EXPECT_FALSE(from);
         },
         {8, 7},
         {2, 1}},
        {"an empty owner moved over a held one",
         [](ReleaseLog& log) {
             COwner from;
             COwner to(8, CRecordingRelease{&log, 2});
             to = std::move(from);
             EXPECT_FALSE(to);
         },
         {8},
         {2}},
        {"assigned to itself: kept, released once",
         [](ReleaseLog& log) {
             COwner owner(7, CRecordingRelease{&log, 1});
             COwner& same = owner;
             owner = std::move(same);
             EXPECT_EQ(owner.Get(), 7);
         },
         {7},
         {1}},
        {"kept in a growing vector: moved on each reallocation, never released twice",
         [](ReleaseLog& log) {
             std::vector<COwner> owners;
             for (int handle = 1; handle <= 5; ++handle)
                 owners.emplace_back(handle, CRecordingRelease{&log, handle});
             EXPECT_TRUE(log.handles.empty());
         },
         {1, 2, 3, 4, 5},
         {1, 2, 3, 4, 5}},
    };
    for (const Case& c : cases) {
        ReleaseLog log;
        c.run(log);
        EXPECT_EQ(log.handles, c.handles) << c.what;
        EXPECT_EQ(log.contexts, c.contexts) << c.what;
    }
}
