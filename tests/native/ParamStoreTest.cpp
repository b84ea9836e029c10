#include "params/CEdges.h"
#include "params/CMemoryBackend.h"
#include "params/CParam.h"
#include "params/CSettingsStore.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A store in registry mode over a fresh in-memory back-end, rooted at Software\T\.
struct ParamStore : ::testing::Test {
    ParamStore() : store(true, "", "") {
        store.SetBackend(std::make_unique<CMemoryBackend>());
        store.SetRoot("Software\\T");
    }

    tstr Read(const char* path, const char* name) {
        tstr out("(absent)");
        store.ReadString(path, name, out);
        return out;
    }

    CSettingsStore store;
};

} // namespace

TEST_F(ParamStore, ImplicitValueDeletesTheEntry) {
    CEdges<CParam<int>, int> transBG; // 0..1 by construction, no SetRange
    transBG.Set(1);
    transBG.SetName("transBG");
    transBG.SetImplicit(1);
    store.WriteString("Options", "transBG", "0");
    EXPECT_TRUE(transBG.Save(&store, "Options"));
    EXPECT_STREQ(Read("Options", "transBG").c_str(), "(absent)");
    transBG.Set(0);
    transBG.Save(&store, "Options");
    EXPECT_STREQ(Read("Options", "transBG").c_str(), "0");
    store.WriteString("Options", "transBG", tstr());
    transBG.Load(&store, "Options"); // absent: keeps its current value
    EXPECT_EQ(*transBG.Get(), 0);
}

TEST_F(ParamStore, TextValuesKeepEmptyAndDeleteNull) {
    CParam<tstr> name;
    name.SetName("name");
    name.Save(&store, "Sets");
    EXPECT_STREQ(Read("Sets", "name").c_str(), "0"); // never set: the text 0
    name.Set("");
    name.Save(&store, "Sets");
    EXPECT_STREQ(Read("Sets", "name").c_str(), ""); // stored empty, not deleted
    name.FromText(tstr());
    name.Save(&store, "Sets");
    EXPECT_STREQ(Read("Sets", "name").c_str(), "(absent)");
}

TEST_F(ParamStore, UnsignedLongKeepsThe32BitsRoundTrip) {
    CParam<unsigned long> u;
    u.SetName("u");
    u.Set(4294967295UL);
    u.Save(&store, "P");
    EXPECT_STREQ(Read("P", "u").c_str(), "-1");
    CParam<unsigned long> back;
    back.SetName("u");
    back.Load(&store, "P");
    EXPECT_EQ(*back.Get(), 4294967295UL);
}

TEST_F(ParamStore, LoadConvertsByTheTypeRules) {
    struct Row {
        const char* stored;
        bool asBool;
        int asBounded; // a parameter bounded 10..100
    } rows[] = {
        {"2", true, 10},    // non-zero is true; below the range
        {"x", false, 10},   // no digits: 0
        {"70", true, 70},   // within the range
        {"999", true, 100}, // above the range: nearest bound
        {" -3z", true, 10}, // blanks, sign and trailing junk by atoi rules
        {"", false, 10},    // an empty entry reads as 0
    };
    for (const Row& r : rows) {
        store.WriteString("L", "v", r.stored);
        CParam<bool> b;
        b.SetName("v");
        CEdges<CParam<int>, int> e;
        e.SetRange(10, 100);
        e.Set(50);
        e.SetName("v");
        EXPECT_TRUE(b.Load(&store, "L"));
        EXPECT_TRUE(e.Load(&store, "L"));
        EXPECT_EQ(*b.Get(), r.asBool) << r.stored;
        EXPECT_EQ(*e.Get(), r.asBounded) << r.stored;
    }
}

TEST_F(ParamStore, MissingEntryKeepsValueAndReportsTrue) {
    CParam<int> p;
    p.SetName("missing");
    p.Set(7);
    EXPECT_TRUE(p.Load(&store, "No\\Such\\Key"));
    EXPECT_EQ(*p.Get(), 7);
}

TEST_F(ParamStore, UnnamedParameterOrNoStoreIsRefused) {
    CParam<int> p;
    p.Set(3);
    EXPECT_FALSE(p.Save(&store, "P"));
    EXPECT_FALSE(p.Load(&store, "P"));
    EXPECT_TRUE(p.GetStorePath().IsEmpty()); // refused before the path is taken
    p.SetName("p");
    EXPECT_FALSE(p.Save(nullptr, "P"));
    EXPECT_FALSE(store.KeyExists("P"));
}

TEST_F(ParamStore, StorePathIsTheLastNonEmptyPath) {
    CParam<bool> flag;
    flag.SetName("flag");
    flag.Set(true);
    flag.Save(&store, "First");
    flag.Save(&store, ""); // empty: the remembered path is used
    EXPECT_STREQ(flag.GetStorePath().c_str(), "First");
    EXPECT_STREQ(Read("First", "flag").c_str(), "1");
    EXPECT_STREQ(Read("", "flag").c_str(), "(absent)");
    store.WriteString("First", "flag", "0");
    flag.Load(&store, tstr());
    EXPECT_FALSE(*flag.Get());
}
