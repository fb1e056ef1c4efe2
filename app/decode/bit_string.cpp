#include "app/decode/bit_string.h"

std::string ByteToBitString(uint8_t value) {
    std::string bits(8, '0');
    for (int bit = 0; bit < 8; ++bit) {
        if (value & (1u << bit))
            bits[7 - bit] = '1';
    }
    return bits;
}
