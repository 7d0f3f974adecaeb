#include "backup/LZRW1KH.h"

#include <cstring>

namespace gdvorn {

int ExpandBlock(const std::uint8_t *block, std::uint8_t *output, int length)
{
    if (length < 1 || length > kLzrwMaxBlock)
        return -1;
    if (block[0] == 128) {
        std::memcpy(output, block + 1, std::size_t(length - 1));
        return length - 1;
    }
    if (length < 3)
        return length == 1 ? 0 : -1;
    unsigned control = (unsigned(block[1]) << 8) | block[2];
    int in = 3;
    int out = 0;
    int bits = 16;
    while (in < length) {
        if (bits == 0) {
            if (in + 2 > length)
                return -1;
            control = (unsigned(block[in]) << 8) | block[in + 1];
            in += 2;
            bits = 16;
            if (in >= length)
                break;
        }
        if ((control & 0x8000u) == 0) {
            if (out >= kLzrwMaxBlock)
                return -1;
            output[out++] = block[in++];
        } else {
            if (in + 2 > length)
                return -1;
            const int b0 = block[in];
            const int b1 = block[in + 1];
            const int offset = b0 * 16 + b1 / 16;
            if (offset != 0) {
                const int count = b1 % 16 + 3;
                if (offset > out || out + count > kLzrwMaxBlock)
                    return -1;
                for (int i = 0; i < count; ++i, ++out)
                    output[out] = output[out - offset];
                in += 2;
            } else {
                if (in + 4 > length)
                    return -1;
                const int count = b1 * 256 + block[in + 2] + 16;
                if (out + count > kLzrwMaxBlock)
                    return -1;
                std::memset(output + out, block[in + 3], std::size_t(count));
                out += count;
                in += 4;
            }
        }
        control = (control << 1) & 0xFFFFu;
        --bits;
    }
    return out;
}

} // namespace gdvorn
