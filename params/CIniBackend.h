#pragma once

#include "params/ISettingsBackend.h"
#include "params/tstr.h"

#include <cstddef>

// Settings kept in an INI file under the user's application-data folder, at
// <AppData>\<firm>\<app>\<file name>. A section is named by the full path (for example
// "Software\Lumavist\Embra\Sets\Embra") and an entry is a key of that section; the
// firm and app folders are created on every access. Every operation fails with false,
// touching nothing, when the file path would not fit in MAX_PATH characters.
class CIniBackend : public ISettingsBackend {
public:
    void SetNames(const tstr& firm, const tstr& app, const tstr& fileName) override;

    // True once the file path is reachable, whatever the profile write itself gives. A
    // null text deletes the key.
    bool WriteString(const tstr& path, const tstr& name, const tstr& text) override;
    // The bytes as hexadecimal text with a checksum; null data deletes the key.
    bool WriteBytes(const tstr& path, const tstr& name, const void* data,
                    std::size_t size) override;
    // A missing key and an empty one both read as absent: false with `out` empty, as does
    // a value of more than 16 MiB. An unreachable file gives false with `out` unchanged.
    bool ReadString(const tstr& path, const tstr& name, tstr& out) override;
    // Exactly `size` bytes; false for a null buffer or a missing or damaged entry.
    bool ReadBytes(const tstr& path, const tstr& name, void* buffer, std::size_t size) override;
    // Deletes every section whose name begins with the path: the key's own, those of the
    // keys below it, and any other that merely starts with the same characters. False for
    // an empty path, when no section matched and when the list of sections exceeds 16 MiB.
    bool DeleteKey(const tstr& path) override;
    // The section exists and holds at least one key.
    bool KeyExists(const tstr& path) override;
    // A file has no subkeys to enumerate: always false.
    bool EnumSubkey(const tstr& path, int index, tstr& name) override;
    // The section's keys in the file's order.
    bool EnumValue(const tstr& path, int index, tstr& name) override;

    // Joins folder, "\" (unless the folder already ends in "\" or "/"), firm, "\", app,
    // "\" and the file name. False, `path` unchanged, when the result with its
    // terminator exceeds MAX_PATH (260) characters.
    static bool JoinFilePath(const tstr& folder, const tstr& firm, const tstr& app,
                             const tstr& fileName, tstr& path);

private:
    // Builds the file path below the application-data folder and creates the firm and
    // app folders when missing.
    bool PrepareFilePath(tstr& path) const;

    tstr firm;
    tstr app;
    tstr fileName;
};
