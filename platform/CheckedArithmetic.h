#pragma once
// The two widths the program counts in, and checked signed arithmetic on
// them: an overflow raises the overflow run-time error instead of wrapping.

#include <cstdint>

#include "platform/RuntimeError.h"

namespace talmoran {

using Int16 = std::int16_t;
using Int32 = std::int32_t;

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

} // namespace talmoran
