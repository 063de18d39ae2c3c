#pragma once

#include "skoledata/Skoledata.h"

#include <memory>
#include <string>
#include <vector>

class SqlKlasse;

// The school's data in the database: read whole, and added to or copied
// only after the rules have passed, in one transaction, so that a refused
// or failed write leaves the database as it was.
class Skoledatabase {
public:
    Skoledatabase();
    ~Skoledatabase();
    Skoledatabase(const Skoledatabase&) = delete;
    Skoledatabase& operator=(const Skoledatabase&) = delete;

    // Every row of every table of the school's data.
    Skoledata Laes();
    // The rows of the named tables only.
    Skoledata Laes(const std::vector<std::string>& tabeller);
    // Adds the rows that are not stored already; false with the messages
    // when a rule is broken or the database refuses, and nothing is written.
    bool Tilfoej(const Skoledata& nye, std::vector<std::string>& fejl);
    // Writes a planner's changes to the rows read as `foer`: rows missing in
    // `efter` are deleted, new ones inserted. A row that someone else has
    // changed or deleted since it was read refuses the whole write, as does
    // a deleted id that stored rows still refer to.
    bool Gem(const Skoledata& foer, const Skoledata& efter, std::vector<std::string>& fejl);
    // What would refuse Gem(foer, efter) now, without writing anything.
    std::vector<std::string> Kontroller(const Skoledata& foer, const Skoledata& efter);
    // A new plan `til` with the row, relations, rooms and priorities of
    // `fra`, and its lessons when asked for.
    bool KopierPlan(const std::string& fra, const std::string& til, bool medLektioner, std::vector<std::string>& fejl);

private:
    // The rows a write deletes and inserts, once the rules and the stored rows allow it.
    struct Aendring {
        Skoledata fjernes;
        Skoledata indsaettes;
    };
    std::vector<std::string> Forbered(const Skoledata& foer, const Skoledata& efter, Aendring& aendring);
    std::vector<Raekke> LaesTabel(const Tabel& tabel);
    bool Slet(const Tabel& tabel, const Raekke& raekke);
    bool OpretEgenTabel(const Tabel& tabel);
    bool Indsaet(const Tabel& tabel, const Raekke& raekke);

    std::unique_ptr<SqlKlasse> sql_;
};
