#include "editing/colour_action.h"

namespace {

template <ColourAction A>
void runOf(ColorValue *dst, const ColorValue *src, size_t n, const ColorValue *skip)
{
    if (skip) {
        const ColorValue key = *skip;
        for (size_t i = 0; i < n; ++i)
            if (src[i] != key)
                dst[i] = combineColours(A, dst[i], src[i]);
        return;
    }
    for (size_t i = 0; i < n; ++i)
        dst[i] = combineColours(A, dst[i], src[i]);
}

} // namespace

void combineRun(ColourAction action, ColorValue *dst, const ColorValue *src, size_t n, const ColorValue *skip)
{
    switch (action) {
    case ColourAction::Replace: return runOf<ColourAction::Replace>(dst, src, n, skip);
    case ColourAction::Invert: return runOf<ColourAction::Invert>(dst, src, n, skip);
    case ColourAction::And: return runOf<ColourAction::And>(dst, src, n, skip);
    case ColourAction::Or: return runOf<ColourAction::Or>(dst, src, n, skip);
    case ColourAction::Xor: return runOf<ColourAction::Xor>(dst, src, n, skip);
    case ColourAction::Add: return runOf<ColourAction::Add>(dst, src, n, skip);
    case ColourAction::Subtract: return runOf<ColourAction::Subtract>(dst, src, n, skip);
    case ColourAction::NotAnd: return runOf<ColourAction::NotAnd>(dst, src, n, skip);
    case ColourAction::NotOr: return runOf<ColourAction::NotOr>(dst, src, n, skip);
    case ColourAction::Nxor: return runOf<ColourAction::Nxor>(dst, src, n, skip);
    case ColourAction::NotAdd: return runOf<ColourAction::NotAdd>(dst, src, n, skip);
    case ColourAction::NotSubtract: return runOf<ColourAction::NotSubtract>(dst, src, n, skip);
    }
}
