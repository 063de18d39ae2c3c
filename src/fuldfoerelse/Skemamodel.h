#pragma once

#include "fuldfoerelse/Skemabillede.h"
#include "fuldfoerelse/Ugemaske.h"

#include <compare>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// What the completion minimises, most important first.
struct Maal {
    int32_t manglende = 0;    // hours not placed
    int32_t holdHuller = 0;   // class gap hours
    int32_t laererHuller = 0; // teacher gap hours
    int32_t straf = 0;        // teacher hours away from their wishes
    auto operator<=>(const Maal&) const = default;
};

// The timetables as occupancy bits, one per cell of the week, per class, teacher and room,
// with the demands' lessons as units that can be taken out and put back.
// Lessons of no demand or fixed by the planner stay put; a demand's lesson
// outside the plan's days and hours counts as not placed until it is moved in.
class Skemamodel {
public:
    struct Enhed {
        int32_t krav = -1; // -1: a lesson of no demand
        int32_t hold = -1;
        int32_t laerer = -1;
        int32_t holdFag = -1;
        int32_t lokale = -1;
        int32_t celle = -1; // -1: not placed
        int32_t laengde = 1;
        int32_t blokFelt = 1;
        bool fast = false;
        LektionsData kilde; // a lesson of no demand as it was read
    };

    explicit Skemamodel(const Skemabillede& billede);

    const Skemabillede& Billede() const { return billede_; }
    const std::vector<Enhed>& Enheder() const { return enheder_; }
    const Maal& Status() const { return maal_; }
    // Hours of the demand placed inside the plan.
    int32_t Placeret(int32_t krav) const;
    bool IPlanen(int32_t celle, int32_t laengde) const;
    static Placering PlaceringAf(int32_t celle) { return {celle / maksTimer, celle % maksTimer}; }
    static int32_t CelleAf(Placering p) { return p.kolonne * maksTimer + p.raekke; }
    // The movable units not placed inside the plan.
    std::vector<int32_t> Ledige() const;

    // The cells of the plan where a unit of that length may start.
    const std::vector<int32_t>& Startceller() const { return startceller_; }
    // The rooms a demand may use.
    const std::vector<int32_t>& Lokaler(int32_t krav) const { return lokalerForKrav_[krav]; }
    bool HoldLedigt(int32_t hold, int32_t celle) const;
    // The first reason unit e cannot start at celle in room lokale (-1: any of its rooms).
    Hindring FoersteHindring(int32_t e, int32_t celle, int32_t lokale) const;
    // The unit that holds the resource's cell, or -1.
    int32_t HoldEjer(int32_t hold, int32_t celle) const { return hold_[hold].ejer[celle]; }
    int32_t LaererEjer(int32_t laerer, int32_t celle) const { return laerere_[laerer].ejer[celle]; }
    int32_t LokaleEjer(int32_t lokale, int32_t celle) const { return lokaler_[lokale].ejer[celle]; }
    // A free room of the unit's demand for that start, or -1.
    int32_t LedigtLokale(int32_t e, int32_t celle) const;
    // The placed units in the way of unit e at celle in lokale: false when the
    // rules forbid the start even with every movable unit taken out.
    bool Blokerende(int32_t e, int32_t celle, int32_t lokale, std::vector<int32_t>& ud) const;

    void Saet(int32_t e, int32_t celle, int32_t lokale);
    void Fjern(int32_t e);
    // Puts every unit where the given copy has it.
    void Gendan(const std::vector<Enhed>& enheder);

    // Every placed lesson hour, units unfolded.
    std::vector<LektionsData> Lektioner() const;
    const std::string& HoldNavn(int32_t hold) const { return holdNavne_.navne[hold]; }
    const std::string& LokaleNavn(int32_t lokale) const { return lokaleNavne_.navne[lokale]; }

private:
    // Names of one kind and their indices.
    struct Navne {
        std::vector<std::string> navne;
        std::map<std::string, int32_t> indeks;
        int32_t Find(const std::string& navn) const;
        int32_t Tilfoej(const std::string& navn);
    };
    using Maske = Ugemaske;
    struct Ressource {
        Maske optaget = 0;
        Maske fast = 0; // cells of units that never move
        std::vector<int32_t> ejer = std::vector<int32_t>(maksCeller, -1);
    };
    class Fakta;

    void LaesKrav();
    void LaesLektioner();
    int32_t FindKrav(const LektionsData& l) const;
    bool ErLaast(const LektionsData& l) const;
    void TilfoejManglende();
    static Maske BlokMaske(int32_t celle, int32_t laengde);
    bool FagPaaDagen(int32_t e, int32_t dag, bool kunFaste) const;
    void Tael(int32_t e, int32_t fortegn);
    int32_t Straf(int32_t laerer, int32_t celle, int32_t laengde) const;

    Skemabillede billede_;
    Navne holdNavne_;
    Navne laererNavne_;
    Navne lokaleNavne_;
    Navne holdFagNavne_;
    std::vector<Ressource> hold_;
    std::vector<Ressource> laerere_;
    std::vector<Ressource> lokaler_;
    std::vector<Maske> spaerret_;
    std::vector<std::vector<int32_t>> prioritet_; // per teacher and cell; empty: no priorities
    std::vector<std::vector<int32_t>> fagDag_;    // per class-subject, lessons per day
    std::vector<std::vector<int32_t>> lokalerForKrav_;
    std::vector<int32_t> kravHold_;
    std::vector<int32_t> kravLaerer_;
    std::vector<int32_t> kravHoldFag_;
    std::vector<int32_t> placeret_;
    std::vector<Enhed> enheder_;
    std::vector<int32_t> startceller_;
    Maal maal_;
};
