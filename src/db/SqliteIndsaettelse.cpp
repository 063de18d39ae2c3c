#include "db/SqliteIndsaettelse.h"

#include <sqlite3.h>

#include <variant>

namespace {

// Plain pointer: the data module may finalize it while the program's statics are torn down.
constinit sqlite3_stmt* forberedt = nullptr;

bool Forbered(sqlite3* forbindelse, const std::string& saetning)
{
    if (forberedt != nullptr && sqlite3_db_handle(forberedt) == forbindelse && saetning == sqlite3_sql(forberedt))
        return true;
    sqliteIndsaettelse::Frigiv();
    return sqlite3_prepare_v2(forbindelse, saetning.c_str(), static_cast<int>(saetning.size()), &forberedt, nullptr) ==
           SQLITE_OK;
}

void Bind(const SqlParametre& vaerdier)
{
    for (size_t i = 0; i < vaerdier.size(); ++i) {
        const int plads = static_cast<int>(i) + 1;
        // The texts outlive the step; the bindings are cleared before they can go.
        if (const auto* tekst = std::get_if<std::string>(&vaerdier[i]))
            sqlite3_bind_text(forberedt, plads, tekst->c_str(), static_cast<int>(tekst->size()), SQLITE_STATIC);
        else if (const auto* tal = std::get_if<int32_t>(&vaerdier[i]))
            sqlite3_bind_int(forberedt, plads, *tal);
        else if (const auto* bytes = std::get_if<SqlBytes>(&vaerdier[i]))
            sqlite3_bind_blob(forberedt, plads, bytes->bytes.data(), static_cast<int>(bytes->bytes.size()),
                              SQLITE_STATIC);
        else
            sqlite3_bind_null(forberedt, plads);
    }
}

} // namespace

bool sqliteIndsaettelse::Udfoer(sqlite3* forbindelse, const std::string& saetning, const SqlParametre& vaerdier)
{
    if (!Forbered(forbindelse, saetning))
        return false;
    Bind(vaerdier);
    const bool udfoert = sqlite3_step(forberedt) == SQLITE_DONE;
    sqlite3_reset(forberedt);
    sqlite3_clear_bindings(forberedt);
    return udfoert;
}

void sqliteIndsaettelse::Frigiv()
{
    sqlite3_finalize(forberedt);
    forberedt = nullptr;
}
