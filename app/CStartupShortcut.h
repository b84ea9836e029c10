#pragma once

#include "params/tstr.h"

#include <windows.h>

#include <string>

// The start-up shortcut: a shell link in the user's Startup folder, named after the
// application title, that starts the program at logon. Its presence on disk is the
// start-with-Windows flag: the flag is read back from the file system, and applying the
// flag creates or deletes the file. Every path is handled as UTF-16, so a profile or a
// program folder named outside the ANSI code page works.
class CStartupShortcut {
public:
    // The shortcut starts the running program.
    explicit CStartupShortcut(const tstr& title);
    // The shortcut starts `program` (a full path), as an installer names it.
    CStartupShortcut(const tstr& title, std::wstring program);

    // <Startup folder>\<title>.lnk; empty when the Startup folder cannot be found, its path
    // is empty or the title is empty.
    std::wstring Path() const;
    // Whether the shortcut exists; false when its path cannot be built.
    bool Exists() const;
    // True: creates the shortcut to the program, replacing an existing file.
    // False: deletes it (a missing file is no error). Nothing happens when the path cannot
    // be built or the program's path is unknown; a failure leaves the file system unchanged.
    void Apply(bool startWithWindows) const;

    // Saves a shell link at shortcutPath that starts target in target's folder, with the
    // given description; a non-zero iconIndex takes the icon from target, arguments may
    // be null. The COM result of the first step that failed, else that of the save.
    static HRESULT CreateLink(const wchar_t* target, const wchar_t* shortcutPath,
                              const wchar_t* description, int iconIndex, const wchar_t* arguments);
    // The full path of the running program, of any length; empty when it cannot be read.
    static std::wstring RunningProgram();

private:
    std::wstring title;
    std::wstring program;
};
