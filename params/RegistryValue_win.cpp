#include "params/RegistryValue_win.h"

#include <vector>

namespace {

constexpr int kReadAttempts = 4;

} // namespace

bool ReadValueText(HKEY key, const char* name, DWORD size, tstr& out) {
    std::vector<char> data;
    LONG result = ERROR_MORE_DATA;
    for (int attempt = 0; attempt < kReadAttempts && result == ERROR_MORE_DATA; ++attempt) {
        data.assign(static_cast<std::size_t>(size) + 1, '\0');
        result = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()),
                                  &size);
    }
    if (result != ERROR_SUCCESS) {
        out = "";
        return false;
    }
    out = data.data();
    return true;
}
