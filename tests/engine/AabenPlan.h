#pragma once

// A plan opened the way the facade opens it: plan row, timetables, planning
// lists 7, 1, 2, 3, 4, 5 and the stored lessons, then the generator.
#include "db/Plan.h"
#include "db/Portal.h"
#include "db/SqlKlasse.h"
#include "engine/Generator.h"
#include "engine/KontrolListe.h"

#include <memory>
#include <string>
#include <vector>

class AabenPlan {
public:
    ~AabenPlan()
    {
        generator.reset();
        k.reset();
        portal.reset();
    }

    bool Aabn(const std::string& planId)
    {
        std::string tff;
        int32_t kolonner = 0;
        int32_t raekker = 0;
        if (!plan->FindPlan(planId, tff, kolonner, raekker))
            return false;
        portal = std::make_unique<Portal>(planId, kolonner, raekker, Datakilde::database);
        k = std::make_unique<KontrolListe>(portal.get(), sql.get(), Datakilde::database, kolonner, raekker, planId,
                                           tff);
        generator = std::make_unique<Generator>(k.get(), portal.get(), kolonner, raekker);
        for (const KontrolListe::ListeNr liste :
             {KontrolListe::holdLokaleListe, KontrolListe::holdListe, KontrolListe::fagListe, KontrolListe::laererListe,
              KontrolListe::lokaletypeListe, KontrolListe::lokaleListe})
            k->IndlaesListe(liste);
        portal->SaetNavnestakke(k->NavneStak(SkemaArt::hold), k->NavneStak(SkemaArt::laerer),
                                k->NavneStak(SkemaArt::lokale));
        portal->Indlaes();
        return true;
    }

    // Every class timetable as text, one lesson hour per line.
    std::string Skemaer()
    {
        std::string ud;
        stack<std::string> hold;
        k->FyldNavne(hold, SkemaArt::hold);
        while (!hold.tom()) {
            stack<LektionsData> lektioner;
            portal->HentLektioner(hold.pop(), lektioner, SkemaArt::hold);
            while (!lektioner.tom()) {
                const LektionsData l = lektioner.pop();
                ud += l.hold + " " + l.fag + " " + l.laerer + " " + l.lokale + " " + std::to_string(l.blok) + " " +
                      std::to_string(l.kolonne) + " " + std::to_string(l.raekke) + "\n";
            }
        }
        return ud;
    }

    std::unique_ptr<Plan> plan = std::make_unique<Plan>(Datakilde::database);
    std::unique_ptr<SqlKlasse> sql = std::make_unique<SqlKlasse>(Datakilde::database);
    std::unique_ptr<Portal> portal;
    std::unique_ptr<KontrolListe> k;
    std::unique_ptr<Generator> generator;
};

// Rows of a one-column-per-text query, as "a|b|c" lines.
inline std::string raekker(const std::string& forespoergsel, const std::vector<std::string>& kolonner,
                           const SqlParametre& parametre = {})
{
    SqlKlasse sql(Datakilde::database);
    std::string ud;
    if (!sql.Forespoerg(forespoergsel, parametre))
        return ud;
    for (;;) {
        std::string linje;
        for (const std::string& kolonne : kolonner) {
            std::string vaerdi;
            if (!sql.HentTekst(kolonne, vaerdi))
                return ud;
            linje += (linje.empty() ? "" : "|") + vaerdi;
        }
        ud += linje + "\n";
        if (!sql.Naeste())
            return ud;
    }
}
