#pragma once

#include "db/SqlKlasse.h"

#include <cstddef>
#include <map>
#include <string>
#include <vector>

// What a column holds, as the planner names it; decides its rules.
enum class Felt {
    Plan,
    Fordeling,
    Hold,
    Holdtype,
    Fag,
    Laerer,
    Lokale,
    Lokaletype,
    Inddeling,
    Gruppe,
    Aktivitet,
    // The planner's own rules.
    Regelart,
    Timer,
    Dage,
    TimerPrDag,
    AntalHold,
    Blok,
    Prioritet,
    Dag,
    Time,
    Behov,
    Laengde,
    // The planner's own rules.
    Regel,
    Graense,
    Vaegt
};

struct Kolonne {
    std::string navn;
    Felt felt;
    bool definerer = false;  // the column that gives the Plan, Hold, Fag or Lokale its id
    bool tomTilladt = false; // "tom" stands for "not assigned yet"
};

struct Tabel {
    std::string navn;
    std::string betegnelse;        // the planner's word for the rows
    std::vector<Kolonne> kolonner; // in the schema's order
    std::vector<size_t> noegle;    // the columns that identify a row
    // A table of our own beside the original ones: the first write creates
    // it, and a database without it simply has no such rows.
    bool egen = false;
};

// One row, its values in the table's column order.
using Raekke = std::vector<SqlVaerdi>;

// Every table the planner's data lives in, in an order where a table's
// references come before it.
const std::vector<Tabel>& Skematabeller();
const Tabel& TabelNavngivet(const std::string& navn);
// A table of where a plan's lessons stand, rather than what is to be taught.
bool ErSkemaTabel(const Tabel& tabel);
// The planner's word for what a column holds.
std::string FeltBetegnelse(Felt felt);
bool ErTal(Felt felt);
// A reference to the id of a Plan, Hold, Fag, Lokale or Aktivitet row.
bool ErHenvisning(const Kolonne& kolonne);

// A class's group: its name counts within its plan and class.
struct Gruppenavn {
    std::string plan;
    std::string hold;
    std::string gruppe;
};

// The rows of some or all tables, by table name.
struct Skoledata {
    std::map<std::string, std::vector<Raekke>> raekker;

    void Tilfoej(const std::string& tabel, Raekke raekke) { raekker[tabel].push_back(std::move(raekke)); }
    const std::vector<Raekke>& Af(const std::string& tabel) const&;
    // Of a temporary (Laes().Af(...)) the rows are handed over, so a loop over them outlives it.
    std::vector<Raekke> Af(const std::string& tabel) &&;
    bool HarPlan(const std::string& planId) const;

    // The rows that refer to an id of a Plan, Hold, Fag, Lokale or Aktivitet, named for a message. An id
    // that counts only within its plan (see IdPlan) is looked for only in rows of that plan.
    std::vector<std::string> Afhaengige(Felt felt, const std::string& id, const std::string& plan = "") const;
    // Gives every reference to the id the new id, or removes the referring rows.
    void Omdoeb(Felt felt, const std::string& fra, const std::string& til, const std::string& plan = "");
    void FjernAfhaengige(Felt felt, const std::string& id, const std::string& plan = "");

    // The same for a group, whose users are the activities' participants.
    // Removing them takes along every activity left with neither
    // participants nor teachers, with what refers to it (`TommeUden` names
    // those first); the ids of the activities removed are given.
    std::vector<std::string> Afhaengige(const Gruppenavn& gruppe) const;
    void Omdoeb(const Gruppenavn& gruppe, const std::string& til);
    std::vector<std::string> TommeUden(const Gruppenavn& gruppe) const;
    std::vector<std::string> FjernAfhaengige(const Gruppenavn& gruppe);

private:
    // Removes what refers to the id that the removed row defined.
    void FjernDefineretId(const Tabel& tabel, const Raekke& raekke);
};

// The plan of a row whose id counts only within its plan (an activity's), else "".
std::string IdPlan(const Tabel& tabel, const Raekke& raekke);

// A value as text, for messages and files.
std::string SomTekst(const SqlVaerdi& vaerdi);
// The values joined with ", ".
std::string RaekkeTekst(const Raekke& raekke);
// The values of the row's key columns.
Raekke NoegleAf(const Tabel& tabel, const Raekke& raekke);
// The values of the row's key columns joined with ", ".
std::string NoegleTekst(const Tabel& tabel, const Raekke& raekke);
