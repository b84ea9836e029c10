#pragma once

#include <string>

// The pseudo-language's form of an English text: every letter that has an accented form
// takes it, and the text grows by 40 % of its characters (rounded up): a space and its
// own beginning again ("!" for a text of one or two characters), so that a layout too tight for a
// longer translation shows before anyone translates. Places for values ("%1") and mnemonics ("&")
// stay as they are.
std::string PseudoText(const std::string& english);
