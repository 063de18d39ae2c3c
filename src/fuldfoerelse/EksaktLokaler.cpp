#include "fuldfoerelse/EksaktLokaler.h"

#include <algorithm>
#include <array>
#include <map>
#include <numeric>

namespace {

constexpr int32_t dagensMaksTimer = 32;
// Enough for every school we have seen by orders of magnitude; past it the answer is ukendt.
constexpr int64_t maksSkridt = 200000;

Dagtimer Timer(const Lokaleblok& b) { return ((Dagtimer{1} << b.laengde) - 1) << b.time; }

// Rooms free in the same hours are interchangeable: within such a group,
// blocks taken in order of their start always fit while no hour holds more
// blocks than the group has rooms. So only the group of each block of two or
// more hours is searched; single hours go wherever a room is free.
class Fordeler {
public:
    Fordeler(const std::vector<Dagtimer>& ledige, const std::vector<Lokaleblok>& blokke)
        : ledige_(ledige), blokke_(blokke)
    {
        std::map<Dagtimer, int32_t> gruppeAf;
        for (size_t r = 0; r < ledige.size(); ++r) {
            const auto [plads, ny] = gruppeAf.try_emplace(ledige[r], static_cast<int32_t>(grupper_.size()));
            if (ny)
                grupper_.push_back({ledige[r], {}, {}});
            grupper_[plads->second].rum.push_back(static_cast<int32_t>(r));
        }
        for (size_t b = 0; b < blokke.size(); ++b)
            if (blokke[b].laengde > 1)
                lange_.push_back(static_cast<int32_t>(b));
        std::stable_sort(lange_.begin(), lange_.end(),
                         [&](int32_t a, int32_t b) { return blokke[a].time < blokke[b].time; });
        gruppe_.assign(blokke.size(), -1);
    }

    Fordeling Koer(std::vector<int32_t>& rum)
    {
        if (!Soeg(0))
            return skridt_ > maksSkridt ? Fordeling::ukendt : Fordeling::umulig;
        GivRum(rum);
        return Fordeling::fundet;
    }

private:
    struct Gruppe {
        Dagtimer ledige;
        std::vector<int32_t> rum;
        std::array<int32_t, dagensMaksTimer> brugt;
    };

    bool Soeg(size_t i)
    {
        if (++skridt_ > maksSkridt)
            return false;
        if (i == lange_.size())
            return EnkelteFaarPlads();
        const Lokaleblok& blok = blokke_[lange_[i]];
        for (size_t g = 0; g < grupper_.size(); ++g) {
            if (!Rummer(grupper_[g], blok))
                continue;
            Tael(grupper_[g], blok, 1);
            gruppe_[lange_[i]] = static_cast<int32_t>(g);
            if (Soeg(i + 1))
                return true;
            Tael(grupper_[g], blok, -1);
            if (skridt_ > maksSkridt)
                return false;
        }
        return false;
    }

    static bool Rummer(const Gruppe& g, const Lokaleblok& blok)
    {
        if ((g.ledige & Timer(blok)) != Timer(blok))
            return false;
        for (int32_t t = blok.time; t < blok.time + blok.laengde; ++t)
            if (g.brugt[t] == static_cast<int32_t>(g.rum.size()))
                return false;
        return true;
    }

    static void Tael(Gruppe& g, const Lokaleblok& blok, int32_t fortegn)
    {
        for (int32_t t = blok.time; t < blok.time + blok.laengde; ++t)
            g.brugt[t] += fortegn;
    }

    bool EnkelteFaarPlads() const
    {
        std::array<int32_t, dagensMaksTimer> enkelte{};
        for (const Lokaleblok& b : blokke_)
            if (b.laengde == 1)
                ++enkelte[b.time];
        for (int32_t t = 0; t < dagensMaksTimer; ++t) {
            int32_t frie = 0;
            for (const Gruppe& g : grupper_)
                if ((g.ledige >> t) & 1)
                    frie += static_cast<int32_t>(g.rum.size()) - g.brugt[t];
            if (enkelte[t] > frie)
                return false;
        }
        return true;
    }

    // The long blocks in start order to the first room of their group that is
    // free, then every single hour to the first room still free.
    void GivRum(std::vector<int32_t>& rum) const
    {
        rum.assign(blokke_.size(), -1);
        std::vector<Dagtimer> taget(ledige_.size(), 0);
        const auto tag = [&](int32_t b, const std::vector<int32_t>& kandidater) {
            for (const int32_t r : kandidater)
                if ((ledige_[r] & ~taget[r] & Timer(blokke_[b])) == Timer(blokke_[b])) {
                    taget[r] |= Timer(blokke_[b]);
                    rum[b] = r;
                    return;
                }
        };
        for (const int32_t b : lange_)
            tag(b, grupper_[gruppe_[b]].rum);
        std::vector<int32_t> alle(ledige_.size());
        std::iota(alle.begin(), alle.end(), 0);
        for (size_t b = 0; b < blokke_.size(); ++b)
            if (blokke_[b].laengde == 1)
                tag(static_cast<int32_t>(b), alle);
    }

    const std::vector<Dagtimer>& ledige_;
    const std::vector<Lokaleblok>& blokke_;
    std::vector<Gruppe> grupper_;
    std::vector<int32_t> lange_;
    std::vector<int32_t> gruppe_;
    int64_t skridt_ = 0;
};

} // namespace

Fordeling FordelLokaler(const std::vector<Dagtimer>& ledige, const std::vector<Lokaleblok>& blokke,
                        std::vector<int32_t>& rum)
{
    return Fordeler(ledige, blokke).Koer(rum);
}
