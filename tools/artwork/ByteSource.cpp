#include "ByteSource.h"

#include <cstdio>

namespace {

std::string ArrayName(const CArtworkFile& file) {
    return (file.type == ArtworkType::Icon ? "kIcon" : "kBitmap") + std::to_string(file.number);
}

void AppendArray(std::string& out, const CArtworkFile& file) {
    out += "const uint8_t " + ArrayName(file) + "[] = {";
    char hex[8];
    for (std::size_t i = 0; i < file.bytes.size(); ++i) {
        out += i % 16 == 0 ? "\n    " : " ";
        std::snprintf(hex, sizeof hex, "0x%02X,", file.bytes[i]);
        out += hex;
    }
    out += "\n};\n\n";
}

void AppendFinder(std::string& out, const std::string& function,
                  const std::vector<CArtworkFile>& files, ArtworkType type) {
    out += "bool " + function +
           "(int number, const uint8_t** data, std::size_t* size) {\n"
           "    if (data == nullptr || size == nullptr)\n"
           "        return false;\n"
           "    switch (number) {\n";
    for (const CArtworkFile& file : files) {
        if (file.type != type)
            continue;
        const std::string name = ArrayName(file);
        out += "    case " + std::to_string(file.number) + ":\n        *data = " + name +
               ";\n        *size = sizeof " + name + ";\n        return true;\n";
    }
    out += "    default:\n        return false;\n    }\n}\n";
}

} // namespace

std::string ArtworkFileName(const CArtworkFile& file) {
    return std::to_string(file.number) + (file.type == ArtworkType::Icon ? ".ico" : ".bmp");
}

std::string MakeByteSource(const std::vector<CArtworkFile>& files) {
    std::string out = "// Written by the artwork generator at build time.\n"
                      "#include \"graphics/ArtworkBytes.h\"\n\nnamespace {\n\n";
    for (const CArtworkFile& file : files)
        AppendArray(out, file);
    out += "} // namespace\n\n";
    AppendFinder(out, "FindArtworkBytes", files, ArtworkType::Bitmap);
    out += "\n";
    AppendFinder(out, "FindIconBytes", files, ArtworkType::Icon);
    return out;
}
