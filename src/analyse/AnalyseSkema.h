#pragma once

#include "base/Besked.h"
#include "store/Lektion.h"
#include "store/SkemaArt.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

class Portal;

// Code map of the week for one lesson demand: hour by hour it records which
// of the demand's class, teacher and room are busy, where the demand may go
// and where it is placed. The repair operations move other lessons in the
// timetables (only through Portal) and keep the map in step with each move.
//
// Cell codes: busy class 1, teacher 2, room 7, and their sums 3, 8, 9, 10;
// 4 candidate, 5 an hour of this demand, 6 free but not a candidate, and -1
// (double-lesson copy only) a pair of hours that cannot move as one block.
class AnalyseSkema {
public:
    enum class PresArt { Flet, Flyt };

    AnalyseSkema(Portal& portal, std::string hold, std::string fag, std::string laerer, std::string lokale,
                 int32_t blok, int32_t maal, int32_t dage, int32_t timer);
    AnalyseSkema& operator=(const AnalyseSkema&) = delete;

    // A copy of this map in which every cell stands for the pair of hours
    // starting there; its moves are mirrored into this map.
    std::unique_ptr<AnalyseSkema> DobbeltKopi();

    void ByggKort2();
    void ByggKort3();
    void MarkerEksisterende();
    void SpaerDageMedFag();
    void VaelgEnkeltPladser();
    void VaelgDobbeltPladser();
    void MarkerUgyldige(AnalyseSkema& kildeKort);

    // Places the demand at the candidates, earliest hour of all days first;
    // adds one to antalLagt per hour. True when all maal hours are placed.
    bool LaegLektioner(int32_t& antalLagt);

    void PresOp();
    void FlytFemFeltOp();
    void Pres(PresArt art, int32_t blokKode);
    bool Flet(int32_t blokKode, int32_t k, int32_t r);
    // -1 as an excluded column or row excludes nothing.
    bool FlytTilSeks(int32_t blokKode, int32_t k, int32_t r, int32_t udeladtKolonne, int32_t udeladtRaekke);
    bool FrigoerFelt(int32_t k, int32_t r);
    bool SkabFrieLektioner();
    bool SkabFrieDobbeltLektioner();
    // Moves, in the timetables, the block that the code stands for.
    bool FlytBlok(int32_t blokKode, Placering fra, Placering til);

    int32_t TaelKode(int32_t soeg) const;
    // Scans forward, column by column and row by row, from (k, r).
    bool FindNaeste(int32_t soeg, int32_t& k, int32_t& r) const;
    // Scans day k from row r down the day.
    bool FindIRaekke(int32_t soeg, int32_t k, int32_t& r) const;
    void ErstatIRaekke(int32_t fra, int32_t til, int32_t k, int32_t startRaekke);
    // Both hours of the pair starting at (k, r) in the source map get the code.
    void Spejl(int32_t ny, int32_t k, int32_t r);

    // Changes one cell; in the double-lesson copy the change is mirrored.
    void SaetKode(int32_t k, int32_t r, int32_t ny);
    int32_t Kode(int32_t k, int32_t r) const { return kode[k][r]; }
    int32_t Dage() const { return dage; }
    int32_t Timer() const { return timer; }
    int32_t Blok() const { return blok; }
    void SaetBlok(int32_t nyBlok) { blok = nyBlok; }
    int32_t Maal() const { return maal; }
    int32_t Placeret() const { return placeret; }
    int32_t Fundne() const { return fundne; }
    int32_t Fase() const { return fase; }

private:
    // The class, teacher and room timetables a block code stands for.
    struct SkemaRef {
        const std::string* id;
        SkemaArt art;
    };
    struct SkemaSaet {
        std::array<SkemaRef, 3> skemaer;
        int32_t antal = 0;
    };

    AnalyseSkema(const AnalyseSkema&) = default;

    bool Brugt(int32_t k, int32_t r) const;
    bool DagHar(int32_t k, int32_t soeg) const;
    void ByggKort(bool medLokale);
    bool LaererOptaget(int32_t k, int32_t r);
    bool Optaget(const std::string& id, SkemaArt art, int32_t k, int32_t r);
    bool KanLaegges(int32_t k, int32_t r);
    void MarkerFag(int32_t soeg);
    bool ErGyldigDobbeltBlok(const AnalyseSkema& kildeKort, int32_t k, int32_t r);
    SkemaSaet Skemaer(int32_t blokKode) const;
    std::span<const int32_t> Koderaekke() const;
    bool KanFlettes(int32_t blokKode, int32_t maalKode, bool ogsaaSeks) const;
    bool FletBlok(int32_t blokKode, Placering fra, Placering til, bool ogsaaSeks);
    bool FlytTilFri(int32_t blokKode, Placering fra, Placering til);
    bool PresBlok(PresArt art, int32_t blokKode, Placering fra);
    bool FrigoerFoersteFelt(int32_t blokKode, int32_t k);
    bool FlytNabo(int32_t k, int32_t nabo, int32_t seksRaekke);

    int32_t kode[maksDage][maksTimer];
    int32_t dage;
    int32_t timer;
    std::string hold;
    std::string laerer;
    std::string lokale;
    std::string fag;
    int32_t blok;
    int32_t maal;
    int32_t placeret = 0;
    int32_t fundne = 0;
    // Row c - 1: n, then the n - 1 codes a block of code c may be merged into.
    int32_t flettetabel[11][4] = {};
    int32_t fase = 0;
    int32_t koderaekkefoelge[7] = {10, 9, 8, 7, 3, 1, 2};
    AnalyseSkema* kilde = nullptr;
    Portal& portal;
    Besked besked;
};
