#include "params/CParamRegSet.h"
#include "params/CMemoryBackend.h"
#include "params/CParam.h"
#include "params/CSettingsStore.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct ParamRegSet : ::testing::Test {
    ParamRegSet() : store(true, "Lumavist", "Embra"), set(&store) {
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
    CParam<int> vis, items;
};

} // namespace

TEST_F(ParamRegSet, AddRefusesUnnamedAndRepeatedParameters) {
    CParam<int> unnamed, sameName;
    sameName.SetName("vis");
    EXPECT_FALSE(set.Add(&unnamed));
    EXPECT_FALSE(set.Add(nullptr));
    EXPECT_TRUE(set.Add(&vis));
    EXPECT_FALSE(set.Add(&vis));
    EXPECT_TRUE(set.Add(&sameName)); // another object with the same name is kept
    EXPECT_FALSE(set.Add(&vis, "renamed"));
    EXPECT_STREQ(vis.GetName().c_str(), "renamed"); // named even though refused
    EXPECT_FALSE(set.Add(&unnamed, ""));
    EXPECT_EQ(set.Params().size(), 2u);
}

TEST_F(ParamRegSet, SaveAndLoadUseTheSetPathInOrder) {
    set.Add(&vis);
    set.Add(&items);
    set.Save(); // no path yet: nothing
    EXPECT_FALSE(store.KeyExists("Sets\\Embra"));
    set.SetPath("Sets\\Embra");
    set.Save();
    EXPECT_STREQ(Read("Sets\\Embra", "items").c_str(), "100");
    store.WriteString("Sets\\Embra", "vis", "70");
    set.Load();
    EXPECT_EQ(*vis.Get(), 70);
}

TEST_F(ParamRegSet, LoadFromAndSaveToIgnoreTheSetPath) {
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

TEST_F(ParamRegSet, EmptySetAndMissingStoreDoNothing) {
    set.SetPath("Sets\\Empty");
    set.Save();
    EXPECT_FALSE(store.KeyExists("Sets\\Empty"));
    CParamRegSet orphan(nullptr);
    orphan.Add(&vis);
    orphan.SetPath("Sets");
    orphan.Save();
    orphan.Load();
    EXPECT_EQ(*vis.Get(), 50);
}
