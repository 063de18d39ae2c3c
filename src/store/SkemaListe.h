#pragma once

#include "store/PseudoRandom.h"
#include "store/RandomQuicksort.h"

#include <cstdint>
#include <string>
#include <vector>

// The timetables of one kind, looked up by name. Insertions append; the
// first look-up after them sorts the list. That sort draws its pivots from
// the shared pseudo-random sequence, so the moments at which look-ups happen
// decide the draws the generator gets later: look up only where needed.
// The list grows as needed; an insertion may move every item.
template <typename T>
class SkemaListe {
public:
    // Restarts the shared sequence, as every list does when it is built.
    SkemaListe() { pseudoRandom.Seed(100); }

    bool Hent(const std::string& id, T*& fundet)
    {
        if (antal_ == 0)
            return false;
        if (!sorteret_) {
            randomQuicksort::SorterHenvisninger(items_.data(), antal_, false);
            sorteret_ = true;
        }
        if (sidstFundet_ < 0 || sidstFundet_ >= antal_)
            sidstFundet_ = 0;
        if (items_[sidstFundet_].navn == id) {
            fundet = &items_[sidstFundet_];
            return true;
        }
        noegle_.navn = id;
        sidstFundet_ = 0;
        int32_t indeks = 0;
        if (!Soeg(indeks))
            return false;
        sidstFundet_ = soegeHint_ = indeks;
        fundet = &items_[indeks];
        return true;
    }

    // Refuses a name already held.
    bool Indsaet(const std::string& id)
    {
        T* findes = nullptr;
        if (Hent(id, findes))
            return false;
        items_.emplace_back(id);
        ++antal_;
        sorteret_ = false;
        return true;
    }

    // Walks the items in their current order, which is by name whenever a
    // look-up has happened since the last insertion.
    bool HentNaeste(T*& naeste)
    {
        if (markoer_ < 0 || markoer_ >= antal_)
            return false;
        naeste = &items_[markoer_++];
        return true;
    }

    void Nulstil() { markoer_ = 0; }

    void TomAlle()
    {
        for (int32_t i = 0; i < antal_; ++i)
            items_[i].TomAlle();
    }

    int32_t Antal() const { return antal_; }

private:
    // Binary search for noegle_ among the sorted items, trying the index
    // where the last search ended first.
    bool Soeg(int32_t& indeks) const
    {
        if (soegeHint_ < antal_ && items_[soegeHint_] == noegle_) {
            indeks = soegeHint_;
            return true;
        }
        if (noegle_ < items_[0] || noegle_ > items_[antal_ - 1])
            return false;
        int32_t lav = 0;
        int32_t hoej = antal_ - 1;
        while (lav <= hoej) {
            const int32_t midt = lav + (hoej - lav) / 2;
            if (items_[midt] < noegle_)
                lav = midt + 1;
            else if (items_[midt] > noegle_)
                hoej = midt - 1;
            else {
                indeks = midt;
                return true;
            }
        }
        return false;
    }

    int32_t markoer_ = 0;
    int32_t antal_ = 0;
    int32_t sidstFundet_ = 0;
    std::vector<T> items_;
    bool sorteret_ = false;
    int32_t soegeHint_ = 0;
    T noegle_;
};
