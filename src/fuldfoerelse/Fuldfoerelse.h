#pragma once

#include "fuldfoerelse/Gennemfoerlighed.h"
#include "fuldfoerelse/Skemabillede.h"
#include "fuldfoerelse/Skemamodel.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct Fuldfoerelsesvalg {
    uint64_t froe = 1;
    // The search ends after this many steps, so the same data give the same result.
    int64_t maksSkridt = 2000000;
    // Steps without a better timetable before the search ends.
    int64_t maksUdenFremskridt = 100000;
    // Steps without a lesson more in place before the placement changes tack:
    // the exact solver places everything anew if it can, otherwise what
    // cannot be placed is set aside and the search works on the rest.
    int64_t maksUdenPlacering = 4000;
    // The exact solver's work, in conflicts (0: never ask it).
    int64_t eksaktGraense = 200000;
    // Set from another thread: the search ends after the step it is in, the exact solver at once.
    const std::atomic<bool>* stop = nullptr;
};

// When the exact solver proves that no complete timetable exists: the
// classes, teachers and rooms whose rules alone already leave an hour out.
struct Umulighed {
    std::vector<std::string> ressourcer;
};

// Places missing hours by moving placed lessons out of the way, then closes
// gaps, on a model of the timetables; see docs/completion.md.
class Fuldfoerelse {
public:
    Fuldfoerelse(const Skemabillede& billede, Fuldfoerelsesvalg valg);

    // Runs up to `skridt` steps, fewer when stopped; false once the search is over.
    bool Koer(int64_t skridt);
    bool Faerdig() const;
    int64_t Skridt() const { return skridt_; }

    const Maal& Foer() const { return foer_; }
    const Maal& Bedste() const { return bedste_; }
    bool Forbedret() const { return bedste_ < foer_; }
    // "Fuldført: placeret 394→400 af 400, mellemtimer hold 1→0, lærere 38→31"
    // (", stoppet efter 60 s" when stopped before its own end).
    std::string Opsummering() const;
    // Stopped by the clock or by hand before the search was over, after this many seconds.
    void Stoppet(double sekunder) { stoppetEfter_ = sekunder; }
    // Every lesson hour of the best timetables found.
    std::vector<LektionsData> BedsteLektioner();
    // Every block of an activity in the best timetables found.
    std::vector<Aktivitetsblok> BedsteAktivitetsblokke();
    const Skemamodel& Model() const { return model_; }
    // Set when the exact solver proved that not every hour can be placed.
    const std::optional<Umulighed>& Bevis() const { return bevis_; }
    // Set before the search when the check finds the plan impossible: its
    // first such finding. The exact solver is then not asked.
    const std::optional<Fund>& Forhaandsfund() const { return forhaandsfund_; }

private:
    // A small seeded sequence of its own, so the generation's is never touched.
    class Tilfaeldig {
    public:
        explicit Tilfaeldig(uint64_t froe) : tilstand_(froe) {}
        uint64_t Naeste();
        int32_t Under(size_t n) { return static_cast<int32_t>(Naeste() % n); }

    private:
        uint64_t tilstand_;
    };

    void Trin();
    void Husk();
    void Indsaet(int32_t e);
    bool IndsaetDirekte(int32_t e);
    bool IndsaetMedUdskubning(int32_t e);
    bool PlacerEksakt();
    void LaegTilSide();
    void DelDobbelte();
    void ProevDeLagteTilSide();
    void Forbedr();
    void Flyt(int32_t e);
    void Byt(int32_t e);
    void Kaede(int32_t e);
    void GenopbygDag();
    // Lessons with the places they had before a tried change.
    using Pladser = std::vector<std::pair<int32_t, Skemamodel::Plads>>;
    void LaegTilbage(const std::vector<int32_t>& sat, const Pladser& gamle);
    bool KanFlyttes(int32_t e) const;
    void Tabu(int32_t e);

    Skemamodel model_;
    Tilfaeldig tilfaeldig_;
    Fuldfoerelsesvalg valg_;
    std::vector<int32_t> pulje_;
    std::vector<int32_t> tilSide_; // units set aside: they could not be placed
    std::vector<int64_t> tabuTil_;
    std::vector<Skemamodel::Plads> bedstePladser_;
    std::vector<int32_t> blokerende_;
    Maal foer_;
    Maal bedste_;
    int64_t skridt_ = 0;
    int64_t sidstForbedret_ = 0;
    int64_t sidstPlaceret_ = 0;
    int32_t faerrestManglende_ = 0;
    int32_t delteDobbelte_ = 0;
    bool eksaktSpurgt_ = false;
    bool lagtTilSide_ = false;
    // The hours still missing are shown to be as few as can be: the check or
    // the exact solver proved it, or the solver placed every lesson it could.
    bool afgjort_ = false;
    std::optional<Umulighed> bevis_;
    std::optional<Fund> forhaandsfund_;
    std::optional<double> stoppetEfter_;
};
