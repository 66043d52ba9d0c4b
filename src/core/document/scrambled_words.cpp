#include "document/scrambled_words.h"

uint32_t scrambledPower(uint32_t base, uint32_t exponent, uint32_t n)
{
    // Every product is of two values below 2^32, so it fits 64 bits; the
    // base is not reduced before its first squaring, as in the files' maker.
    uint64_t b = base;
    uint64_t result = 1;
    while (exponent != 0) {
        while ((exponent & 1u) == 0) {
            exponent >>= 1;
            b = (b * b) % n;
        }
        result = (result * b) % n;
        --exponent;
    }
    return uint32_t(result);
}

uint32_t scrambledExponent(uint32_t key, uint32_t n)
{
    return scrambledPower(key, 17, n);
}
