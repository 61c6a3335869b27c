#pragma once

#include <cstddef>
#include <cstdint>

namespace qv {

// Library archives are stored with a repeating 17-byte key added to every byte. The key
// position is the byte's offset in the file modulo 17; `offset` is the file offset of data[0],
// so a file may be handled in pieces.
inline constexpr char kLibraryKey[] = "Vq7#Lm2pZx9Rt4Wk!";
inline constexpr size_t kLibraryKeyLength = 17;

void DescrambleLibrary(uint8_t* data, size_t size, size_t offset = 0);
void ScrambleLibrary(uint8_t* data, size_t size, size_t offset = 0);

}  // namespace qv
