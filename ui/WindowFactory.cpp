#include "ui/WindowFactory.h"

#include <string>
#include <vector>

namespace {

struct FactoryEntry {
    std::string className;
    WindowFactory factory;
};

// Newest entry first.
std::vector<FactoryEntry>& Registry() {
    static std::vector<FactoryEntry> entries;
    return entries;
}

std::vector<FactoryEntry>::iterator FindEntry(const char* className) {
    std::vector<FactoryEntry>& entries = Registry();
    if (!className)
        return entries.end();
    auto it = entries.begin();
    while (it != entries.end() && it->className != className)
        ++it;
    return it;
}

} // namespace

void RegisterWindowFactory(const char* className, WindowCreateFunction create,
                           WindowDeleteFunction destroy) {
    if (!className)
        return;
    Registry().insert(Registry().begin(), FactoryEntry{className, {create, destroy}});
}

void UnregisterWindowFactory(const char* className) {
    const auto it = FindEntry(className);
    if (it != Registry().end())
        Registry().erase(it);
}

bool FindWindowFactory(const char* className, WindowFactory& factory) {
    const auto it = FindEntry(className);
    if (it == Registry().end())
        return false;
    factory = it->factory;
    return true;
}
