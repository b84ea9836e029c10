#include "PreviewOptions.h"

#include "PreviewEffects.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int64_t kMaxScreenSide = 16384;
constexpr int64_t kMaxWorkers = 64;
constexpr int64_t kMaxFrames = 1000000;

// A whole decimal number within [low, high], nothing else in the text.
bool ParseNumber(const std::string& text, int64_t low, int64_t high, int64_t* value) {
    if (text.empty() || !(text[0] == '-' || (text[0] >= '0' && text[0] <= '9')))
        return false;
    errno = 0;
    char* end = nullptr;
    const long long parsed = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || parsed < low || parsed > high)
        return false;
    *value = parsed;
    return true;
}

bool ParseInt32(const std::string& text, int64_t low, int64_t high, int32_t* value) {
    int64_t parsed = 0;
    if (!ParseNumber(text, low, high, &parsed))
        return false;
    *value = static_cast<int32_t>(parsed);
    return true;
}

bool ParseScreen(const std::string& text, PreviewOptions* options) {
    const std::size_t cross = text.find('x');
    return cross != std::string::npos &&
           ParseInt32(text.substr(0, cross), 1, kMaxScreenSide, &options->width) &&
           ParseInt32(text.substr(cross + 1), 1, kMaxScreenSide, &options->height);
}

// "WxH[@X,Y]" items separated by commas; an item without a place lies right of the one
// before it (the first at 0, 0). The first monitor gives the screen size.
bool ParseMonitors(const std::string& text, PreviewOptions* options) {
    std::vector<std::string> tokens;
    for (std::size_t start = 0;;) {
        const std::size_t comma = text.find(',', start);
        tokens.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    options->monitors.clear();
    int32_t nextX = 0;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        PreviewOptions size;
        PreviewMonitor monitor{nextX, 0, 0, 0};
        const std::size_t at = tokens[i].find('@');
        if (!ParseScreen(tokens[i].substr(0, at), &size))
            return false;
        if (at != std::string::npos &&
            (i + 1 >= tokens.size() ||
             !ParseInt32(tokens[i].substr(at + 1), -kMaxScreenSide, kMaxScreenSide, &monitor.x) ||
             !ParseInt32(tokens[++i], -kMaxScreenSide, kMaxScreenSide, &monitor.y)))
            return false;
        monitor.width = size.width;
        monitor.height = size.height;
        nextX = monitor.x + monitor.width;
        options->monitors.push_back(monitor);
    }
    const PreviewMonitor& primary = options->monitors.front();
    options->width = primary.width;
    options->height = primary.height;
    return primary.x == 0 && primary.y == 0;
}

bool ParseTaskbar(const std::string& text, PreviewTaskbar* taskbar) {
    static const struct {
        const char* name;
        PreviewTaskbar value;
    } kNames[] = {{"bottom", PreviewTaskbar::Bottom}, {"top", PreviewTaskbar::Top},
                  {"left", PreviewTaskbar::Left},     {"right", PreviewTaskbar::Right},
                  {"hidden", PreviewTaskbar::Hidden}, {"none", PreviewTaskbar::None}};
    for (const auto& entry : kNames)
        if (text == entry.name) {
            *taskbar = entry.value;
            return true;
        }
    return false;
}

bool ParseSetting(const std::string& text, PreviewOptions* options) {
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos || equals == 0 || equals + 1 == text.size())
        return false;
    options->settings.emplace_back(text.substr(0, equals), text.substr(equals + 1));
    return true;
}

// Applies one option with its value; false when the value is not usable.
bool ApplyOption(const std::string& option, const std::string& value, PreviewOptions* options) {
    int64_t seed = 0;
    if (option == "--effect")
        return (options->effect = FindPreviewEffect(value.c_str())) != nullptr;
    if (option == "--screen")
        return ParseScreen(value, options);
    if (option == "--monitors")
        return ParseMonitors(value, options);
    if (option == "--workers")
        return ParseInt32(value, 1, kMaxWorkers, &options->workers);
    if (option == "--seed") {
        if (!ParseNumber(value, 0, UINT32_MAX, &seed))
            return false;
        options->seed = static_cast<uint32_t>(seed);
        return true;
    }
    if (option == "--frames")
        return ParseInt32(value, 1, kMaxFrames, &options->frames);
    if (option == "--set")
        return ParseSetting(value, options);
    if (option == "--taskbar")
        return ParseTaskbar(value, &options->taskbar);
    if (option == "--taskbar-size")
        return ParseInt32(value, 1, kMaxScreenSide, &options->taskbarSize);
    if (option == "--out")
        return !(options->pngPath = value).empty();
    if (option == "--raw")
        return !(options->rawPath = value).empty();
    return false;
}

bool KnownOption(const std::string& option) {
    static const char* const kOptions[] = {"--effect", "--screen",       "--workers", "--seed",
                                           "--frames", "--set",          "--taskbar", "--out",
                                           "--raw",    "--taskbar-size", "--monitors"};
    for (const char* known : kOptions)
        if (option == known)
            return true;
    return false;
}

const char* MissingRequired(const PreviewOptions& options) {
    if (!options.effect)
        return "--effect";
    if (options.width == 0)
        return "--screen (or --monitors)";
    if (options.workers == 0)
        return "--workers";
    if (options.frames == 0)
        return "--frames";
    if (options.pngPath.empty())
        return "--out";
    return nullptr;
}

} // namespace

bool ParsePreviewOptions(int argc, const char* const* argv, PreviewOptions* options,
                         std::string* error) {
    bool seedGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            options->help = true;
            return true;
        }
        if (!KnownOption(option)) {
            *error = "unknown option '" + option + "'";
            return false;
        }
        if (i + 1 >= argc) {
            *error = "option " + option + " needs a value";
            return false;
        }
        const std::string value = argv[++i];
        if (!ApplyOption(option, value, options)) {
            *error = "bad value '" + value + "' for " + option;
            if (option == "--effect")
                *error += " (known effects: " + std::string(PreviewEffectNames()) + ")";
            return false;
        }
        seedGiven = seedGiven || option == "--seed";
    }
    const char* missing = MissingRequired(*options);
    if (!missing && !seedGiven)
        missing = "--seed";
    if (missing) {
        *error = std::string("missing required option ") + missing;
        return false;
    }
    return true;
}

const char* PreviewUsage() {
    return "usage: embra-preview --effect NAME (--screen WxH | --monitors WxH[@X,Y],...)\n"
           "                     --workers N --seed S --frames K\n"
           "                     [--set NAME=VALUE]... [--taskbar "
           "bottom|top|left|right|hidden|none]\n"
           "                     [--taskbar-size PIXELS] --out FILE.png [--raw FILE.bgra]\n"
           "Runs the effect on a simulated desktop of W x H pixels with N render workers,\n"
           "the main thread seeded with S and worker i with i x S, renders K frames back\n"
           "to back and writes the last presented band (after opacity) as PNG and, with\n"
           "--raw, as raw premultiplied blue-green-red-alpha bytes (W x 200 x 4).\n"
           "With --monitors (the primary first, at 0,0; a monitor without @X,Y lies right\n"
           "of the one before) every monitor has the taskbar of --taskbar, and the picture\n"
           "is the whole desktop: the monitors' bounding box, transparent outside them,\n"
           "each monitor dark with its taskbar grey and its band composed on it.\n";
}
