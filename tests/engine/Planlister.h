#pragma once

// Builds planning lists by hand, the way the loader leaves them: lists 1 to 5
// in id order and the lessons linked to their records.
#include "db/SqlKlasse.h"
#include "engine/KontrolListe.h"

#include <initializer_list>
#include <memory>
#include <string>

class Planlister {
public:
    explicit Planlister(Portal* portal = nullptr)
        : sql(std::make_unique<SqlKlasse>(Datakilde::tekstfiler)),
          k(std::make_unique<KontrolListe>(portal, sql.get(), Datakilde::tekstfiler, 5, 8, "P1", "TFF1"))
    {
    }

    // Texts fill tekst[0], tekst[1], ...; numbers heltal[0], heltal[1], ...
    data& Tilfoej(KontrolListe::ListeNr liste, std::initializer_list<std::string> tekster,
                  std::initializer_list<int32_t> tal = {})
    {
        data d;
        int32_t i = 0;
        for (const std::string& t : tekster)
            d.tekst[i++] = t;
        i = 0;
        for (const int32_t h : tal)
            d.heltal[i++] = h;
        Klyngeliste<data>& l = k->Liste(liste);
        l.Indsaet(d);
        return l.element[l.antal - 1];
    }

    data* Find(KontrolListe::ListeNr liste, const std::string& id)
    {
        Klyngeliste<data>& l = k->Liste(liste);
        for (int32_t i = 0; i < l.antal; ++i)
            if (l.element[i].tekst[0] == id)
                return &l.element[i];
        return nullptr;
    }

    // A lesson linked to whatever records of lists 1 to 5 carry its ids.
    data& Lektion(const std::string& hold, const std::string& fag, const std::string& laerer,
                  const std::string& lokaletype, const std::string& lokale, int32_t blok = 1)
    {
        data& l = Tilfoej(KontrolListe::laeggeListe, {hold, fag, laerer, lokaletype, lokale}, {blok, -1, 0});
        const std::string ids[] = {hold, fag, laerer, lokaletype, lokale};
        for (int32_t i = 0; i < 5; ++i)
            l.ben[i] = Find(KontrolListe::benLister[i], ids[i]);
        return l;
    }

    std::unique_ptr<SqlKlasse> sql;
    std::unique_ptr<KontrolListe> k;
};
