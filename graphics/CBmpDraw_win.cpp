#include "graphics/CBmp.h"
#include "graphics/CPixelTransfer_win.h"
#include "graphics/StraightBlend.h"

#include <windows.h>

#include <memory>
#include <new>

namespace {

std::unique_ptr<uint8_t[]> Block(int width, int height) {
    return std::unique_ptr<uint8_t[]>(new (std::nothrow)
                                          uint8_t[static_cast<std::size_t>(width) * height * 4]);
}

} // namespace

void CBmp::DrawTo(void* dc, int x, int y) const {
    if (!pixels || int64_t{width} * height <= 0)
        return;
    const auto target = static_cast<HDC>(dc);
    const int left = x + originX;
    const int top = y + originY;
    CPixelTransfer transfer;
    const std::unique_ptr<uint8_t[]> block = Block(width, height);
    if (!block || !transfer.Open(target, width, height) ||
        !transfer.Read(target, left, top, block.get()))
        return;
    StraightBlend::Over(*this, block.get());
    transfer.Write(target, left, top, block.get());
}

void CBmp::DrawStretched(void* dc, int x, int y, int w, int h, int borderX, int borderY) const {
    if (!StraightBlend::Fits(*this, w, h, borderX, borderY))
        return;
    const auto target = static_cast<HDC>(dc);
    const int left = x + originX;
    const int top = y + originY;
    CPixelTransfer transfer;
    const std::unique_ptr<uint8_t[]> block = Block(w, h);
    if (!block || !transfer.Open(target, w, h) || !transfer.Read(target, left, top, block.get()))
        return;
    if (StraightBlend::Stretched(*this, block.get(), w, h, borderX, borderY))
        transfer.Write(target, left, top, block.get());
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
