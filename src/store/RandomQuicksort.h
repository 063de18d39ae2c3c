#pragma once

#include "store/PseudoRandom.h"

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

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

// One partition of a[0 ... n-1] around the pivot in a[0]; returns the
// pivot's final place. ingenModsat tells that every other element already
// lay on the pivot's side: the pivot held the range's extreme value (the
// greatest ascending, the least descending) and went to the end.
template <typename T>
int32_t Del(T* a, int32_t n, bool faldende, bool& ingenModsat)
{
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
    ingenModsat = i == n;
    return j;
}

template <typename T>
int32_t AntalLige(const T* a, int32_t n, const T& vaerdi)
{
    int32_t antal = 0;
    for (int32_t k = 0; k < n; ++k)
        antal += a[k] <= vaerdi && a[k] >= vaerdi ? 1 : 0;
    return antal;
}

template <typename T>
void Sort(T* a, int32_t n, bool faldende)
{
    // Long runs of one value (placed lessons all weigh 0) make many levels
    // draw a pivot of the range's extreme value, and such a level only moves
    // the pivot to the end. Once a level has shown which value is extreme,
    // later levels that draw that value again do the same without a scan,
    // while elements of the value are left: the same draws, swaps and order.
    std::optional<T> yderst;
    int32_t antalYderste = 0;
    while (n > 1) {
        const int32_t i1 = pseudoRandom.DrawModulo(n);
        const int32_t i2 = pseudoRandom.DrawModulo(n);
        const int32_t i3 = pseudoRandom.DrawModulo(n);
        std::swap(a[0], a[medianAfTre(a, i1, i2, i3)]);
        if (antalYderste > 0 && a[0] <= *yderst && a[0] >= *yderst) {
            if (faldende ? (a[0] < a[n - 1]) : (a[0] > a[n - 1]))
                std::swap(a[0], a[n - 1]);
            --antalYderste;
            --n;
            continue;
        }
        bool ingenModsat = false;
        const int32_t j = Del(a, n, faldende, ingenModsat);
        if (ingenModsat) {
            --n;
            yderst = a[n];
            antalYderste = AntalLige(a, n, *yderst);
            continue;
        }
        antalYderste = 0;
        Sort(a, j, faldende);
        a += j + 1;
        n -= j + 1;
    }
}

// An element as a sort of references sees it: compared as the element it
// refers to; plads is its place before the sort.
template <typename T>
struct Henvisning {
    const T* post;
    int32_t plads;
    static Henvisning For(const T& post, int32_t plads) { return {&post, plads}; }
    bool operator<(const Henvisning& h) const { return *post < *h.post; }
    bool operator>(const Henvisning& h) const { return *post > *h.post; }
    bool operator<=(const Henvisning& h) const { return *post <= *h.post; }
    bool operator>=(const Henvisning& h) const { return *post >= *h.post; }
};

// Sorts references to a[0 ... n-1], made by Reference::For, and gives for
// each place the place that its element had: the same comparisons, draws
// and order as sorting the elements, which do not move meanwhile.
template <typename Reference, typename T>
std::vector<int32_t> SorteretRaekkefoelge(const T* a, int32_t n, bool faldende)
{
    std::vector<Reference> henvisninger;
    henvisninger.reserve(static_cast<size_t>(n));
    for (int32_t i = 0; i < n; ++i)
        henvisninger.push_back(Reference::For(a[i], i));
    Sort(henvisninger.data(), n, faldende);
    std::vector<int32_t> kilde(static_cast<size_t>(n));
    for (int32_t i = 0; i < n; ++i)
        kilde[i] = henvisninger[i].plads;
    return kilde;
}

// The element from place kilde[i] goes to place i. Only elements out of
// place move, each once, round the cycles of the permutation.
template <typename T>
void Omordn(T* a, std::vector<int32_t> kilde)
{
    for (int32_t i = 0; i < static_cast<int32_t>(kilde.size()); ++i) {
        if (kilde[i] == i)
            continue;
        T foerste = std::move(a[i]);
        int32_t j = i;
        while (kilde[j] != i) {
            a[j] = std::move(a[kilde[j]]);
            j = std::exchange(kilde[j], j);
        }
        a[j] = std::move(foerste);
        kilde[j] = j;
    }
}

// Sort for elements that are costly to swap: the references are swapped
// instead, and each element then moves at most once.
template <typename T>
void SorterHenvisninger(T* a, int32_t n, bool faldende)
{
    Omordn(a, SorteretRaekkefoelge<Henvisning<T>>(a, n, faldende));
}

} // namespace randomQuicksort
