#pragma once

#include "db/SqlKlasse.h"

#include <string>

struct sqlite3;

// Saving's inserts on SQLite, run straight through SQLite's own library on the
// connection the data module holds: binding each value through Qt (every text
// as UTF-16 that SQLite converts back) cost as much as SQLite's own work.
namespace sqliteIndsaettelse {

// Runs the statement with the values bound to its '?' placeholders in order.
// The statement stays prepared for the next row with the same text. False when
// SQLite refuses it; the statement is reset, so a rollback can follow.
bool Udfoer(sqlite3* forbindelse, const std::string& saetning, const SqlParametre& vaerdier);

// Finalizes the prepared statement: SQLite will not close a connection that has one.
void Frigiv();

} // namespace sqliteIndsaettelse
