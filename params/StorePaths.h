#pragma once

// The keys of the settings store that more than one part of the program names, relative to
// the store's root (HKCU\Software\Lumavist\Embra).

// The options of the application's layers and of the "Common" page.
constexpr const char* kCommonOptionsPath = "Options\\Common";
// The main window: its placement "plmnt" and the running instance's "Handle".
constexpr const char* kMainWindowPath = "Options\\Windows\\Main";
// The effect sets' parameters, one key each under it, and the active set's key as
// kCurrentSetName.
constexpr const char* kSetsPath = "Sets";
constexpr const char* kCurrentSetName = "current";
