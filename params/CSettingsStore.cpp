#include "params/CSettingsStore.h"

#include "params/SettingsBackendFactory.h"

#include <string>

namespace {

// Every occurrence of the token, left to right, replaced by the text; the inserted text
// is not searched again. An empty token replaces nothing.
tstr ReplaceAll(const tstr& source, const tstr& token, const tstr& text) {
    if (token.IsEmpty())
        return source;
    const std::string from = source.str();
    const std::string needle = token.str();
    std::string result;
    std::size_t start = 0;
    for (std::size_t at = from.find(needle); at != std::string::npos;
         at = from.find(needle, start)) {
        result.append(from, start, at - start);
        result += text.str();
        start = at + needle.size();
    }
    result.append(from, start, std::string::npos);
    return tstr(result.c_str());
}

} // namespace

CSettingsStore::CSettingsStore(bool registry, const tstr& firmName, const tstr& appName)
    : registryMode(registry) {
    SetFirmAndApp(firmName, appName);
}

CSettingsStore::~CSettingsStore() = default;

void CSettingsStore::SetFirmAndApp(const tstr& firmName, const tstr& appName) {
    firm = firmName;
    app = appName;
    if (firm.IsEmpty() || app.IsEmpty())
        return;
    SetRoot("Software\\*firm*\\*app*\\");
    AddSubstitution("*firm*", firm);
    AddSubstitution("*app*", app);
}

void CSettingsStore::SetRoot(const tstr& path) {
    root = path;
    const std::size_t length = root.Length();
    if (length > 0 && root.c_str()[length - 1] != '\\')
        root += "\\";
}

void CSettingsStore::AddSubstitution(const tstr& token, const tstr& text) {
    for (auto it = substitutions.begin(); it != substitutions.end(); ++it) {
        if (it->first == token) {
            substitutions.erase(it);
            break;
        }
    }
    substitutions.emplace_back(token, text);
}

tstr CSettingsStore::Expand(const tstr& path) const {
    tstr full = root + path;
    for (const auto& [token, text] : substitutions)
        full = ReplaceAll(full, token, text);
    return full;
}

void CSettingsStore::SetBackend(std::unique_ptr<ISettingsBackend> backend) {
    backends[registryMode ? 1 : 0] = std::move(backend);
}

ISettingsBackend* CSettingsStore::Backend() {
    std::unique_ptr<ISettingsBackend>& slot = backends[registryMode ? 1 : 0];
    if (!slot)
        slot = CreateSettingsBackend(registryMode);
    if (slot)
        slot->SetNames(firm, app, iniFileName);
    return slot.get();
}

bool CSettingsStore::WriteString(const tstr& path, const tstr& name, const tstr& text) {
    ISettingsBackend* backend = Backend();
    return backend && backend->WriteString(Expand(path), name, text);
}

bool CSettingsStore::WriteInt(const tstr& path, const tstr& name, int value) {
    return WriteString(path, name, tstr::FromInt(value));
}

bool CSettingsStore::WriteBytes(const tstr& path, const tstr& name, const void* data,
                                std::size_t size) {
    ISettingsBackend* backend = Backend();
    return backend && backend->WriteBytes(Expand(path), name, data, size);
}

bool CSettingsStore::ReadString(const tstr& path, const tstr& name, tstr& out) {
    ISettingsBackend* backend = Backend();
    return backend && backend->ReadString(Expand(path), name, out);
}

bool CSettingsStore::ReadBytes(const tstr& path, const tstr& name, void* buffer, std::size_t size) {
    ISettingsBackend* backend = Backend();
    return backend && backend->ReadBytes(Expand(path), name, buffer, size);
}

bool CSettingsStore::DeleteKey(const tstr& path) {
    const tstr full = Expand(path);
    if (full.IsEmpty())
        return false;
    ISettingsBackend* backend = Backend();
    return backend && backend->DeleteKey(full);
}

bool CSettingsStore::KeyExists(const tstr& path) {
    ISettingsBackend* backend = Backend();
    return backend && backend->KeyExists(Expand(path));
}

bool CSettingsStore::EnumSubkey(const tstr& path, int index, tstr& name) {
    if (!registryMode)
        return false;
    ISettingsBackend* backend = Backend();
    return backend && backend->EnumSubkey(Expand(path), index, name);
}

bool CSettingsStore::EnumValue(const tstr& path, int index, tstr& name) {
    ISettingsBackend* backend = Backend();
    return backend && backend->EnumValue(Expand(path), index, name);
}
