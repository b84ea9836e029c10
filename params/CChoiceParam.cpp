#include "params/CChoiceParam.h"

#include <cstddef>

CChoiceParam::CChoiceParam(int fallback, int count)
    : CParam<int>(fallback), fallback(fallback), count(count) {}

const int* CChoiceParam::Set(const int& v) {
    return CParam<int>::Set(Allows(v) ? v : fallback);
}

// Only the plain decimal text of a choice: no sign, no leading zero, no spaces.
int CChoiceParam::ParseText(const tstr& text) const {
    const char* digits = text.str();
    const std::size_t length = text.Length();
    if (length == 0 || length > 9 || (length > 1 && digits[0] == '0'))
        return fallback;
    int v = 0;
    for (std::size_t i = 0; i < length; ++i) {
        if (digits[i] < '0' || digits[i] > '9')
            return fallback;
        v = v * 10 + (digits[i] - '0');
    }
    return Allows(v) ? v : fallback;
}
