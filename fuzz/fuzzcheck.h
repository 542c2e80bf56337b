#pragma once
// What every fuzz target shares: the input as text, and a check that ends the run on a broken
// promise so that libFuzzer keeps the input.
#include <QString>

#include <cstdint>
#include <cstdlib>

namespace fuzzing {

inline void check(bool condition)
{
    if (!condition)
        std::abort();
}

inline QString text(const uint8_t *data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}

} // namespace fuzzing
