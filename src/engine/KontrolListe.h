#pragma once

#include "engine/Data.h"
#include "engine/Del.h"
#include "engine/Klyngeliste.h"

#include "base/Besked.h"
#include "db/SqlKlasse.h"
#include "store/SkemaArt.h"
#include "store/Stack.h"

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

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
// Lesson list part Del::saerlokale is 0 ... graense-1, part Del::stamlokale
// graense ... antal-1.
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
    // The links of a lesson, and the list each of them points into.
    enum Ben : int32_t { benHold, benFag, benLaerer, benLokaletype, benLokale };
    static constexpr std::array<ListeNr, 5> benLister{holdListe, fagListe, laererListe, lokaletypeListe, lokaleListe};

    // A query of one list: the statement with its bound values, or a file name.
    struct Forespoergsel {
        std::string tekst;
        SqlParametre parametre;
    };

    KontrolListe(Portal* portal, SqlKlasse* sql, Datakilde tilstand, int32_t dage, int32_t timer, std::string planId,
                 std::string tffId);
    ~KontrolListe();
    KontrolListe(const KontrolListe&) = delete;
    KontrolListe& operator=(const KontrolListe&) = delete;

    // The second query of the room types: the hours their subjects need.
    static constexpr int32_t andenLokaletypeForespoergsel = 40;

    // Empties list n and reads its rows.
    void IndlaesListe(ListeNr n);
    // n is a list number or andenLokaletypeForespoergsel.
    Forespoergsel ListeForespoergsel(int32_t n) const;
    // While set, the lessons take completed home rooms and teachers from
    // lists 7 and 8 in memory, as the database would hold them if written.
    void SaetSkrivebeskyttet(bool skrivebeskyttet);

    bool TildelStamlokaler();
    bool TildelLaerere();
    bool GemListe(ListeNr n);

    bool KlargoerLaeggeliste();
    void StartDel(Del del);
    void OpdaterTimer(ListeNr art, Del del);
    void BeregnVaegte(ListeNr art, Del del);
    void SorterLaeggeliste(Del del);
    bool NaesteLektion(std::string& hold, std::string& fag, std::string& laerer, std::string& lokaleType,
                       std::string& lokale, int32_t& blok, Del del, int32_t& rest);
    bool VaelgLokale(const std::string& lokaleType, std::string& lokale);
    void RegistrerPlacering(int32_t antal, Del del);
    void SaetMaksForsoeg(int32_t antal);

    stack<std::string> NavneStak(SkemaArt art);
    bool FyldNavne(stack<std::string>& navne, SkemaArt art);
    int32_t TimerFor(const std::string& id, SkemaArt art);
    int32_t SumTimer();
    void Ryd(ListeNr n);

    Klyngeliste<data>& Liste(ListeNr n);
    const std::string& ListeNavn(ListeNr n) const;
    int32_t Graense() const { return graense; }

private:
    enum class Raekke { ingen, ny, overfloedig };

    // The id field (tekst[0]) every list is looked up by, and the orders of SorterDel.
    static constexpr int32_t feltId = 1;
    static constexpr int32_t stigende = 0;
    static constexpr int32_t faldende = 1;
    // The list that holds the ids of each kind of timetable.
    static constexpr PrSkemaArt<ListeNr> navneListe{{holdListe, laererListe, lokaleListe}};

    int32_t DelStart(Del del) const;
    int32_t DelSlut(Del del) const;
    template <typename Handling>
    void ForHverLektion(Del del, Handling handling);
    void OpdaterLokaletyper();
    void BeregnVaegt(data& lektion, Del del) const;

    void SorterOpslagslister(ListeNr n);
    void TilfoejHoldUdenStamlokaleraekke();
    bool AabnForespoergsel(int32_t n);
    void IndlaesRaekker(ListeNr n);
    void IndlaesLokaletyper();
    void SaetLokaletypeTimer();
    bool LaesKolonner(ListeNr n);
    Raekke LaesRaekke(ListeNr n);
    void UdledLokale();
    Raekke UdledLektion(int32_t foersteNye);
    bool UdfyldFraRelationer(std::array<std::string, 5>& tekster);
    bool FindesAllerede(int32_t fra, int32_t til, const std::array<std::string, 5>& tekster) const;
    bool SkrivRelationer(ListeNr n);
    void MeldUdaekkede(const std::vector<std::string>& udaekkede);
    static void TraekTildelteFra(Klyngeliste<data>& profiler, const Klyngeliste<data>& relationer,
                                 int32_t foersteTildelte);

    static int32_t UgeTimer(int32_t dage, int32_t timer);

    int32_t graense = 0;
    int32_t ugeTimer;
    int32_t indeks = 0;
    Datakilde tilstand;
    std::array<Klyngeliste<data>, antalLister> lister;
    data kladde;
    data* aktuel = nullptr;
    SqlKlasse* sql;
    std::array<std::string, antalLister> listeNavn;
    Portal* portal;
    std::string planId;
    std::string tffId;
    int32_t maksForsoeg = 4;
    bool skrivebeskyttet = false;
    // Classes of list 7 with no stored home-room row: saving inserts theirs.
    std::set<std::string> udenStamlokaleraekke;
    Besked besked;
};
