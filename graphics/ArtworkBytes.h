#pragma once

#include <cstddef>
#include <cstdint>

// The program's generated artwork, embedded in the native build with the same bytes that
// the Windows build's resource script embeds. False when no bitmap has that number.
bool FindArtworkBytes(int number, const uint8_t** data, std::size_t* size);
// The bytes of the .ico file of icon resource `number`; false when there is none.
bool FindIconBytes(int number, const uint8_t** data, std::size_t* size);
