#pragma once

#include "fuldfoerelse/Skemabillede.h"
#include "fuldfoerelse/Ugemaske.h"
#include "regler/Tidsregler.h"

#include <array>
#include <compare>
#include <cstdint>
#include <map>
#include <optional>
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

// The timetables as occupancy bits, one per cell of the week, for every
// class's student units (a class without divisions is one), teacher and room
// (the resources), with the demands' lessons and the activities' blocks as
// units that can be taken out and put back. A unit occupies its student units
// and teachers, and one room for each of its room demands. Lessons of no
// demand or fixed by the planner stay put; a demand's lesson outside the
// plan's days and hours counts as not placed until it is moved in.
class Skemamodel {
public:
    enum class Art : uint8_t { hold, laerer, lokale };

    // A demand as the model places it: a lesson demand, or after them the activities.
    struct Krav {
        std::vector<int32_t> folk;                    // the student units and teachers of every unit
        std::vector<std::vector<int32_t>> lokalevalg; // per room demand: the rooms it may use
        int32_t spredNoegle = -1;                     // the class's subject, for the spreading rule
        int32_t timer = 0;                            // hours a week
        int32_t blok = 1;                             // 2: taught as double lessons
        bool ingenLaerer = false;
        int32_t aktivitet = -1; // the activity's place in the plan's list; -1: a lesson demand
    };
    struct Enhed {
        int32_t krav = -1; // -1: a lesson of no demand
        std::vector<int32_t> folk;
        std::vector<int32_t> lokaler; // the room of each room demand
        int32_t spredNoegle = -1;
        int32_t celle = -1; // -1: not placed
        int32_t laengde = 1;
        int32_t blokFelt = 1;
        bool fast = false;
        LektionsData kilde;     // a lesson of no demand as it was read
        int32_t kildeBlok = -1; // an activity's block beyond its hours, kept as read
    };
    // Where a unit stands: enough to put the timetables back.
    struct Plads {
        int32_t celle = -1;
        std::vector<int32_t> lokaler;
        bool operator==(const Plads&) const = default;
    };

    explicit Skemamodel(const Skemabillede& billede);

    const Skemabillede& Billede() const { return billede_; }
    const std::vector<Krav>& Kravene() const { return krav_; }
    const std::vector<Enhed>& Enheder() const { return enheder_; }
    const Maal& Status() const { return maal_; }
    // Hours of the demand placed inside the plan.
    int32_t Placeret(int32_t krav) const { return placeret_[krav]; }
    bool IPlanen(int32_t celle, int32_t laengde) const;
    static Placering PlaceringAf(int32_t celle) { return {celle / maksTimer, celle % maksTimer}; }
    static int32_t CelleAf(Placering p) { return p.kolonne * maksTimer + p.raekke; }
    // The movable units not placed inside the plan.
    std::vector<int32_t> Ledige() const;
    // The cells of the plan where a unit may start.
    const std::vector<int32_t>& Startceller() const { return startceller_; }
    // The cells where movable unit e may start by the rules about it alone.
    const std::vector<int32_t>& Starter(int32_t e) const { return starter_[e]; }

    // Spreading keys: a class's subject, its weekly hours, the day's rule and
    // the hours that lessons never moving hold on each day.
    int32_t AntalSpredNoegler() const { return static_cast<int32_t>(noegler_.size()); }
    const std::string& NoegleNavn(int32_t k) const { return noegler_[k].navn; }
    Dagsregel DagsregelAf(int32_t k) const;
    Dagsmasker FasteFagtimer(int32_t k) const { return fagTimerFast_[k]; }

    // Resources: classes, teachers and rooms in one numbering.
    int32_t AntalRessourcer() const { return static_cast<int32_t>(ressourcer_.size()); }
    Art ArtAf(int32_t r) const { return ressourcer_[r].art; }
    const std::string& Navn(int32_t r) const { return ressourcer_[r].navn; }
    // The unit in that cell of the resource, or -1.
    int32_t Ejer(int32_t r, int32_t celle) const { return ressourcer_[r].ejer[celle]; }
    // Taken whatever moves: units that never move, a room's closed hours.
    Ugemaske FastOptaget(int32_t r) const { return ressourcer_[r].fast | ressourcer_[r].lukket; }
    // The classes of unit e are all free at the cell.
    bool HoldLedigt(int32_t e, int32_t celle) const;

    // The first reason unit e cannot start at celle, in the given rooms (one
    // per room demand) or, without rooms, in any free ones.
    Hindring FoersteHindring(int32_t e, int32_t celle, const std::vector<int32_t>* lokaler = nullptr) const;
    // Unit e as the planner's rules name it: its class, teachers, rooms and subject.
    planregler::Blok RegelBlok(int32_t e) const;
    // Free rooms for each room demand of unit e at that start, or nothing.
    std::optional<std::vector<int32_t>> LedigeLokaler(int32_t e, int32_t celle) const;
    // The choices of rooms unit e has, one room per demand (a bounded number).
    std::vector<std::vector<int32_t>> Lokalemuligheder(int32_t e) const;
    // The placed units in the way of unit e at celle in lokaler: false when the
    // rules forbid the start even with every movable unit taken out.
    bool Blokerende(int32_t e, int32_t celle, const std::vector<int32_t>& lokaler, std::vector<int32_t>& ud) const;

    // Takes out every movable unit standing where the planner's rules forbid
    // it (a lesson generated in a break, in a closed room): its hours are missing again.
    void FjernRegelbrud();

    // Makes the unplaced double lesson e two single hours: e and the unit it returns.
    int32_t DelDobbelt(int32_t e);

    void Saet(int32_t e, int32_t celle, const std::vector<int32_t>& lokaler);
    void Fjern(int32_t e);
    std::vector<Plads> Pladser() const;
    // Puts every unit where the given places have it.
    void Gendan(const std::vector<Plads>& pladser);

    // Every placed lesson hour, units unfolded.
    std::vector<LektionsData> Lektioner() const;
    // Every placed block of an activity, its rooms by name.
    std::vector<Aktivitetsblok> Aktivitetsblokke() const;
    // The activity the unit is a block of, or nullptr for a lesson.
    const Aktivitet* AktivitetAf(int32_t e) const;

private:
    struct Ressource {
        Art art = Art::hold;
        std::string navn;
        Ugemaske optaget = 0;
        Ugemaske fast = 0;              // cells of units that never move
        Ugemaske spaerret = 0;          // cells the resource cannot be used (a teacher's -3)
        Ugemaske lukket = 0;            // cells the planner's rules close a room
        std::vector<int32_t> prioritet; // per cell; empty: no wishes
        std::vector<int32_t> ejer = std::vector<int32_t>(maksCeller, -1);
        int32_t klasse = -1; // a student unit's class
    };
    // A class's student units and the cells any of them is taught: its gaps.
    struct Klasse {
        std::vector<int32_t> enheder;
        Ugemaske optaget = 0;
    };
    class Fakta;

    int32_t TilfoejRessource(Art art, const std::string& navn);
    int32_t FindRessource(Art art, const std::string& navn) const;
    const std::vector<int32_t>& HoldEnheder(const std::string& hold);
    std::vector<int32_t> AktivitetensFolk(const Aktivitet& aktivitet);
    int32_t SpredNoegle(const std::string& hold, const std::string& fag);
    int32_t TilfoejNoegle(const std::string& noegle, const std::string& navn);
    void FindStarter(int32_t e);
    void LukLokaler();
    void LaesPrioriteter();
    void LaesKrav();
    void LaesAktiviteter();
    void LaesLektioner();
    void LaesAktivitetsblokke();
    int32_t FindKrav(const LektionsData& l) const;
    bool ErLaast(const LektionsData& l) const;
    void TilfoejManglende();
    static Ugemaske BlokMaske(int32_t celle, int32_t laengde);
    uint32_t FagetsTimer(int32_t e, int32_t dag, bool kunFaste) const;
    void Tael(int32_t e, int32_t fortegn);
    void TaelRessource(int32_t r, int32_t e, Ugemaske maske, int32_t fortegn);
    void TaelHoldHuller(const Enhed& enhed, int32_t fortegn);

    Skemabillede billede_;
    std::vector<Ressource> ressourcer_;
    std::map<std::string, int32_t> ressourceIndeks_;
    std::map<std::string, int32_t> klasseIndeks_;
    std::vector<Klasse> klasser_;
    struct Noegle {
        std::string navn; // "7.a Dansk", or an activity's "7.a Tysk, 7.b Idræt"
        int32_t ugetimer = 0;
    };
    std::map<std::string, int32_t> spredNoegler_;
    std::vector<Noegle> noegler_;
    // Per spreading key and day, the hours its units hold (and those that never move).
    std::vector<Dagsmasker> fagTimer_;
    std::vector<Dagsmasker> fagTimerFast_;
    std::vector<Krav> krav_;
    std::vector<int32_t> placeret_;
    std::vector<Enhed> enheder_;
    std::vector<int32_t> startceller_;
    std::vector<std::vector<int32_t>> starter_; // per unit
    std::vector<Dagsmasker> regelStarter_;      // per unit: the starts the planner's rules leave
    Maal maal_;
};
