#pragma once

#include <string>
#include <vector>

// What the table's header says of the machine, each as text.

// "Windows 10.0.22631 (23H2)", or under Wine "Wine 8.0 (Windows 10.0.19045)".
std::string SystemVersion();
// Each display attached to the desktop: "1920 x 1080 at 60 Hz", the primary first.
std::vector<std::string> Displays();
// "<processor's name>, <n> logical processors".
std::string Processor();
// The file version of a program; empty without one.
std::string FileVersion(const std::wstring& program);
