#include "effects/fire/CSetEmbra.h"

#include "effects/engine/CRandom.h"
#include "effects/engine/IDesktop.h"
#include "effects/engine/ScreenSize.h"
#include "effects/engine/TaskbarPlacement.h"

#include <algorithm>
#include <cstddef>
#include <new>

int32_t CSetEmbra::profileTimer = 0;
int32_t CSetEmbra::profilePeriod = 20;

namespace {

constexpr int32_t kBreakpoints = 7; // X0 .. X6 and Y0 .. Y6 of the profile ramps
constexpr int32_t kDriftReach = 20; // columns either side compared for a column's drift

template <class T> std::unique_ptr<T[]> NewArray(int32_t count) {
    return std::unique_ptr<T[]>(new (std::nothrow) T[static_cast<std::size_t>(count)]());
}

bool ColumnHasAlpha(const CBmp& sheet, int32_t column) {
    for (int32_t row = 0; row < sheet.height; ++row)
        if ((sheet.Pixel(column, row) >> 24) != 0)
            return true;
    return false;
}

// Calls found(first, end) for every maximal run of columns holding a pixel of non-zero
// alpha, from left to right; returns the number of runs.
template <class Found> int32_t ForEachColumnRun(const CBmp& sheet, Found found) {
    int32_t runs = 0;
    int32_t column = 0;
    while (column < sheet.width) {
        if (!ColumnHasAlpha(sheet, column)) {
            ++column;
            continue;
        }
        const int32_t first = column;
        while (column < sheet.width && ColumnHasAlpha(sheet, column))
            ++column;
        found(runs++, first, column);
    }
    return runs;
}

} // namespace

CSetEmbra::CSetEmbra(CSettingsStore* store, CRenderState* renderState)
    : CFrameSet(store, renderState, "Embra") {
    displayName.Set("Fire on desktop");
    colour.Set(0xFF0077FFul);
}

CSetEmbra::~CSetEmbra() {
    Stop();
}

bool CSetEmbra::Start() {
    Stop();
    // Without the primary's taskbar there is no shell to decorate.
    if (canvasSlices.empty() || canvasSlices.front().monitor.taskbarState == TaskbarState::None)
        return false;
    for (std::size_t i = 0; i < canvasSlices.size(); ++i)
        if (canvasSlices[i].monitor.taskbarState == TaskbarState::Visible)
            desktop->PutOverlayBehindTaskbar(i);
    if (!AllocateFrame() || !AllocateProfiles())
        return Fail();
    const int64_t perWorker = int64_t{screenWidth} * 4000 / 1600 / workerCount;
    GenerateProfiles();
    if (!AllocateItems<CItemEmbra>(static_cast<int32_t>(perWorker)) || !LoadColourTable() ||
        !CutFrames() || !BuildReversedFrames())
        return Fail();
    CItemEmbra::frameCount = frameCount;
    CItemEmbra::lastFrame = frameCount - 1;
    // Strips pay from two on: at 3840 columns the frame costs 2.02-2.09 times 1920's with
    // them, 2.09-2.22 without.
    if (!PlanSort(sorted, 2))
        return Fail();
    SpawnAll();
    PlaceBands();
    return true;
}

bool CSetEmbra::Stop() {
    ReleaseFrame();
    FreeItems();
    frames.reset();
    frameCount = 0;
    entries.reset();
    rowSpans.reset();
    layouts.reset();
    entryCount = 0;
    firstFrameHeight = 0;
    lifeCut.reset();
    drift.reset();
    profileColumns = 0;
    strips = 1;
    sorted.Clear();
    return true;
}

void CSetEmbra::ShowSettings(void* parentWindow) {
    if (settingsDialog)
        settingsDialog(*this, parentWindow);
}

bool CSetEmbra::AllocateProfiles() {
    profileColumns = screenWidth;
    lifeCut = NewArray<int32_t>(profileColumns);
    drift = NewArray<int32_t>(profileColumns);
    return lifeCut && drift;
}

// The colour of strip pixel a is the colour of accumulated alpha a.
bool CSetEmbra::LoadColourTable() {
    CBmp strip;
    if (!desktop->LoadBitmapResource(kColourStripResource, &strip) || !strip.pixels)
        return false;
    for (int32_t a = 0; a < 256; ++a) {
        const uint32_t word = strip.Pixel(a, 0);
        colourTable.blue[a] = static_cast<uint8_t>(word);
        colourTable.green[a] = static_cast<uint8_t>(word >> 8);
        colourTable.red[a] = static_cast<uint8_t>(word >> 16);
    }
    blender.SetColours(colourTable.blue, colourTable.green, colourTable.red);
    return true;
}

// The sheet's blue channel becomes the alpha, scaled so that the brightest pixel has 150;
// every run of columns with some alpha is one frame, trimmed to its opaque pixels.
bool CSetEmbra::CutFrames() {
    CBmp sheet;
    if (!desktop->LoadBitmapResource(kSpriteSheetResource, &sheet) || !sheet.pixels)
        return false;
    sheet.CopyChannel(sheet, 0, 3);
    sheet.ScaleAlpha(150, 0);
    const int32_t count = ForEachColumnRun(sheet, [](int32_t, int32_t, int32_t) {});
    if (count == 0)
        return false;
    frames = NewArray<CBmp>(count);
    if (!frames)
        return false;
    bool copied = true;
    ForEachColumnRun(sheet, [&](int32_t index, int32_t first, int32_t end) {
        CBmp& frame = frames[index];
        frame.CopyRect(sheet, first, 0, end, sheet.height);
        frame.Trim();
        copied = copied && frame.pixels != nullptr;
    });
    frameCount = count;
    return copied;
}

bool CSetEmbra::BuildReversedFrames() {
    entryCount = frameCount + 2;
    int64_t rows = 0;
    for (int32_t f = 0; f < frameCount; ++f)
        rows += frames[f].height;
    entries = NewArray<SpriteEntry>(entryCount);
    rowSpans = NewArray<RowSpan>(static_cast<int32_t>(rows));
    layouts = NewArray<CFlameGroups>(frameCount);
    if (!entries || !rowSpans || !layouts)
        return false;
    RowSpan* spans = rowSpans.get();
    for (int32_t j = 0; j < frameCount; ++j) {
        const CBmp& frame = frames[frameCount - 1 - j];
        entries[j] = {frame.pixels, frame.width, frame.height, spans, false, &layouts[j]};
        for (int32_t v = 0; v < frame.height; ++v, ++spans) {
            *spans = {0, 0};
            for (int32_t u = 0; u < frame.width; ++u) {
                const uint32_t alpha = frame.Pixel(u, v) >> 24;
                if (alpha == 0)
                    continue;
                if (spans->first == spans->end)
                    spans->first = u;
                spans->end = u + 1;
                entries[j].opaque = entries[j].opaque || alpha == 255;
            }
        }
        if (!layouts[j].Build(frame.pixels, frame.width, frame.height, entries[j].spans,
                              std::ptrdiff_t{frameBuffer.width} * kBytesPerPixel))
            return false;
    }
    firstFrameHeight = frames[0].height;
    return true;
}

void CSetEmbra::SpawnAll() {
    for (CItem* itemArray : workerItems) {
        CItemEmbra* flames = ItemsAs<CItemEmbra>(itemArray);
        for (int32_t i = 0; i < itemsPerWorker; ++i)
            flames[i].Spawn(1, 1, 1);
    }
}

// Six linear ramps between random levels at random breakpoints, plus noise of 0 .. 255 on
// every column; a column's drift leans its flames away from the side with the larger cut.
// On a screen narrower than 100 pixels the breakpoints can fall off the screen: the draws
// for such columns are made, their values are not stored.
void CSetEmbra::GenerateProfiles() {
    const int32_t columns = profileColumns;
    if (!lifeCut || !drift)
        return;
    std::fill(lifeCut.get(), lifeCut.get() + columns, 0);
    std::fill(drift.get(), drift.get() + columns, 0);
    int32_t breakpoint[kBreakpoints];
    int32_t level[kBreakpoints];
    breakpoint[0] = 0;
    breakpoint[kBreakpoints - 1] = columns;
    const int32_t step = (columns - 100) / 7;
    for (int32_t k = 1; k < kBreakpoints - 1; ++k)
        breakpoint[k] = CItemEmbra::DrawModulo(columns - 100) / 7 + k * step + 50;
    for (int32_t k = 0; k < kBreakpoints; ++k)
        level[k] = CRandom::Next() % 1280;
    for (int32_t k = 0; k < kBreakpoints - 1; ++k) {
        const int32_t start = breakpoint[k];
        const int64_t length = breakpoint[k + 1] - start;
        for (int64_t t = 0; t < length; ++t) {
            const int32_t noise = CRandom::Next() % 256;
            const int64_t column = start + t;
            if (column < 0 || column >= columns)
                continue;
            // From level k towards level k + 1, truncating.
            const int64_t ramp = ((length - 1 - t) * level[k] + t * level[k + 1]) / length;
            lifeCut[column] = noise + static_cast<int32_t>(ramp);
        }
    }
    for (int32_t k = kDriftReach; k < columns - kDriftReach; ++k)
        drift[k] = (lifeCut[k - kDriftReach] - lifeCut[k + kDriftReach]) / 80;
}

// One worker steps and draws each flame in turn. Several, or a band drawn by strips, move
// and sort their own flames, then draw every worker's, each once moved, on their own slice
// of the band (a strip at a time). Moving never reads the frame buffer and drawing never
// changes a flame, so moving every flame first and then drawing them in their order gives
// the band of stepping them one by one.
void CSetEmbra::StepAndDraw(int worker, CItem* itemArray) {
    CItemEmbra* flames = ItemsAs<CItemEmbra>(itemArray);
    if (workerCount <= 1 && strips <= 1) {
        if (flames)
            StepFlames(flames, AnimatedCount());
        return;
    }
    MoveThenDrawSorted<CItemEmbra>(
        worker, itemArray, sorted,
        [this, worker](CItemEmbra* own, int32_t count) { MoveAndSort(worker, own, count); },
        [this](const CellArea& area, const auto& cell) {
            for (const Placement& flame : cell)
                DrawPlaced(flame, area.firstRow, area.endRow, area.firstColumn, area.endColumn);
        });
}

void CSetEmbra::MoveAndSort(int worker, CItemEmbra* flames, int32_t count) {
    BeginSort(sorted, worker);
    for (int32_t i = 0; i < count; ++i) {
        MoveFlames(flames + i, 1);
        Placement flame;
        if (!Place(flames[i], &flame))
            continue;
        const SpriteEntry& entry = entries[flame.entry];
        sorted.Add(worker, flame, flame.top, flame.top + entry.height, flame.left,
                   flame.left + entry.width);
    }
}

int64_t CSetEmbra::StepFlames(CItemEmbra* flames, int32_t count) {
    int64_t drawn = 0;
    for (int32_t i = 0; i < count; ++i) {
        MoveFlames(flames + i, 1);
        drawn += DrawFlame(flames[i]);
    }
    return drawn;
}

void CSetEmbra::MoveFlames(CItemEmbra* flames, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        CItemEmbra& flame = flames[i];
        flame.x += flame.dx;
        flame.y += flame.dy;
        flame.life -= 100;
        if (flame.life < 0)
            flame.Respawn(lifeCut.get(), drift.get(), 0);
    }
}

int64_t CSetEmbra::DrawFlame(const CItemEmbra& flame) {
    return DrawFlameRows(flame, BandTop(), BandTop() + BandRows());
}

int64_t CSetEmbra::DrawFlameArea(const CItemEmbra& flame, int32_t firstRow, int32_t endRow,
                                 int32_t firstColumn, int32_t endColumn) {
    Placement placement;
    return Place(flame, &placement)
               ? DrawPlaced(placement, firstRow, endRow, firstColumn, endColumn)
               : 0;
}

// The frame's rows are bottom-aligned: row v lands on y + R - 1 - h + v.
bool CSetEmbra::Place(const CItemEmbra& flame, Placement* placement) const {
    const int32_t j = flame.life >> 8; // arithmetic shift: the frame index of the life
    if (j < 0 || j >= entryCount)
        return false;
    *placement = {j, flame.x, flame.y + firstFrameHeight - 1 - entries[j].height};
    return true;
}

// Pixels outside the frame buffer are not drawn; at the left and right edges the sprite is
// clipped, so a flame never continues on the neighbouring row.
int64_t CSetEmbra::DrawPlaced(const Placement& placement, int32_t firstRow, int32_t endRow,
                              int32_t firstColumn, int32_t endColumn) {
    if (!frameBuffer.pixels)
        return 0;
    const SpriteEntry& entry = entries[placement.entry];
    const int32_t left = placement.left;
    const int32_t top = placement.top;
    const int32_t firstU = std::max(0, -left);
    const int32_t endU = std::min(entry.width, frameBuffer.width - left);
    const int32_t firstV = std::max(0, -top);
    const int32_t endV = std::min(entry.height, frameBuffer.height - top);
    if (firstU >= endU || firstV >= endV)
        return 0;
    const int32_t drawFirstU = std::max(firstU, firstColumn - left);
    const int32_t drawEndU = std::min(endU, endColumn - left);
    const int32_t drawFirstV = std::max(firstV, firstRow - top);
    const int32_t drawEndV = std::min(endV, endRow - top);
    if (drawFirstV < drawEndV && drawFirstU < drawEndU)
        BlendRows(SpriteClip{&entry, left, top, drawFirstU, drawEndU}, drawFirstV, drawEndV);
    return int64_t{endU - firstU} * (endV - firstV);
}

// A sprite whose columns are all inside the frame buffer goes by its laid-out groups;
// those may reach three columns past it, transparent there, which the blend leaves as
// they are.
void CSetEmbra::BlendRows(const SpriteClip& clip, int32_t firstV, int32_t endV) const {
    const SpriteEntry& entry = *clip.entry;
    const std::ptrdiff_t stride = std::ptrdiff_t{frameBuffer.width} * kBytesPerPixel;
    if (!entry.opaque && entry.whole && clip.firstU == 0 && clip.endU == entry.width &&
        clip.left + entry.whole->reach <= frameBuffer.width) {
        int32_t count = 0;
        const CFlameBlender::Group* groups = entry.whole->RowGroups(firstV, endV, &count);
        blender.BlendGroupList(frameBuffer.pixels + (clip.top + firstV) * stride +
                                   std::ptrdiff_t{clip.left} * kBytesPerPixel,
                               firstV * stride, entry.whole->Pixels(), groups, count);
        return;
    }
    blender.BlendSprite(frameBuffer.pixels + (clip.top + firstV) * stride +
                            std::ptrdiff_t{clip.left + clip.firstU} * kBytesPerPixel,
                        stride,
                        entry.pixels +
                            (std::ptrdiff_t{firstV} * entry.width + clip.firstU) * kBytesPerPixel,
                        std::ptrdiff_t{entry.width} * kBytesPerPixel, entry.spans + firstV,
                        endV - firstV, clip.firstU, clip.endU, entry.opaque);
}

// Worker 0 runs this only for a frame that every worker finished, so no respawn reads the
// profiles while they are renewed.
void CSetEmbra::EndOfFrame() {
    if (++profileTimer <= profilePeriod)
        return;
    profileTimer = 0;
    GenerateProfiles();
    profilePeriod = CRandom::Next() % 40 + 5;
}
