#pragma once

#include <windows.h>

#include <cstdint>

// The stored "plmnt" record: the window-placement record in its 44-byte form, every field
// a 32-bit value, whatever the platform's own record looks like.
struct PlacementRecord {
    uint32_t length;
    uint32_t flags;
    uint32_t showCommand;
    int32_t minX;
    int32_t minY;
    int32_t maxX;
    int32_t maxY;
    int32_t normalLeft;
    int32_t normalTop;
    int32_t normalRight;
    int32_t normalBottom;
};
static_assert(sizeof(PlacementRecord) == 44, "the stored placement record has 44 bytes");

constexpr uint32_t kPlacementRecordSize = sizeof(PlacementRecord);

PlacementRecord ToPlacementRecord(const WINDOWPLACEMENT& placement);
WINDOWPLACEMENT FromPlacementRecord(const PlacementRecord& record);
// A record as SaveWindowPlacement writes it: its length field 44 and a known show command.
bool IsWholePlacementRecord(const PlacementRecord& record);
