#include "Pseudo.h"

#include <cstring>

namespace {

constexpr const char* kPlain = "aceinouyszghjklrtwdACEINOUYSZGHJKLRTWD";
// The accented forms in the same order, each a UTF-8 sequence.
constexpr const char* kAccented[] = {
    "à", "ç", "é", "î", "ñ", "ö", "ü", "ý", "š", "ž", "ĝ", "ĥ", "ĵ", "ķ", "ĺ", "ŕ", "ţ", "ŵ", "ď",
    "Å", "Ç", "É", "Î", "Ñ", "Ö", "Ü", "Ý", "Š", "Ž", "Ĝ", "Ĥ", "Ĵ", "Ķ", "Ĺ", "Ŕ", "Ţ", "Ŵ", "Ď"};

std::string Accented(char c) {
    const char* found = std::strchr(kPlain, c);
    return found && c != '\0' ? kAccented[found - kPlain] : std::string(1, c);
}

} // namespace

std::string PseudoText(const std::string& english) {
    std::string pseudo;
    std::string letters; // the text's own characters, accented, for the lengthening
    for (std::size_t i = 0; i < english.size(); ++i) {
        const char c = english[i];
        if (c == '%' && i + 1 < english.size()) {
            pseudo += english.substr(i, 2);
            ++i;
            continue;
        }
        pseudo += Accented(c);
        if (c != '&')
            letters += Accented(c);
    }
    const std::size_t extra = (english.size() * 4 + 9) / 10;
    if (letters.empty() || extra < 2)
        return pseudo + std::string(extra, '!');
    // A space, then whole UTF-8 characters of `letters`, round and round.
    pseudo += ' ';
    std::size_t at = 0;
    for (std::size_t added = 1; added < extra; ++added) {
        std::size_t length = 1;
        while (at + length < letters.size() && (letters[at + length] & 0xC0) == 0x80)
            ++length;
        pseudo += letters.substr(at, length);
        at = (at + length) % letters.size();
    }
    return pseudo;
}
