#pragma once

#include "store/PseudoRandom.h"

#include <cstdint>
#include <utility>

// Quicksort with a median-of-three pivot drawn from the shared pseudo-random
// sequence. The exact draws and the exact partition matter: they decide the
// order of equal keys and how far the sequence moves on, and with that which
// room, teacher and lesson the generator picks later. T must offer the
// operators <, >, <= and >=. Elements that answer false to every comparison
// never let the partition end: callers must not sort on such a key.
namespace randomQuicksort {

template <typename T>
int32_t medianAfTre(const T* a, int32_t i, int32_t j, int32_t k)
{
    if (a[i] < a[j]) {
        if (a[k] < a[i])
            return i;
        if (a[k] > a[j])
            return j;
        return k;
    }
    if (a[i] < a[k])
        return i;
    if (a[j] > a[k])
        return j;
    return k;
}

template <typename T>
void Sort(T* a, int32_t n, bool faldende)
{
    if (n <= 1)
        return;
    const int32_t i1 = pseudoRandom.DrawModulo(n);
    const int32_t i2 = pseudoRandom.DrawModulo(n);
    const int32_t i3 = pseudoRandom.DrawModulo(n);
    const int32_t pivot = medianAfTre(a, i1, i2, i3);

    std::swap(a[0], a[pivot]);
    const T p = a[0];
    int32_t i = 1;
    int32_t j = n - 1;
    while (j > i) {
        if (faldende) {
            while (i < n && a[i] >= p)
                ++i;
            while (j > 0 && j >= i && a[j] <= p)
                --j;
        } else {
            while (i < n && a[i] <= p)
                ++i;
            while (j > 0 && j >= i && a[j] >= p)
                --j;
        }
        if (j > i)
            std::swap(a[i], a[j]);
    }
    if (faldende ? (p < a[j]) : (p > a[j]))
        std::swap(a[0], a[j]);

    Sort(a, j, faldende);
    Sort(a + j + 1, n - j - 1, faldende);
}

} // namespace randomQuicksort
