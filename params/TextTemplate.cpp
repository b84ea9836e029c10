#include "params/TextTemplate.h"

std::string FillTemplate(const std::string& text, const std::vector<std::string>& values) {
    std::string filled;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (text[i] != '%' || !(next == '%' || (next >= '1' && next <= '9'))) {
            filled += text[i];
            continue;
        }
        ++i;
        if (next == '%')
            filled += '%';
        else if (static_cast<std::size_t>(next - '1') < values.size())
            filled += values[static_cast<std::size_t>(next - '1')];
    }
    return filled;
}
