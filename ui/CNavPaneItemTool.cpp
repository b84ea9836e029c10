#include "ui/CNavPaneItemTool.h"

#include "graphics/DpiScale.h"
#include "ui/NavPaneGlyphs.h"
#include "ui/ScaledStack.h"

namespace {

constexpr int kNormalStack = 0;
constexpr int kHotStack = 1;
constexpr int kDisabledStack = 2;
constexpr int kPressedStack = 3;

} // namespace

bool CNavPaneItemTool::CanPress() const {
    return (kind & (kExpander | kToggle | kPush)) != 0 && !Has(kDisabled);
}

void CNavPaneItemTool::LoadToolImage(HINSTANCE module, int bitmapId, int which) {
    CBmp& picture = Picture(which);
    picture.Free();
    picture.LoadBitmapResource(module, bitmapId);
}

void CNavPaneItemTool::SetToolImage(const CBmp& bitmap, int which) {
    CBmp& picture = Picture(which);
    picture.Free();
    picture.Copy(bitmap);
}

void CNavPaneItemTool::FreeToolImage(int which) {
    Picture(which).Free();
}

const CBmp* CNavPaneItemTool::ShownPicture() const {
    if (Has(kChecked) && checkedImage.pixels)
        return &checkedImage;
    return image.pixels ? &image : nullptr;
}

void CNavPaneItemTool::Draw(HDC dc, const RECT& cell) const {
    RECT place = cell;
    if (Has(kPressed))
        OffsetRect(&place, 1, 1);
    if (const CBmp* picture = ShownPicture())
        DrawPicture(dc, *picture, place);
    else if (kind & kExpander)
        DrawDoubleChevron(dc, place, Has(kChecked));
    else if (kind & kSeparator)
        DrawSeparatorBar(dc, place);
    if (kind & kEdge)
        DrawEdge(dc, cell);
}

void CNavPaneItemTool::DrawPicture(HDC dc, const CBmp& picture, const RECT& cell) const {
    const int width = ScaleToDpi(picture.width, dpi);
    const int height = ScaleToDpi(picture.height, dpi);
    const int x = (cell.left + cell.right - width) / 2;
    const int y = (cell.top + cell.bottom - height) / 2;
    int stack = -1;
    if (Has(kPressed) && picture.StackHasLayers(kPressedStack))
        stack = kPressedStack;
    else if (Has(kHot) && picture.StackHasLayers(kHotStack))
        stack = kHotStack;
    else if (Has(kDisabled) && picture.StackHasLayers(kDisabledStack))
        stack = kDisabledStack;
    else if (picture.StackHasLayers(kNormalStack))
        stack = kNormalStack;
    if (width != picture.width || height != picture.height)
        DrawStackScaled(dc, picture, stack, RECT{x, y, x + width, y + height});
    else if (stack >= 0)
        picture.DrawStack(dc, x, y, stack);
    else
        picture.DrawTo(dc, x, y);
}

void CNavPaneItemTool::DrawEdge(HDC dc, const RECT& cell) const {
    RECT edge = cell;
    if (Has(kPressed | kChecked))
        ::DrawEdge(dc, &edge, Has(kHot) ? EDGE_SUNKEN : BDR_SUNKENOUTER, BF_RECT);
    else if (Has(kHot))
        ::DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
    else if (!(kind & kFlat))
        ::DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
}
