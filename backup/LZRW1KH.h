#pragma once
// Expansion of LZRW1-KH blocks, the compression of the older backup archives (entries marked "ECS").
// Nothing is compressed this way any more.
//
// A block starts with a flag byte: 128 means the rest is stored as it is; anything else means items
// follow under 16-bit big-endian control words, one bit per item from the top: a clear bit is a literal
// byte, a set bit a copy of 3 to 18 bytes from up to 4095 bytes back (copied byte by byte, so it may
// overlap what it produces) or, with an offset of 0, a run of 16 to 4111 copies of one byte.

#include <cstdint>

namespace gdvorn {

// The largest block, compressed or expanded.
inline constexpr int kLzrwMaxBlock = 32783;

// Expands the `length` bytes of `block` into `output` (room for kLzrwMaxBlock bytes) and returns the
// number of bytes written. A block that reads past its own end, copies from before the start of the
// output or would write past kLzrwMaxBlock bytes gives -1: the archive is not valid.
int ExpandBlock(const std::uint8_t *block, std::uint8_t *output, int length);

} // namespace gdvorn
