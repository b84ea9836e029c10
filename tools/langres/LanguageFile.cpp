#include "LanguageFile.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <sstream>

namespace {

std::string Trim(const std::string& text) {
    const std::size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos)
        return "";
    const std::size_t end = text.find_last_not_of(" \t");
    return text.substr(begin, end - begin + 1);
}

std::string Unescape(const std::string& text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'n' || text[i + 1] == '\\')) {
            plain += text[i + 1] == 'n' ? '\n' : '\\';
            ++i;
        } else {
            plain += text[i];
        }
    }
    return plain;
}

bool ParseNumbers(const std::string& text, DluRect& rect) {
    std::istringstream in(text);
    for (std::size_t i = 0; i < rect.size(); ++i) {
        if (i > 0) {
            char comma = 0;
            if (!(in >> comma) || comma != ',')
                return false;
        }
        if (!(in >> rect[i]))
            return false;
    }
    std::string rest;
    return !(in >> rest);
}

bool IsNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// The places for values: "%1" to "%9" of the program's texts, and the setup's variables
// ("$INSTDIR") and defines ("${PRODUCT}").
std::multiset<std::string> Places(const std::string& text) {
    std::multiset<std::string> places;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '%' && std::isdigit(static_cast<unsigned char>(text[i + 1]))) {
            places.insert(text.substr(i, 2));
            ++i;
        } else if (text[i] == '%') {
            ++i;
        } else if (text[i] == '$') {
            std::size_t end = i + 1;
            if (text[end] == '{')
                end = text.find('}', end) == std::string::npos ? text.size()
                                                               : text.find('}', end) + 1;
            else
                while (end < text.size() && IsNameChar(text[end]))
                    ++end;
            places.insert(text.substr(i, end - i));
            i = end - 1;
        }
    }
    return places;
}

// The number of single ampersands: keyboard mnemonics ("&&" is a shown ampersand).
int Mnemonics(const std::string& text) {
    int count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (i + 1 < text.size() && text[i + 1] == '&')
            ++i;
        else
            ++count;
    }
    return count;
}

} // namespace

bool ParseLanguageFile(const std::string& name, const std::string& text, LanguageFile& file,
                       std::string& error) {
    std::istringstream in(text);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (number == 1 && line.compare(0, 3, "\xEF\xBB\xBF") == 0)
            line.erase(0, 3);
        const std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed[0] == '#')
            continue;
        const std::size_t equals = trimmed.find('=');
        const std::string where = name + ":" + std::to_string(number) + ": ";
        if (equals == std::string::npos) {
            error = where + "a line without \"KEY = text\"";
            return false;
        }
        std::string key = Trim(trimmed.substr(0, equals));
        std::string value = Trim(trimmed.substr(equals + 1));
        if (key.empty()) {
            error = where + "a line without its key";
            return false;
        }
        if (key[0] == '@') {
            DluRect rect{};
            key.erase(0, 1);
            if (!ParseNumbers(value, rect) || !file.rects.emplace(key, rect).second) {
                error = where + "a rectangle that is not four numbers, or given twice";
                return false;
            }
            continue;
        }
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (!file.texts.emplace(key, Unescape(value)).second) {
            error = where + key + " is given twice";
            return false;
        }
    }
    return true;
}

std::vector<std::string>
CheckTranslation(const std::vector<std::pair<std::string, std::string>>& english,
                 const LanguageFile& translation) {
    std::vector<std::string> problems;
    std::set<std::string> known;
    for (const auto& [key, text] : english) {
        known.insert(key);
        const auto found = translation.texts.find(key);
        if (found == translation.texts.end()) {
            problems.push_back(key + " is missing (English: \"" + text + "\")");
            continue;
        }
        if (found->second.empty())
            problems.push_back(key + " is empty");
        if (Places(found->second) != Places(text))
            problems.push_back(key +
                               " has other places for values (%1, $INSTDIR...) than the English");
        if (Mnemonics(found->second) != Mnemonics(text))
            problems.push_back(key + " has another number of mnemonics (&) than the English");
    }
    for (const auto& [key, text] : translation.texts)
        if (known.count(key) == 0)
            problems.push_back(key + " is no text of the program");
    return problems;
}

std::vector<std::string> CheckRects(const std::map<std::string, DluRect>& english,
                                    const LanguageFile& layout) {
    std::vector<std::string> problems;
    for (const auto& [key, rect] : layout.rects)
        if (english.count(key) == 0)
            problems.push_back("@" + key + " is no dialog or control with a rectangle");
    return problems;
}
