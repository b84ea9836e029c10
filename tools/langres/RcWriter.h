#pragma once

#include "LanguageFile.h"
#include "RcScript.h"

#include <cstdint>
#include <string>

// What one language's resources are made of: its texts by key (every key of the English
// script), the rectangles that differ from the English ones, and its Windows language id.
struct LanguageResources {
    std::string name; // for the comment at the top
    uint16_t langId = 0;
    std::map<std::string, std::string> texts;
    std::map<std::string, DluRect> rects;
};

// The resource script of one language: each dialog template of `english` with the
// language's texts and rectangles in the shell dialog font, and the string table. In
// dialog texts "%1" stands for `version`.
std::string WriteLanguageScript(const RcScript& english, const LanguageResources& language,
                                const std::string& version);
// A text as a quoted resource script string.
std::string QuoteRcString(const std::string& text);
