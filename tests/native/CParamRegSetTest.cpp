#include "params/CParamRegSet.h"
#include "params/CMemoryBackend.h"
#include "params/CParam.h"
#include "params/CSettingsStore.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct ParamSet : ::testing::Test {
    ParamSet() : store(true, "Lumavist", "Embra"), set(&store) {
        store.SetBackend(std::make_unique<CMemoryBackend>());
        vis.SetName("vis");
        items.SetName("items");
        vis.Set(50);
        items.Set(100);
    }

    tstr Read(const char* path, const char* name) {
        tstr out("(absent)");
        store.ReadString(path, name, out);
        return out;
    }

    CSettingsStore store;
    CParamRegSet set;
    CParam<int> vis;
    CParam<int> items;
};

} // namespace

TEST_F(ParamSet, AddRefusesUnnamedAndRepeatedParameters) {
    CParam<int> unnamed;
    EXPECT_FALSE(set.Add(&unnamed));
    EXPECT_FALSE(set.Add(nullptr));
    EXPECT_TRUE(set.Add(&vis));
    EXPECT_FALSE(set.Add(&vis));
    CParam<int> sameName;
    sameName.SetName("vis");
    EXPECT_TRUE(set.Add(&sameName)); // different objects with one name are both kept
    EXPECT_EQ(set.Params().size(), 2u);
}

TEST_F(ParamSet, AddWithNameRenamesEvenWhenRefused) {
    EXPECT_TRUE(set.Add(&vis, "opaque"));
    EXPECT_FALSE(set.Add(&vis, "renamed"));
    EXPECT_STREQ(vis.GetName().c_str(), "renamed");
    CParam<int> p;
    EXPECT_FALSE(set.Add(&p, "")); // an empty name is refused after naming
    EXPECT_FALSE(set.Add(nullptr, "x"));
    EXPECT_EQ(set.Params().size(), 1u);
}

TEST_F(ParamSet, SaveAndLoadUseTheSetPathInOrder) {
    set.Add(&vis);
    set.Add(&items);
    set.Save(); // no path yet: nothing
    EXPECT_FALSE(store.KeyExists("Sets\\Embra"));
    set.SetPath("Sets\\Embra");
    set.Save();
    EXPECT_STREQ(Read("Sets\\Embra", "vis").c_str(), "50");
    EXPECT_STREQ(Read("Sets\\Embra", "items").c_str(), "100");
    EXPECT_STREQ(vis.GetStorePath().c_str(), "Sets\\Embra");
    store.WriteString("Sets\\Embra", "vis", "70");
    store.WriteString("Sets\\Embra", "items", "40");
    set.Load();
    EXPECT_EQ(*vis.Get(), 70);
    EXPECT_EQ(*items.Get(), 40);
}

TEST_F(ParamSet, LoadFromAndSaveToIgnoreTheSetPath) {
    set.Add(&vis);
    set.SetPath("Sets\\Embra");
    set.SaveTo("Options\\Common");
    EXPECT_STREQ(Read("Options\\Common", "vis").c_str(), "50");
    EXPECT_FALSE(store.KeyExists("Sets\\Embra"));
    store.WriteString("Options\\Common", "vis", "11");
    set.LoadFrom("Options\\Common");
    EXPECT_EQ(*vis.Get(), 11);
    EXPECT_STREQ(vis.GetStorePath().c_str(), "Options\\Common");
}

TEST_F(ParamSet, EmptySetAndMissingStoreDoNothing) {
    set.SetPath("Sets\\Empty");
    set.Save();
    set.Load();
    EXPECT_FALSE(store.KeyExists("Sets\\Empty"));
    CParamRegSet orphan(nullptr);
    orphan.Add(&vis);
    orphan.SetPath("Sets");
    orphan.Save();
    orphan.Load();
    EXPECT_EQ(*vis.Get(), 50);
}
