#include "params/CMemoryBackend.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

int Lower(char c) {
    return std::tolower(static_cast<unsigned char>(c));
}

// The path's parts between backslashes, without empty ones.
std::vector<std::string> SplitPath(const tstr& path) {
    std::vector<std::string> parts;
    std::string part;
    for (const char* c = path.str(); *c; ++c) {
        if (*c != '\\') {
            part += *c;
            continue;
        }
        if (!part.empty())
            parts.push_back(part);
        part.clear();
    }
    if (!part.empty())
        parts.push_back(part);
    return parts;
}

} // namespace

bool CMemoryBackend::NoCaseLess::operator()(const std::string& a, const std::string& b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Lower(x) < Lower(y); });
}

CMemoryBackend::Key* CMemoryBackend::FindKey(const tstr& path, bool create) {
    Key* key = &rootKey;
    for (const std::string& part : SplitPath(path)) {
        auto it = key->subkeys.find(part);
        if (it == key->subkeys.end()) {
            if (!create)
                return nullptr;
            it = key->subkeys.emplace(part, std::make_unique<Key>()).first;
        }
        key = it->second.get();
    }
    return key;
}

CMemoryBackend::Entries* CMemoryBackend::FindEntries(const tstr& path, bool create) {
    if (flavour == Flavour::Registry) {
        Key* key = FindKey(path, create);
        return key ? &key->values : nullptr;
    }
    auto it = sections.find(path.str());
    if (it == sections.end()) {
        if (!create)
            return nullptr;
        it = sections.emplace(path.str(), Entries()).first;
    }
    return &it->second;
}

bool CMemoryBackend::Store(const tstr& path, const tstr& name, const char* data, std::size_t size) {
    Entries* entries = FindEntries(path, true);
    Bytes& bytes = (*entries)[name.str()];
    bytes.assign(data, data + size);
    return true;
}

bool CMemoryBackend::Erase(const tstr& path, const tstr& name) {
    // The registry creates the key even when the value is only deleted.
    Entries* entries = FindEntries(path, flavour == Flavour::Registry);
    if (entries)
        entries->erase(name.str());
    return true;
}

const CMemoryBackend::Bytes* CMemoryBackend::Lookup(const tstr& path, const tstr& name) {
    Entries* entries = FindEntries(path, false);
    if (!entries)
        return nullptr;
    auto it = entries->find(name.str());
    return it == entries->end() ? nullptr : &it->second;
}

bool CMemoryBackend::WriteString(const tstr& path, const tstr& name, const tstr& text) {
    if (text.IsNull())
        return Erase(path, name);
    // Text with its terminator, as a REG_SZ value holds it.
    return Store(path, name, text.c_str(), text.Length() + 1);
}

bool CMemoryBackend::WriteBytes(const tstr& path, const tstr& name, const void* data,
                                std::size_t size) {
    if (!data)
        return Erase(path, name);
    return Store(path, name, static_cast<const char*>(data), size);
}

bool CMemoryBackend::ReadString(const tstr& path, const tstr& name, tstr& out) {
    const Bytes* bytes = Lookup(path, name);
    if (flavour == Flavour::Ini) {
        // A missing entry and an empty one both read as absent.
        out = std::string(bytes ? bytes->data() : "", bytes ? bytes->size() : 0).c_str();
        return !out.IsEmpty();
    }
    if (!bytes || bytes->empty() || bytes->size() > kMaxTextValueBytes)
        return false;
    // The bytes up to the first NUL, whatever the entry's kind.
    out = std::string(bytes->data(), bytes->size()).c_str();
    return true;
}

bool CMemoryBackend::ReadBytes(const tstr& path, const tstr& name, void* buffer, std::size_t size) {
    // Without a buffer the INI flavour fails; the registry only needs the key.
    if (!buffer)
        return flavour == Flavour::Registry && FindEntries(path, false) != nullptr;
    const Bytes* bytes = Lookup(path, name);
    if (!bytes || bytes->size() != size)
        return false;
    // An empty entry has nothing to copy, and its data pointer may be null.
    if (size > 0)
        std::memcpy(buffer, bytes->data(), size);
    return true;
}

bool CMemoryBackend::DeleteKey(const tstr& path) {
    if (path.IsEmpty())
        return false;
    if (flavour == Flavour::Ini) {
        const std::size_t length = path.Length();
        for (auto it = sections.begin(); it != sections.end();) {
            if (it->first.compare(0, length, path.str()) == 0)
                it = sections.erase(it);
            else
                ++it;
        }
        return true;
    }
    std::vector<std::string> parts = SplitPath(path);
    if (parts.empty())
        return false;
    const std::string last = parts.back();
    parts.pop_back();
    Key* parent = &rootKey;
    for (const std::string& part : parts) {
        auto it = parent->subkeys.find(part);
        if (it == parent->subkeys.end())
            return false;
        parent = it->second.get();
    }
    return parent->subkeys.erase(last) == 1;
}

bool CMemoryBackend::KeyExists(const tstr& path) {
    if (flavour == Flavour::Registry)
        return FindKey(path, false) != nullptr;
    const Entries* entries = FindEntries(path, false);
    return entries && !entries->empty();
}

bool CMemoryBackend::EnumSubkey(const tstr& path, int index, tstr& name) {
    if (flavour == Flavour::Ini || index < 0)
        return false;
    const Key* key = FindKey(path, false);
    if (!key || index >= static_cast<int>(key->subkeys.size()))
        return false;
    auto it = key->subkeys.begin();
    std::advance(it, index);
    name = it->first.c_str();
    return true;
}

bool CMemoryBackend::EnumValue(const tstr& path, int index, tstr& name) {
    const Entries* entries = FindEntries(path, false);
    if (!entries || index < 0 || index >= static_cast<int>(entries->size()))
        return false;
    auto it = entries->begin();
    std::advance(it, index);
    name = it->first.c_str();
    return true;
}
