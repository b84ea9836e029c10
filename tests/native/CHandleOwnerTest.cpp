#include "params/CHandleOwner.h"

#include <gtest/gtest.h>

#include <utility>
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

TEST(CHandleOwner, AMoveHandsTheHandleOverAndItIsReleasedOnceWithItsOwnRelease) {
    ReleaseLog log;
    {
        COwner from(7, CRecordingRelease{&log, 1});
        COwner to(std::move(from));
        EXPECT_FALSE(from);
        COwner other(8, CRecordingRelease{&log, 2});
        other = std::move(to); // the replaced one goes at once
        EXPECT_FALSE(to);
        EXPECT_EQ(log.handles, std::vector<int>{8});
    }
    EXPECT_EQ(log.handles, (std::vector<int>{8, 7}));
    EXPECT_EQ(log.contexts, (std::vector<int>{2, 1}));
}
