#pragma once

#include "params/tstr.h"

#include <windows.h>

// The start-up shortcut: a shell link in the user's Startup folder, named after the
// application title, that starts the running program at logon. Its presence on disk is
// the start-with-Windows flag: the flag is read back from the file system, and applying
// the flag creates or deletes the file.
class CStartupShortcut {
public:
    explicit CStartupShortcut(const tstr& title) : title(title) {}

    // <Startup folder>\<title>.lnk; null when the Startup folder cannot be found, its path
    // is empty or the title is empty.
    tstr Path() const;
    // Whether the shortcut exists; false when its path cannot be built.
    bool Exists() const;
    // True: creates the shortcut to the running program, replacing an existing file.
    // False: deletes it (a missing file is no error). Nothing happens when the path cannot
    // be built; a failure leaves the file system unchanged.
    void Apply(bool startWithWindows) const;

    // Saves a shell link at shortcutPath that starts target in target's folder, with the
    // given description; a non-zero iconIndex takes the icon from target, arguments may
    // be null. The COM result of the first step that failed, else that of the save.
    static HRESULT CreateLink(const char* target, const char* shortcutPath, const char* description,
                              int iconIndex, const char* arguments);

private:
    tstr title;
};
