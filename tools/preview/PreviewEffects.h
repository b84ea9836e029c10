#pragma once

#include <memory>

class CSet;
class CRenderState;
class CSettingsStore;

// The effects the preview can run, by the name given to --effect.
struct PreviewEffect {
    const char* name;
    std::unique_ptr<CSet> (*make)(CSettingsStore* store, CRenderState* renderState);
};

// The effect of that name; null when there is none.
const PreviewEffect* FindPreviewEffect(const char* name);
// The names of all effects, separated by "|", for messages.
const char* PreviewEffectNames();
