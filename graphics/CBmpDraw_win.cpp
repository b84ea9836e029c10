#include "graphics/CBmp.h"
#include "graphics/CPixelTransfer_win.h"
#include "graphics/StraightBlend.h"

#include <windows.h>

#include <memory>
#include <new>

namespace {

std::unique_ptr<uint8_t[]> Block(int width, int height) {
    return std::unique_ptr<uint8_t[]>(
        new (std::nothrow) uint8_t[static_cast<std::size_t>(width) * height * kBytesPerPixel]);
}

// Reads the w x h rectangle at (left, top) of the device context, lets `blend` draw into
// it and writes it back when the blend succeeded.
template <class Blend>
void BlendThroughBlock(void* dc, int left, int top, int w, int h, Blend blend) {
    const auto target = static_cast<HDC>(dc);
    CPixelTransfer transfer;
    const std::unique_ptr<uint8_t[]> block = Block(w, h);
    if (!block || !transfer.Open(target, w, h) || !transfer.Read(target, left, top, block.get()))
        return;
    if (blend(block.get()))
        transfer.Write(target, left, top, block.get());
}

} // namespace

void CBmp::DrawTo(void* dc, int x, int y) const {
    if (!pixels || int64_t{width} * height <= 0)
        return;
    BlendThroughBlock(dc, x + originX, y + originY, width, height, [&](uint8_t* block) {
        StraightBlend::Over(*this, block);
        return true;
    });
}

void CBmp::DrawStretched(void* dc, int x, int y, int w, int h, int borderX, int borderY) const {
    if (StraightBlend::Fits(*this, w, h, borderX, borderY))
        BlendThroughBlock(dc, x + originX, y + originY, w, h, [&](uint8_t* block) {
            return StraightBlend::Stretched(*this, block, w, h, borderX, borderY);
        });
}

void CBmp::DrawScaled(void* dc, int x, int y, int w, int h) const {
    if (StraightBlend::Fits(*this, w, h, 0, 0))
        BlendThroughBlock(dc, x + originX, y + originY, w, h, [&](uint8_t* block) {
            return StraightBlend::Scaled(*this, block, w, h);
        });
}

void CBmp::DrawStack(void* dc, int x, int y, int stack) const {
    const CCollector<CBmp*>* layers = animations.GetAt(stack);
    if (!pixels || layers == nullptr)
        return;
    for (int i = 0; i < layers->Count(); ++i)
        layers->GetAt(i)->DrawTo(dc, x, y);
}

void CBmp::DrawStackStretched(void* dc, int x, int y, int w, int h, int borderX, int borderY,
                              int stack) const {
    const CCollector<CBmp*>* layers = animations.GetAt(stack);
    if (!pixels || layers == nullptr)
        return;
    for (int i = 0; i < layers->Count(); ++i)
        layers->GetAt(i)->DrawStretched(dc, x, y, w, h, borderX, borderY);
}
