#include "system/RectUnion.h"

#include <algorithm>

namespace {

bool IsEmpty(const DesktopRect& rect) {
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

// Adds what is left of `piece` outside `cover` to `left`: up to four rectangles, the
// strips above and below it and the ones beside it in between.
void Subtract(const DesktopRect& piece, const DesktopRect& cover, std::vector<DesktopRect>* left) {
    const DesktopRect overlap{std::max(piece.left, cover.left), std::max(piece.top, cover.top),
                              std::min(piece.right, cover.right),
                              std::min(piece.bottom, cover.bottom)};
    if (IsEmpty(overlap)) {
        left->push_back(piece);
        return;
    }
    const DesktopRect strips[] = {
        {piece.left, piece.top, piece.right, overlap.top},
        {piece.left, overlap.bottom, piece.right, piece.bottom},
        {piece.left, overlap.top, overlap.left, overlap.bottom},
        {overlap.right, overlap.top, piece.right, overlap.bottom},
    };
    for (const DesktopRect& strip : strips)
        if (!IsEmpty(strip))
            left->push_back(strip);
}

} // namespace

bool UnionHolds(const std::vector<DesktopRect>& covers, const DesktopRect& rect) {
    std::vector<DesktopRect> uncovered;
    if (!IsEmpty(rect))
        uncovered.push_back(rect);
    for (const DesktopRect& cover : covers) {
        if (uncovered.empty())
            break;
        std::vector<DesktopRect> left;
        for (const DesktopRect& piece : uncovered)
            Subtract(piece, cover, &left);
        uncovered.swap(left);
    }
    return uncovered.empty();
}
