#include "graphics/CBmp.h"

void CBmp::AddStack(const tstr& text) {
    static_cast<void>(text); // stacks are addressed by index; the label is not kept
    animations.Add(new CCollector<CBmp*>());
}

bool CBmp::HasStack(int index) const {
    return index >= 0 && index < animations.Count();
}

bool CBmp::StackHasLayers(int index) const {
    const CCollector<CBmp*>* stack = animations.GetAt(index);
    return stack != nullptr && stack->Count() > 0;
}

CBmp* CBmp::AddLayerCopy(int index) {
    CCollector<CBmp*>* stack = animations.GetAt(index);
    if (stack == nullptr)
        return nullptr;
    CBmp* layer = new CBmp();
    layer->Copy(*this);
    stack->Add(layer);
    return layer;
}

CBmp* CBmp::ExtractChannel(int channel) const {
    if (pixels == nullptr || channel < 0 || channel > 3)
        return nullptr;
    CBmp* result = new CBmp();
    result->Create(width, height);
    if (result->pixels == nullptr) {
        delete result;
        return nullptr;
    }
    for (int32_t offset = channel; offset < byteSize; offset += 4)
        result->pixels[offset] = pixels[offset];
    return result;
}
