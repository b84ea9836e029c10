#include "ByteSource.h"

#include <cstdio>

namespace {

std::string ArrayName(int number) {
    return "kBitmap" + std::to_string(number);
}

void AppendArray(std::string& out, const CArtworkFile& file) {
    out += "const uint8_t " + ArrayName(file.number) + "[] = {";
    char hex[8];
    for (std::size_t i = 0; i < file.bytes.size(); ++i) {
        out += i % 16 == 0 ? "\n    " : " ";
        std::snprintf(hex, sizeof hex, "0x%02X,", file.bytes[i]);
        out += hex;
    }
    out += "\n};\n\n";
}

} // namespace

std::string MakeByteSource(const std::vector<CArtworkFile>& files) {
    std::string out = "// Written by the artwork generator at build time.\n"
                      "#include \"graphics/ArtworkBytes.h\"\n\nnamespace {\n\n";
    for (const CArtworkFile& file : files)
        AppendArray(out, file);
    out += "} // namespace\n\n"
           "bool FindArtworkBytes(int number, const uint8_t** data, std::size_t* size) {\n"
           "    if (data == nullptr || size == nullptr)\n"
           "        return false;\n"
           "    switch (number) {\n";
    for (const CArtworkFile& file : files) {
        const std::string name = ArrayName(file.number);
        out += "    case " + std::to_string(file.number) + ":\n        *data = " + name +
               ";\n        *size = sizeof " + name + ";\n        return true;\n";
    }
    out += "    default:\n        return false;\n    }\n}\n";
    return out;
}
