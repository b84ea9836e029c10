#pragma once

#include "RcScript.h"

#include <map>
#include <string>
#include <vector>

// A translation file: UTF-8 lines "KEY = text" (the text trimmed, or written in double
// quotes to keep spaces at its ends; "\n" a line break, "\\" a backslash), "@KEY = x, y,
// width, height" for a dialog's or control's rectangle in dialog units, "#" comments and
// blank lines.
struct LanguageFile {
    std::map<std::string, std::string> texts;
    std::map<std::string, DluRect> rects;
};

// Reads `text`, named `name` in messages; false, with a message naming the line, on a
// line it does not understand or a key given twice.
bool ParseLanguageFile(const std::string& name, const std::string& text, LanguageFile& file,
                       std::string& error);

// The problems of a translation against the English texts: keys missing or unknown, and
// texts whose places for values ("%1") or keyboard mnemonic ("&") differ from the
// English; empty when there are none.
std::vector<std::string>
CheckTranslation(const std::vector<std::pair<std::string, std::string>>& english,
                 const LanguageFile& translation);
// The problems of rectangles against the script's: keys it does not have.
std::vector<std::string> CheckRects(const std::map<std::string, DluRect>& english,
                                    const LanguageFile& layout);
