#pragma once

#include "base/Besked.h"
#include "store/PseudoRandom.h"
#include "store/RandomQuicksort.h"

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <utility>
#include <vector>

// Where a gather puts the matching elements. The values are the letters the modes had.
enum class Samling : char { forrest = 'b', bagerst = 's' };
// What an interval search searches: the whole list or a given range.
enum class Omraade : char { hele = 'h', del = 'd' };

// A growing list of records with sorting, searching and gathering on one
// numbered field. Every operation that names a field sets the record type's
// process-wide sort field to it and leaves it there. Binary searches expect
// the searched range sorted ascending on that field; the list does not check.
// Element references stay valid until an insertion beyond the largest count
// the list has had; a sort or a gather moves other records into the slots.
template <typename T>
class Klyngeliste {
public:
    int32_t sidstFundet = 0; // one-entry cache of the searches
    int32_t markoer = 0;     // cursor of HentNaeste; owners also set it directly
    int32_t antal = 0;       // elements 0 ... antal-1 are in use
    std::vector<T> element;  // slots past antal keep records from before a Ryd

    // A fresh list restarts the shared pivot sequence, so the same data and
    // operations always give the same orders.
    Klyngeliste() { pseudoRandom.Seed(100); }
    Klyngeliste(const Klyngeliste&) = delete;
    Klyngeliste& operator=(const Klyngeliste&) = delete;

    void Indsaet(const T& post)
    {
        if (antal < static_cast<int32_t>(element.size()))
            element[antal] = post;
        else
            element.push_back(post);
        ++antal;
    }

    bool HentNaeste(T*& ud)
    {
        if (markoer >= antal)
            return false;
        ud = &element[markoer];
        ++markoer;
        return true;
    }

    bool Hent(T*& ud, const T& noegle, int32_t felt)
    {
        T::sortering.Saet(felt);
        int32_t indeks = 0;
        if (!BinaerSoegning(element.data(), antal, noegle, indeks))
            return false;
        ud = &element[indeks];
        return true;
    }

    bool LinearSoegning(int32_t felt, const T& noegle, int32_t& indeks)
    {
        T::sortering.Saet(felt);
        if (sidstFundet >= 0 && sidstFundet < antal && element[sidstFundet] == noegle) {
            indeks = sidstFundet;
            return true;
        }
        for (int32_t i = 0; i < antal; ++i) {
            if (element[i] == noegle) {
                sidstFundet = i;
                indeks = i;
                return true;
            }
        }
        sidstFundet = 0;
        return false;
    }

    // Binary search within elements start ... start+laengde-1; the cache then
    // holds an index relative to that range.
    bool Findes(int32_t felt, const T& noegle, int32_t start, int32_t laengde)
    {
        T::sortering.Saet(felt);
        int32_t indeks = 0;
        return BegraensTilBrug(start, laengde) && BinaerSoegning(&element[start], laengde, noegle, indeks);
    }

    // The run of elements equal to the key, bounds inclusive. A search of
    // part of the list searches the range that begins at `foerste` and holds
    // `sidste` elements, and answers with bounds relative to that range.
    bool HentInterval(int32_t felt, const T& noegle, int32_t& foerste, int32_t& sidste, Omraade omraade)
    {
        T::sortering.Saet(felt);
        int32_t start = 0;
        int32_t laengde = antal;
        if (omraade == Omraade::del) {
            start = foerste;
            laengde = sidste;
            if (!BegraensTilBrug(start, laengde))
                return false;
        }
        const T* a = element.data() + start;
        int32_t fundet = 0;
        if (!IndenforOmraade(a, laengde, noegle) || !Del(a, laengde, noegle, 0, laengde, fundet))
            return false;
        int32_t op = fundet;
        int32_t ned = fundet;
        while (op < laengde - 1 && a[op + 1] == noegle)
            ++op;
        while (ned > 0 && a[ned - 1] == noegle)
            --ned;
        foerste = ned;
        sidste = op;
        sidstFundet = ned;
        return true;
    }

    void Sorter(int32_t felt) { SorterDel(felt, 0, antal, 0); }

    // raekkefoelge 0 ascending, 1 descending.
    void SorterDel(int32_t felt, int32_t start, int32_t laengde, int32_t raekkefoelge)
    {
        T::sortering.Saet(felt);
        // On no field nothing compares, and the partition would never end.
        if (T::sortering.felt == T::ingenFelt || !BegraensTilBrug(start, laengde))
            return;
        // The sort swaps references to the records, and then only the records
        // out of place move, each once: the same comparisons, draws and final
        // order as swapping the records, without moving them time and again.
        T* del = &element[start];
        const bool faldende = raekkefoelge == 1;
        if (T::ErDecimalfelt(T::sortering.felt))
            randomQuicksort::Omordn(del,
                                    randomQuicksort::SorteretRaekkefoelge<DecimalHenvisning>(del, laengde, faldende));
        else
            randomQuicksort::SorterHenvisninger(del, laengde, faldende);
    }

    // Moves the elements equal to the key to the front and returns how many
    // there are, or to the back and returns where their block begins.
    int32_t Saml(int32_t felt, const T& noegle, Samling samling)
    {
        T::sortering.Saet(felt);
        T* a = element.data();
        int32_t i = 0;
        int32_t j = antal - 1;
        if (samling == Samling::forrest) {
            while (j > i) {
                if (a[i] != noegle) {
                    while (j > i && a[j] != noegle)
                        --j;
                    std::swap(a[i], a[j]);
                }
                ++i;
            }
            return Tael(felt, noegle, 0, antal);
        }
        while (j > i) {
            if (a[j] != noegle) {
                while (j > i && a[i] != noegle)
                    ++i;
                std::swap(a[i], a[j]);
            }
            --j;
        }
        return antal - Tael(felt, noegle, 0, antal);
    }

    // Elements with index in [fra, til) equal to the key.
    int32_t Tael(int32_t felt, const T& noegle, int32_t fra, int32_t til)
    {
        T::sortering.Saet(felt);
        int32_t antalLige = 0;
        for (int32_t i = std::max(fra, 0); i < std::min(til, antal); ++i)
            if (element[i] == noegle)
                ++antalLige;
        return antalLige;
    }

    // Field 8 (the third integer) of every element becomes 0.
    void NulstilFelt()
    {
        for (int32_t i = 0; i < antal; ++i)
            element[i].heltal[2] = 0;
    }

    void Udskriv()
    {
        T::sortering.Saet(0);
        std::ostringstream tekst;
        for (int32_t i = 0; i < antal; ++i)
            tekst << element[i] << "\n";
        Besked().Spor(tekst.str());
    }

    // The records stay in their slots and are overwritten by later inserts.
    void Ryd() { antal = 0; }

private:
    // On a decimal field a copy of the value compares exactly as the element
    // does; the weights are sorted at every placement step, and comparing
    // copies side by side saves a trip to the element per comparison.
    struct DecimalHenvisning {
        double noegle;
        int32_t plads;
        static DecimalHenvisning For(const T& post, int32_t plads) { return {post.Decimal(T::sortering.felt), plads}; }
        bool operator<(const DecimalHenvisning& h) const { return noegle < h.noegle; }
        bool operator>(const DecimalHenvisning& h) const { return noegle > h.noegle; }
        bool operator<=(const DecimalHenvisning& h) const { return noegle <= h.noegle; }
        bool operator>=(const DecimalHenvisning& h) const { return noegle >= h.noegle; }
    };

    // Cuts a range down to the elements in use; false when nothing is left.
    bool BegraensTilBrug(int32_t start, int32_t& laengde) const
    {
        if (start < 0 || start >= antal)
            return false;
        laengde = std::min(laengde, antal - start);
        return laengde > 0;
    }

    // Range guard of the binary searches: false when the key lies below the
    // first or above the last element (or the range is empty).
    static bool IndenforOmraade(const T* a, int32_t n, const T& noegle)
    {
        return n > 0 && !(a[0] > noegle) && !(a[n - 1] < noegle);
    }

    bool BinaerSoegning(const T* a, int32_t n, const T& noegle, int32_t& indeks)
    {
        if (sidstFundet >= 0 && sidstFundet < n && a[sidstFundet] == noegle) {
            indeks = sidstFundet;
            return true;
        }
        if (!IndenforOmraade(a, n, noegle) || !Del(a, n, noegle, 0, n, indeks))
            return false;
        sidstFundet = indeks;
        return true;
    }

    // One halving step on elements from `s` with length `m`. The right half
    // is searched with length h even when it holds one element less, so a
    // probe may fall past the range: such a probe counts as greater than the
    // key and is never read.
    static bool Del(const T* a, int32_t n, const T& noegle, int32_t s, int32_t m, int32_t& indeks)
    {
        if (m <= 0 || s >= n - 1) {
            if (s < n && a[s] == noegle) {
                indeks = s;
                return true;
            }
            return false;
        }
        const int32_t h = m / 2;
        const int32_t midte = s + h;
        if (midte >= n || noegle < a[midte])
            return Del(a, n, noegle, s, h, indeks);
        if (noegle > a[midte])
            return Del(a, n, noegle, midte + 1, h, indeks);
        if (noegle == a[midte]) {
            indeks = midte;
            return true;
        }
        return false;
    }
};
