#include "patterns/pattern_random.h"

int PatternRandom::below(int bound)
{
    if (bound <= 0)
        return 0;
    return int((uint64_t(next()) * uint64_t(bound)) >> 32);
}

int PatternRandom::between(int low, int high)
{
    if (high <= low)
        return low;
    const int64_t span = int64_t(high) - int64_t(low) + 1;
    if (span > INT32_MAX)
        return int(int64_t(low) + int64_t(uint64_t(next()) % uint64_t(span)));
    return low + below(int(span));
}

PatternRandom &patternRandom()
{
    static PatternRandom generator;
    return generator;
}
