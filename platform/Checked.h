#pragma once
// Checked 16-bit and 32-bit signed arithmetic: an overflow raises the overflow
// run-time error instead of wrapping.

#include <cstdint>

#include "platform/RuntimeError.h"

namespace talmoran {

template <typename T> [[nodiscard]] T CheckedAdd(T a, T b)
{
    T result{};
    if (__builtin_add_overflow(a, b, &result)) {
        throw RuntimeError::Overflow();
    }
    return result;
}

template <typename T> [[nodiscard]] T CheckedSub(T a, T b)
{
    T result{};
    if (__builtin_sub_overflow(a, b, &result)) {
        throw RuntimeError::Overflow();
    }
    return result;
}

// The two widths the program counts in.
using Int16 = std::int16_t;
using Int32 = std::int32_t;

} // namespace talmoran
