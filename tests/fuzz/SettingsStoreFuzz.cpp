#include "FuzzInput.h"

#include "params/CEdges.h"
#include "params/CMemoryBackend.h"
#include "params/CParam.h"
#include "params/CParamRegSet.h"
#include "params/CSettingsStore.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

// The settings store's text paths over the in-memory back-end of either flavour: the input
// is a program of store operations (roots, substitutions, writes, reads, deletions,
// enumeration, parameter sets), and every write is read back by the rules of its flavour.
namespace {

using Flavour = CMemoryBackend::Flavour;

void Check(bool holds) {
    if (!holds)
        std::abort();
}

struct Rig {
    Rig() : store(true, "Lumavist", "Embra"), paramSet(&store) {
        store.SetRegistryMode(false);
        store.SetBackend(std::make_unique<CMemoryBackend>(Flavour::Ini));
        store.SetRegistryMode(true);
        store.SetBackend(std::make_unique<CMemoryBackend>(Flavour::Registry));
        bounded.SetRange(10, 100);
        paramSet.Add(&number, "number");
        paramSet.Add(&text, "text");
        paramSet.Add(&bounded, "vis");
    }

    CSettingsStore store;
    CParamRegSet paramSet;
    CParam<int> number;
    CParam<tstr> text;
    CEdges<CParam<int>, int> bounded;

    // Each substitution may multiply a path's length by its text's; a few short ones keep
    // every expansion small, as the program's own (firm, app, profile) are.
    bool TakeSubstitution() { return substitutionsLeft-- > 0; }
    int substitutionsLeft = 2;
};

std::string Short(const std::string& text) {
    return text.substr(0, 32);
}

void WriteAndReadBack(CSettingsStore& store, const tstr& path, const tstr& name,
                      const std::string& value) {
    const bool wrote = store.WriteString(path, name, value.c_str());
    tstr out = "kept";
    const bool read = store.ReadString(path, name, out);
    if (!wrote)
        return;
    // The INI flavour reads an empty entry as absent; the registry a too long one.
    const bool readable =
        store.IsRegistryMode() ? value.size() < kMaxTextValueBytes : !value.empty();
    Check(read == readable);
    if (read)
        Check(value == out.str());
}

void WriteIntAndReadBack(CSettingsStore& store, const tstr& path, const tstr& name, int value) {
    if (!store.WriteInt(path, name, value))
        return;
    tstr out;
    Check(store.ReadString(path, name, out));
    Check(out.ToInt() == value);
}

void WriteBytesAndReadBack(CSettingsStore& store, const tstr& path, const tstr& name,
                           const std::string& bytes) {
    if (!store.WriteBytes(path, name, bytes.data(), bytes.size()))
        return;
    std::string read(bytes.size(), '\0');
    Check(store.ReadBytes(path, name, read.data(), read.size()));
    Check(read == bytes);
    std::string longer(bytes.size() + 1, '\0');
    Check(!store.ReadBytes(path, name, longer.data(), longer.size()));
}

void DeleteAndCheck(CSettingsStore& store, const tstr& path) {
    if (store.DeleteKey(path))
        Check(!store.KeyExists(path));
}

void Enumerate(CSettingsStore& store, const tstr& path) {
    tstr name;
    for (int index = 0; index < 64 && store.EnumSubkey(path, index, name); ++index)
        Check(!name.IsNull());
}

void RunOne(Rig& rig, CFuzzInput& input) {
    CSettingsStore& store = rig.store;
    switch (input.Byte() % 14) {
    case 0:
        return store.SetRoot(input.Text().c_str());
    case 1: {
        const std::string token = input.Text();
        const std::string text = input.Text();
        if (rig.TakeSubstitution())
            store.AddSubstitution(token.c_str(), Short(text).c_str());
        return;
    }
    case 2: {
        const std::string path = input.Text();
        const std::string name = input.Text();
        return WriteAndReadBack(store, path.c_str(), name.c_str(), input.LongText());
    }
    case 3: {
        const std::string path = input.Text();
        const std::string name = input.Text();
        if (!store.WriteString(path.c_str(), name.c_str(), tstr()))
            return;
        tstr out;
        return Check(!store.ReadString(path.c_str(), name.c_str(), out));
    }
    case 4: {
        const std::string path = input.Text();
        const std::string name = input.Text();
        return WriteIntAndReadBack(store, path.c_str(), name.c_str(), input.Int());
    }
    case 5: {
        const std::string path = input.Text();
        const std::string name = input.Text();
        return WriteBytesAndReadBack(store, path.c_str(), name.c_str(), input.Bytes());
    }
    case 6:
        return DeleteAndCheck(store, input.Text().c_str());
    case 7:
        store.KeyExists(input.Text().c_str());
        return;
    case 8:
        return Enumerate(store, input.Text().c_str());
    case 9:
        return store.SetRegistryMode(!store.IsRegistryMode());
    case 10: {
        const std::string firm = input.Text();
        const std::string app = input.Text();
        if (rig.TakeSubstitution())
            store.SetFirmAndApp(Short(firm).c_str(), Short(app).c_str());
        return;
    }
    case 11:
        rig.paramSet.SetPath(input.Text().c_str());
        return rig.paramSet.Save();
    case 12:
        rig.paramSet.SetPath(input.Text().c_str());
        rig.paramSet.Load();
        return Check(*rig.bounded.Get() >= 10 && *rig.bounded.Get() <= 100);
    default:
        rig.number.Set(input.Int());
        rig.text.Set(input.Text().c_str());
        return;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    CFuzzInput input(data, size);
    Rig rig;
    while (!input.Empty())
        RunOne(rig, input);
    return 0;
}
