#pragma once

#include "engine/Data.h"
#include "engine/Klyngeliste.h"

#include "base/Besked.h"
#include "db/SqlKlasse.h"
#include "store/Stack.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

class Portal;

// The planning facts of the open plan in nine cluster lists, and the
// bookkeeping the generator runs on them: weights, the next lesson, room
// choice, placed hours, and the completion of home rooms and teachers.
//
// Lists (number: one record per):
//  1 class    tekst[0] id; heltal[0] hours required, [1] placed; decimaltal[0] tightness
//  2 subject  tekst[0] id, [1] room type; heltal[0] weekly hours, [1] classes
//  3 teacher  tekst[0] id; heltal[0] hours assigned, [1] placed + blocked; decimaltal[0] tightness
//  4 room type (not home room) tekst[0]; heltal[0] rooms, [1] hours needed, [2] hours occupied;
//             decimaltal[0] tightness
//  5 room     tekst[0] id, [1] type; heltal[0] expected hours, [1] placed; decimaltal[0] tightness;
//             ben[0] its type
//  6 lesson   tekst[0..4] class, subject, teacher, room type, room; heltal[0] block size,
//             [1] hours placed, [2] times handed out; decimaltal[0] subject tightness, [1] weight;
//             ben[0..4] class, subject, teacher, room type, room
//  7 class -> home room, 8 class + subject -> teacher, 9 teacher + subject -> classes left
//
// Lesson list part 'b' (0 ... graense-1) needs a special room; part 's'
// (graense ... antal-1) is taught in the class's home room.
class KontrolListe {
public:
    static constexpr int32_t antalLister = 9;
    enum ListeNr : int32_t {
        holdListe = 1,
        fagListe,
        laererListe,
        lokaletypeListe,
        lokaleListe,
        laeggeListe,
        holdLokaleListe,
        holdLaererListe,
        fagprofilListe,
    };
    // The links of a lesson.
    enum Ben : int32_t { benHold, benFag, benLaerer, benLokaletype, benLokale };

    // A query of one list: the statement with its bound values, or a file name.
    struct Forespoergsel {
        std::string tekst;
        SqlParametre parametre;
    };

    KontrolListe(Portal* portal, SqlKlasse* sql, char tilstand, int32_t dage, int32_t timer, std::string planId,
                 std::string tffId);
    ~KontrolListe();
    KontrolListe(const KontrolListe&) = delete;
    KontrolListe& operator=(const KontrolListe&) = delete;

    // Empties list n (1 ... 9) and reads its rows. False when the list filled
    // up and rows had to be turned away.
    bool IndlaesListe(int32_t n);
    // n is a list number, or 40 for the second query of list 4.
    Forespoergsel ListeForespoergsel(int32_t n) const;
    // While set, the lessons take completed home rooms and teachers from
    // lists 7 and 8 in memory, as the database would hold them if written.
    void SaetSkrivebeskyttet(bool skrivebeskyttet);

    bool TildelStamlokaler();
    bool TildelLaerere();
    bool GemListe(int32_t n);

    bool KlargoerLaeggeliste();
    void StartDel(char del);
    void OpdaterTimer(int32_t art, char del);
    void BeregnVaegte(int32_t art, char del);
    void SorterLaeggeliste(char del);
    bool NaesteLektion(std::string& hold, std::string& fag, std::string& laerer, std::string& lokaleType,
                       std::string& lokale, int32_t& blok, char del, int32_t& rest);
    bool VaelgLokale(const std::string& lokaleType, std::string& lokale);
    void RegistrerPlacering(int32_t antal, char del);
    void SaetMaksForsoeg(int32_t antal);

    stack<std::string>* NavneStak(char art);
    bool FyldNavne(stack<std::string>& navne, char art);
    int32_t TimerFor(const std::string& id, char art);
    int32_t SumTimer();
    void Ryd(int32_t n);

    // List n (1 ... 9).
    Klyngeliste<data>& Liste(int32_t n);
    const std::string& ListeNavn(int32_t n) const;
    int32_t Graense() const { return graense; }

private:
    enum class Raekke { ingen, ny, overfloedig };

    // The id field (tekst[0]) every list is looked up by, and the orders of SorterDel.
    static constexpr int32_t feltId = 1;
    static constexpr int32_t stigende = 0;
    static constexpr int32_t faldende = 1;

    static bool ErDel(char del);
    int32_t DelStart(char del) const;
    int32_t DelSlut(char del) const;
    template <typename Handling>
    void ForHverLektion(char del, Handling handling);
    void OpdaterLokaletyper();
    void BeregnVaegt(data& lektion, char del) const;
    Klyngeliste<data>* NavneListe(char art);

    void SorterOpslagslister(int32_t n);
    bool AabnForespoergsel(int32_t n);
    bool IndlaesRaekker(int32_t n);
    bool IndlaesLokaletyper();
    void SaetLokaletypeTimer();
    bool LaesKolonner(int32_t n);
    Raekke LaesRaekke(int32_t n);
    void UdledLokale();
    Raekke UdledLektion(int32_t foersteNye);
    bool UdfyldFraRelationer(std::array<std::string, 5>& tekster);
    bool FindesAllerede(int32_t fra, int32_t til, const std::array<std::string, 5>& tekster) const;
    bool SkrivRelationer(int32_t n);

    int32_t graense = 0;
    int32_t ugeTimer = 40;
    int32_t indeks = 0;
    char tilstand;
    std::array<Klyngeliste<data>, antalLister> lister;
    data kladde;
    data* aktuel = nullptr;
    SqlKlasse* sql;
    std::array<std::string, antalLister> listeNavn;
    Portal* portal;
    std::string planId;
    std::string tffId;
    std::string stamlokale = "Stamlokale";
    std::unique_ptr<stack<std::string>> holdNavne;
    std::unique_ptr<stack<std::string>> laererNavne;
    std::unique_ptr<stack<std::string>> lokaleNavne;
    int32_t maksForsoeg = 4;
    bool skrivebeskyttet = false;
    Besked besked;
};
