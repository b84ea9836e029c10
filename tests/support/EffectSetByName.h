#pragma once

#include "effects/engine/CRenderState.h"
#include "effects/fire/CSetEmbra.h"
#include "effects/lights/CSetGlimra.h"
#include "effects/water/CSetRipla.h"

#include <memory>
#include <string>

// The frame set of an effect named "fire", "lights" or (anything else) the water, drawing
// for the render state without a parameter dialog.
inline std::unique_ptr<CFrameSet> MakeEffectSet(const std::string& effect,
                                                CRenderState* renderState) {
    if (effect == "fire")
        return std::make_unique<CSetEmbra>(nullptr, renderState);
    if (effect == "lights")
        return std::make_unique<CSetGlimra>(nullptr, renderState);
    return std::make_unique<CSetRipla>(nullptr, renderState);
}
