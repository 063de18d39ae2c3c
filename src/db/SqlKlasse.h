#pragma once

#include "db/Datakilde.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

// Bytes stored as a BLOB: kept as they are, so that a row the program cannot
// use is written back unchanged.
struct SqlBytes {
    std::string bytes;
    bool operator==(const SqlBytes&) const = default;
    bool operator<(const SqlBytes& andre) const { return bytes < andre.bytes; }
};

// A value bound to a '?' placeholder of a statement, or read as it is stored:
// a text, an integer, NULL (std::monostate) or bytes.
using SqlVaerdi = std::variant<std::string, int32_t, std::monostate, SqlBytes>;
using SqlParametre = std::vector<SqlVaerdi>;

// The bytes as SQL writes them: X'00312E61'.
std::string SomHex(const SqlBytes& bytes);

// A decimal text that is exactly a 32-bit integer; some drivers hand sums over as text.
std::optional<int32_t> SomHeltal(const std::string& tekst);
// An integer, or a text of one.
std::optional<int32_t> SomHeltal(const SqlVaerdi& vaerdi);

// An error of the data source that cannot be handled where it happened
// (unreachable database, missing table or column, rejected query). It carries
// the engine's own text; the operation under way is abandoned.
class DatabaseFejl : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The only way stored planning data is read or written. From the database it
// runs SQL on the one shared query of the data module; from text files it
// reads and writes files.
class SqlKlasse {
public:
    explicit SqlKlasse(Datakilde tilstand);
    ~SqlKlasse();
    SqlKlasse(const SqlKlasse&) = delete;
    SqlKlasse& operator=(const SqlKlasse&) = delete;

    void SaetTilstand(Datakilde tilstand);

    void StartTransaktion();
    void Commit();
    void Rollback();

    // Values are bound to the statement's '?' placeholders in order.
    bool UdfoerSql(const std::string& saetning, const SqlParametre& parametre = {});
    // How many rows the last statement of UdfoerSql changed (database mode).
    int32_t PaavirkedeRaekker();

    void IndsaetStart(const std::string& tabel);
    void TilfoejTekst(const std::string& vaerdi);
    void TilfoejTal(int32_t vaerdi);
    bool IndsaetSlut();

    bool Forespoerg(const std::string& tekst, const SqlParametre& parametre = {});
    bool HentTekst(const std::string& kolonne, std::string& ud);
    // Throws DatabaseFejl when the value is not a whole number that fits: a
    // coerced value would be a different value from the one stored.
    bool HentTal(const std::string& kolonne, int32_t& ud);
    // The value exactly as stored: NULL, an integer that fits in 32 bits, or
    // else its text (another number keeps its digits, so writing it back
    // restores it). File mode: a token that reads as an integer, else its text.
    bool HentVaerdi(const std::string& kolonne, SqlVaerdi& ud);
    // Appends any value, NULL included, to the insert under construction.
    void TilfoejVaerdi(const SqlVaerdi& vaerdi);
    // The engine's text for the last statement or query that failed.
    std::string SidsteFejl() const;
    bool Naeste();
    // The column of the current row holds NULL (database mode; a text file has no NULLs).
    bool ErNull(const std::string& kolonne);

    void SkrivLinje(const std::string& tekst, const std::string& navn);

private:
    struct Fil;
    Datakilde tilstand_;
    std::string saetning_;
    SqlParametre vaerdier_;
    std::unique_ptr<Fil> fil_;
};
