#include "DriverServe.h"

#include "E2eHelpers.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr DWORD kPollMs = 50;
// How long a line the script began to append while the program ended may take to arrive.
constexpr DWORD kLastLinesMs = 200;

// The file's bytes; empty when it cannot be read.
std::string FileText(const std::string& path) {
    std::string text;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return text;
    char buffer[4096];
    for (size_t got; (got = std::fread(buffer, 1, sizeof(buffer), file)) > 0;)
        text.append(buffer, got);
    std::fclose(file);
    return text;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    size_t begin = 0;
    for (size_t tab; (tab = line.find('\t', begin)) != std::string::npos; begin = tab + 1)
        fields.push_back(line.substr(begin, tab - begin));
    fields.push_back(line.substr(begin));
    return fields;
}

void RunLine(std::string line, const char* report, const DriverCommand& run) {
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    std::vector<std::string> fields = Fields(line);
    fields.resize(std::max<size_t>(fields.size(), 2));
    // The words after the argument, as one text, as the command line gives them.
    std::string more;
    for (size_t i = 2; i < fields.size(); ++i)
        more += (i > 2 ? " " : "") + fields[i];
    ReportLine(report, "a", run(fields[0], fields[1], more));
}

// Runs the whole lines of `text` from byte `done` on; returns the bytes run so far.
size_t RunLines(const std::string& text, size_t done, const char* report,
                const DriverCommand& run) {
    for (size_t end; (end = text.find('\n', done)) != std::string::npos; done = end + 1)
        RunLine(text.substr(done, end - done), report, run);
    return done;
}

// Whether the launcher has reported the program's end; the script empties the report
// before each start of the program.
bool ProgramEnded(const char* report) {
    return ("\n" + FileText(report)).find("\nexit ") != std::string::npos;
}

} // namespace

void ServeCommands(const char* report, const char* commands, const DriverCommand& run) {
    size_t done = 0;
    while (Exists(commands) && !ProgramEnded(report)) {
        done = RunLines(FileText(commands), done, report, run);
        Sleep(kPollMs);
    }
    // The script appends only while the file exists: once it is taken away, whatever was
    // appended to it, or to a file of the same name made again in that moment, is answered.
    const std::string taken = std::string(commands) + ".taken";
    if (!MoveFileExA(commands, taken.c_str(), MOVEFILE_REPLACE_EXISTING))
        return;
    Sleep(kLastLinesMs);
    RunLines(FileText(taken), done, report, run);
    DeleteFileA(taken.c_str());
    RunLines(FileText(commands), 0, report, run);
    DeleteFileA(commands);
}
