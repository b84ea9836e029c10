#include "params/CEdges.h"
#include "params/CMemoryBackend.h"
#include "params/CSettingsStore.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A registry-mode store over a fresh in-memory back-end.
struct ParamStore : ::testing::Test {
    ParamStore() : store(true, "Lumavist", "Embra") {
        store.SetBackend(std::make_unique<CMemoryBackend>());
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
    CEdges<CParam<int>, int> transBG; // 0..1 by construction
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
    EXPECT_TRUE(transBG.Load(&store, "Options")); // absent: keeps its value
    EXPECT_EQ(*transBG.Get(), 0);
}

TEST_F(ParamStore, TextValuesKeepEmptyAndDeleteNull) {
    CParam<tstr> name;
    name.SetName("name");
    name.Save(&store, "Sets");
    EXPECT_STREQ(Read("Sets", "name").c_str(), "0");
    name.Set("");
    name.Save(&store, "Sets");
    EXPECT_STREQ(Read("Sets", "name").c_str(), ""); // stored empty, not deleted
    name.FromText(tstr());
    name.Save(&store, "Sets");
    EXPECT_STREQ(Read("Sets", "name").c_str(), "(absent)");
}

TEST_F(ParamStore, UnsignedLongKeepsThe32Bits) {
    CParam<unsigned long> u, back;
    u.SetName("u");
    back.SetName("u");
    u.Set(4294967295UL);
    u.Save(&store, "P");
    EXPECT_STREQ(Read("P", "u").c_str(), "-1");
    back.Load(&store, "P");
    EXPECT_EQ(*back.Get(), 4294967295UL);
}

TEST_F(ParamStore, LoadConvertsByTheTypeRules) {
    struct Row {
        const char* stored;
        bool asBool;
        int asBounded; // bounded 10..100, starting at 50
    } rows[] = {
        {"2", true, 10},    // non-zero is true; below the range
        {"x", false, 10},   // no digits: 0
        {"999", true, 100}, // above the range: nearest bound
        {" 70z", true, 70}, // blanks and trailing junk by atoi rules
        {"", false, 10},    // a present empty entry reads as 0
    };
    for (const Row& r : rows) {
        store.WriteString("L", "v", r.stored);
        CParam<bool> b;
        b.SetName("v");
        CEdges<CParam<int>, int> e;
        e.SetRange(10, 100);
        e.Set(50);
        e.SetName("v");
        b.Load(&store, "L");
        e.Load(&store, "L");
        EXPECT_EQ(*b.Get(), r.asBool) << r.stored;
        EXPECT_EQ(*e.Get(), r.asBounded) << r.stored;
    }
}

TEST_F(ParamStore, RefusalsAndTheRememberedPath) {
    CParam<bool> flag;
    EXPECT_FALSE(flag.Save(&store, "P")); // unnamed
    EXPECT_FALSE(flag.Load(&store, "P"));
    EXPECT_TRUE(flag.GetStorePath().IsEmpty());
    flag.SetName("flag");
    EXPECT_FALSE(flag.Save(nullptr, "P"));
    flag.Set(true);
    flag.Save(&store, "First");
    flag.Save(&store, ""); // an empty path: the remembered one
    EXPECT_STREQ(flag.GetStorePath().c_str(), "First");
    EXPECT_STREQ(Read("", "flag").c_str(), "(absent)");
    store.WriteString("First", "flag", "0");
    flag.Load(&store, tstr());
    EXPECT_FALSE(*flag.Get());
    EXPECT_TRUE(flag.Load(&store, "No\\Such\\Key")); // missing: true, value kept
    EXPECT_FALSE(*flag.Get());
}
