// Loading the nine planning lists from the database or from text files.
#include "engine/KontrolListe.h"

#include "skoledata/GemteVaerdier.h"
#include "store/Lektion.h"

#include <vector>

namespace {

constexpr int32_t feltStamlokale = 2; // tekst[1] of list 7

// One column of a result and the record field (1 ... 9) it fills.
struct Kolonne {
    const char* navn;
    int32_t felt;
};

const std::vector<Kolonne>& kolonner(int32_t n)
{
    static const std::vector<Kolonne> tabel[KontrolListe::antalLister] = {
        {{"HoldID", 1}, {"AntalTimer", 6}},
        {{"FagID", 1}, {"Lokaletype", 2}, {"Timer", 6}, {"Hold", 7}},
        {{"LaererID", 1}, {"Timer", 6}},
        {{"LokaleType", 1}, {"Antal_Lokaler", 6}},
        {{"LokaleID", 1}, {"LokaleType", 2}},
        {{"HoldID", 1}, {"FagID", 2}, {"LaererID", 3}, {"LokaleType", 4}, {"LokaleID", 5}, {"Bloksize", 6}},
        {{"HoldID", 1}, {"LokaleID", 2}},
        {{"HoldID", 1}, {"FagID", 2}, {"LaererID", 3}},
        {{"LaererID", 1}, {"FagID", 2}, {"AntalHold", 6}},
    };
    return tabel[n - 1];
}

const char* filnavn(int32_t n)
{
    switch (n) {
    case KontrolListe::holdListe:
        return "HoldListe.txt";
    case KontrolListe::fagListe:
        return "FagListe.txt";
    case KontrolListe::laererListe:
        return "LaererListe.txt";
    case KontrolListe::lokaletypeListe:
        return "LokaleTypeListe1.txt";
    case KontrolListe::andenLokaletypeForespoergsel:
        return "LokaleTypeListe2.txt";
    case KontrolListe::lokaleListe:
        return "LokaleListe.txt";
    case KontrolListe::laeggeListe:
        return "LaeggeListe.txt";
    case KontrolListe::holdLokaleListe:
        return "LokaleHoldRelationListe.txt";
    case KontrolListe::holdLaererListe:
        return "HoldLaererRelationListe.txt";
    case KontrolListe::fagprofilListe:
        return "LaererFagProfil.txt";
    default:
        return "";
    }
}

// Rows whose numbers break the school-data rules are left out (opening the plan names them).
std::string FagetOverholder() { return gemteVaerdier::Overholdes("Fag") + " AND "; }

std::string ProfilenOverholder() { return gemteVaerdier::Overholdes("LaererFagProfil") + " AND "; }

} // namespace

// Every query ends in a total order, so that equal sort keys reach the lists
// in the same order on any database engine.
KontrolListe::Forespoergsel KontrolListe::ListeForespoergsel(int32_t n) const
{
    if (tilstand != Datakilde::database)
        return {filnavn(n), {}};
    switch (n) {
    case holdListe:
        return {"SELECT HoldID_AHo AS HoldID, SUM(Timer_AFa) AS AntalTimer "
                "FROM Hold, Holdliste, Fag, Fagprofil WHERE " +
                    FagetOverholder() +
                    "Hold_THo = HoldID_AHo AND FagID_Fp = FagID_Afa AND "
                    "Type_AHo = Type_FP And timefagfordelingID_THo = ? "
                    "GROUP BY HoldID_AHo ORDER BY HoldID_AHo",
                {tffId}};
    case fagListe:
        return {"SELECT DISTINCT FagID_Afa AS FagID, Lokaletype_Afa AS Lokaletype, "
                "Timer_AFa AS Timer, AntalHold_LFP AS Hold FROM Fag, Fagliste, LaererFagProfil WHERE " +
                    FagetOverholder() + ProfilenOverholder() +
                    "TimeFagFordelingID_LFP = ? AND FagID_TFa = FagID_AFa AND "
                    "FagID_TFa = FagID_LFP "
                    "ORDER BY FagID_AFa, Lokaletype_AFa, Timer_AFa, AntalHold_LFP",
                {tffId}};
    case laererListe:
        return {"SELECT LaererID_HLR AS LaererID, SUM(Timer_AFa) AS Timer "
                "FROM HoldLaererRelation, Fag WHERE " +
                    FagetOverholder() +
                    "PlanID_HLR = ? "
                    "AND FagID_HLR = FagID_AFa "
                    "GROUP BY LaererID_HLR ORDER BY LaererID_HLR",
                {planId}};
    case lokaletypeListe:
        return {"SELECT\tLokaletype_ALo AS LokaleType, COUNT(Lokaletype_ALo) AS Antal_Lokaler "
                "FROM Lokale, LokalePlan "
                "WHERE Lokaletype_ALo != ? And "
                "LokaleID_ALo = LokaleID_LP And PlanID_LP = ? "
                "GROUP BY Lokaletype_ALo ORDER BY Lokaletype_ALo",
                {stamlokaleType, planId}};
    case andenLokaletypeForespoergsel:
        return {"SELECT\tLokaletype_AFa AS LokaleType, SUM(Timer_AFa) AS Antal_Timer "
                "FROM Fag, HoldLaererRelation WHERE " +
                    FagetOverholder() +
                    "Lokaletype_AFa != ? AND "
                    "FagID_HLR = FagID_AFa And PlanID_HLR = ? "
                    "GROUP BY Lokaletype_AFa ORDER BY Lokaletype_AFa",
                {stamlokaleType, planId}};
    case lokaleListe:
        return {"SELECT LokaleID_LP as LokaleID, Lokaletype_ALo as Lokaletype "
                "FROM Lokaleplan, Lokale "
                "WHERE LokaleID_ALo = LokaleID_LP AND PlanID_LP = ? "
                "ORDER BY LokaleID_LP, Lokaletype_ALo",
                {planId}};
    case laeggeListe:
        // Only the open plan's home-room rows: other plans' rows would repeat the lessons.
        // A class without a row keeps its lessons, with no home room yet, as "tom" would.
        // The profiles' block sizes are made distinct per subject first: joined
        // row by row, every class would meet every teacher of its subject, and
        // the rows to sort grew with the square of the school.
        return {"SELECT DISTINCT HoldID_HLR AS HoldID, FagID_HLR AS FagID, "
                "LaererID_HLR AS LaererID, Lokaletype_AFa AS LokaleType, COALESCE(LokaleID_LoHR, ?) "
                "AS LokaleID, Blokstoerrelse_LFP AS Bloksize "
                "FROM (SELECT DISTINCT FagID_LFP, Blokstoerrelse_LFP FROM LaererFagProfil WHERE " +
                    ProfilenOverholder() +
                    "TimeFagFordelingID_LFP = ?) Profilblokke, "
                    "Fag, HoldLaererRelation LEFT JOIN LokaleHoldRelation "
                    "ON HoldID_HLR = HoldID_LoHR AND PlanID_LoHR = ? WHERE " +
                    FagetOverholder() +
                    "PlanID_HLR = ? AND FagID_HLR = FagID_AFa AND FagID_HLR = FagID_LFP "
                    "ORDER BY HoldID_HLR, FagID_HLR, LaererID_HLR, Lokaletype_AFa, LokaleID, Blokstoerrelse_LFP",
                {tomId, tffId, planId, planId}};
    case holdLokaleListe:
        return {"SELECT HoldID_LoHR AS HoldID, LokaleID_LoHR AS LokaleID "
                "FROM LokaleHoldRelation "
                "WHERE PlanID_LoHR = ? "
                "ORDER BY HoldID_LoHR, LokaleID_LoHR",
                {planId}};
    case holdLaererListe:
        return {"SELECT HoldID_HLR AS HoldID, LaererID_HLR AS LaererID, "
                "FagID_HLR AS FagID "
                "FROM HoldLaererRelation "
                "WHERE PlanID_HLR = ? "
                "ORDER BY HoldID_HLR, FagID_HLR, LaererID_HLR",
                {planId}};
    case fagprofilListe:
        return {"Select LaererID_LFP AS LaererID, FagID_LFP AS FagID, "
                "AntalHold_LFP AS AntalHold "
                "From LaererFagProfil Where " +
                    ProfilenOverholder() +
                    "TimeFagFordelingID_LFP = ? "
                    "Order by FagID_LFP, LaererID_LFP, AntalHold_LFP",
                {tffId}};
    default:
        return {};
    }
}

void KontrolListe::IndlaesListe(ListeNr n)
{
    // A list is loaded whole: a second load (a retry after a failed run)
    // must not land on top of the first.
    Ryd(n);
    kladde.Nulstil();
    SorterOpslagslister(n);
    if (n == lokaletypeListe)
        IndlaesLokaletyper();
    else if (AabnForespoergsel(n))
        IndlaesRaekker(n);
    if (n == holdLokaleListe)
        TilfoejHoldUdenStamlokaleraekke();
}

// A class taught in the plan but with no home-room row at all is one whose
// home room is not set yet: it joins list 7 as "tom", so that the assignment
// offers it a room and saving the relations adds its row.
void KontrolListe::TilfoejHoldUdenStamlokaleraekke()
{
    udenStamlokaleraekke.clear();
    if (tilstand != Datakilde::database ||
        !sql->Forespoerg("SELECT DISTINCT HoldID_HLR AS HoldID FROM HoldLaererRelation WHERE PlanID_HLR = ? AND "
                         "HoldID_HLR NOT IN (SELECT HoldID_LoHR FROM LokaleHoldRelation WHERE PlanID_LoHR = ? AND "
                         "HoldID_LoHR IS NOT NULL) ORDER BY HoldID_HLR",
                         {planId, planId}))
        return;
    for (kladde.Nulstil(); sql->HentTekst("HoldID", kladde.tekst[0]); kladde.Nulstil()) {
        kladde.tekst[1] = tomId;
        Liste(holdLokaleListe).Indsaet(kladde);
        udenStamlokaleraekke.insert(kladde.tekst[0]);
        if (!sql->Naeste())
            break;
    }
    kladde.Nulstil();
}

// The lists the row handling searches must be sorted on the searched field.
void KontrolListe::SorterOpslagslister(ListeNr n)
{
    if (n == lokaleListe) {
        Liste(lokaletypeListe).Sorter(feltId);
        Liste(holdListe).Sorter(feltId);
        Liste(holdLokaleListe).Sorter(feltStamlokale);
    } else if (n == laeggeListe) {
        for (const ListeNr opslag : benLister)
            Liste(opslag).Sorter(feltId);
    }
}

bool KontrolListe::AabnForespoergsel(int32_t n)
{
    const Forespoergsel f = ListeForespoergsel(n);
    return sql->Forespoerg(f.tekst, f.parametre);
}

void KontrolListe::IndlaesRaekker(ListeNr n)
{
    Klyngeliste<data>& liste = Liste(n);
    const int32_t foersteNye = liste.antal;
    for (;;) {
        const Raekke raekke = n == laeggeListe ? UdledLektion(foersteNye) : LaesRaekke(n);
        if (raekke == Raekke::ingen)
            return;
        if (raekke == Raekke::ny)
            liste.Indsaet(kladde);
        if (!sql->Naeste())
            return;
    }
}

bool KontrolListe::LaesKolonner(ListeNr n)
{
    for (const Kolonne& k : kolonner(n)) {
        const bool laest = k.felt <= 5 ? sql->HentTekst(k.navn, kladde.tekst[k.felt - 1])
                                       : sql->HentTal(k.navn, kladde.heltal[k.felt - 6]);
        if (!laest)
            return false;
    }
    return true;
}

KontrolListe::Raekke KontrolListe::LaesRaekke(ListeNr n)
{
    if (!LaesKolonner(n))
        return Raekke::ingen;
    if (n == lokaleListe)
        UdledLokale();
    return Raekke::ny;
}

// A room expects its class's hours when it is a home room, otherwise its
// share of the hours needed in its type.
void KontrolListe::UdledLokale()
{
    const std::string lokale = kladde.tekst[0];
    const std::string type = kladde.tekst[1];
    kladde.tekst[0] = type;
    data* fundet = nullptr;
    if (type == stamlokaleType) {
        kladde.ben[0] = nullptr;
        kladde.tekst[1] = lokale;
        if (Liste(holdLokaleListe).Hent(fundet, kladde, feltStamlokale)) {
            kladde.tekst[0] = fundet->tekst[0];
            kladde.heltal[0] = Liste(holdListe).Hent(fundet, kladde, feltId) ? fundet->heltal[0] : 0;
        } else {
            kladde.heltal[0] = 0;
        }
    } else if (Liste(lokaletypeListe).Hent(fundet, kladde, feltId)) {
        kladde.heltal[0] = fundet->heltal[0] != 0 ? fundet->heltal[1] / fundet->heltal[0] : 0;
        kladde.ben[0] = fundet;
    } else {
        kladde.ben[0] = nullptr;
        kladde.heltal[0] = 0;
    }
    kladde.tekst[0] = lokale;
    kladde.tekst[1] = type;
}

// A lesson row with links to its class, subject, teacher, room type and room.
KontrolListe::Raekke KontrolListe::UdledLektion(int32_t foersteNye)
{
    if (!LaesKolonner(laeggeListe))
        return Raekke::ingen;
    std::array<std::string, 5> tekster = kladde.tekst;
    const bool udfyldt = skrivebeskyttet && UdfyldFraRelationer(tekster);
    if (tekster[3] != stamlokaleType)
        tekster[4] = tomId;
    // A dropped row never reached the list, so it looks nothing up either.
    if (udfyldt && FindesAllerede(foersteNye, Liste(laeggeListe).antal, tekster))
        return Raekke::overfloedig;
    for (int32_t i = benHold; i <= benLokale; ++i) {
        kladde.tekst[0] = tekster[i];
        data* fundet = nullptr;
        kladde.ben[i] = Liste(benLister[i]).Hent(fundet, kladde, feltId) ? fundet : nullptr;
    }
    kladde.tekst = tekster;
    kladde.heltal[2] = 0;
    return Raekke::ny;
}

// The teacher of list 8 and the home room of list 7 for a row that still
// holds "tom", the last match winning as the written relations would.
bool KontrolListe::UdfyldFraRelationer(std::array<std::string, 5>& tekster)
{
    bool aendret = false;
    auto udfyld = [&aendret](std::string& vaerdi, const Klyngeliste<data>& relationer, auto matcher, int32_t felt) {
        std::string sidste = vaerdi;
        for (int32_t i = 0; i < relationer.antal; ++i)
            if (matcher(relationer.element[i]))
                sidste = relationer.element[i].tekst[felt];
        if (sidste != vaerdi) {
            vaerdi = sidste;
            aendret = true;
        }
    };
    if (tekster[2] == tomId)
        udfyld(
            tekster[2], Liste(holdLaererListe),
            [&](const data& r) { return r.tekst[0] == tekster[0] && r.tekst[1] == tekster[1]; }, 2);
    if (tekster[3] == stamlokaleType && tekster[4] == tomId)
        udfyld(
            tekster[4], Liste(holdLokaleListe), [&](const data& r) { return r.tekst[0] == tekster[0]; }, 1);
    return aendret;
}

bool KontrolListe::FindesAllerede(int32_t fra, int32_t til, const std::array<std::string, 5>& tekster) const
{
    const Klyngeliste<data>& lektioner = lister[laeggeListe - 1];
    for (int32_t i = fra; i < til; ++i) {
        const data& l = lektioner.element[i];
        if (l.tekst == tekster && l.heltal[0] == kladde.heltal[0])
            return true;
    }
    return false;
}

void KontrolListe::IndlaesLokaletyper()
{
    if (AabnForespoergsel(lokaletypeListe))
        IndlaesRaekker(lokaletypeListe);
    Liste(lokaletypeListe).Sorter(feltId);
    const bool aaben = AabnForespoergsel(andenLokaletypeForespoergsel);
    kladde.Nulstil();
    if (aaben)
        SaetLokaletypeTimer();
}

// Hours needed per room type; types without rooms in the plan are ignored.
void KontrolListe::SaetLokaletypeTimer()
{
    for (;;) {
        std::string type;
        int32_t timer = 0;
        if (!sql->HentTekst("LokaleType", type) || !sql->HentTal("Antal_Timer", timer))
            return;
        kladde.tekst[0] = type;
        data* fundet = nullptr;
        if (Liste(lokaletypeListe).Hent(fundet, kladde, feltId))
            fundet->heltal[1] = timer;
        kladde.Nulstil();
        if (!sql->Naeste())
            return;
    }
}
