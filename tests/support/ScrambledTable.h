#pragma once

#include "effects/fire/CSetEmbra.h"

#include <cstdint>

// A colour table with no pattern a blend could hide behind.
inline CSetEmbra::ColourTable ScrambledTable() {
    CSetEmbra::ColourTable table;
    for (uint32_t a = 0; a < 256; ++a) {
        table.blue[a] = static_cast<uint8_t>(a * 7 + 3);
        table.green[a] = static_cast<uint8_t>(a * 13 + 200);
        table.red[a] = static_cast<uint8_t>(255 - a * 5);
    }
    return table;
}
