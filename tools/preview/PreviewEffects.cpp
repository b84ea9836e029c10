#include "PreviewEffects.h"

#include "effects/fire/CSetEmbra.h"
#include "effects/lights/CSetGlimra.h"
#include "effects/water/CSetRipla.h"

#include <cstring>
#include <string>

namespace {

template <class TSet> std::unique_ptr<CSet> Make(CSettingsStore* store, CRenderState* renderState) {
    return std::make_unique<TSet>(store, renderState);
}

// One line per effect.
const PreviewEffect kEffects[] = {
    {"embra", Make<CSetEmbra>},
    {"glimra", Make<CSetGlimra>},
    {"ripla", Make<CSetRipla>},
};

} // namespace

const PreviewEffect* FindPreviewEffect(const char* name) {
    for (const PreviewEffect& effect : kEffects)
        if (std::strcmp(effect.name, name) == 0)
            return &effect;
    return nullptr;
}

const char* PreviewEffectNames() {
    static const std::string names = [] {
        std::string joined;
        for (const PreviewEffect& effect : kEffects)
            joined += (joined.empty() ? "" : "|") + std::string(effect.name);
        return joined;
    }();
    return names.c_str();
}
