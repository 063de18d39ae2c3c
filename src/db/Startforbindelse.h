#pragma once

#include <string>

// Connects the window program to the database of its settings file. Only the
// default database file is created, with the demo school, on the first start;
// a database named in the settings must exist and hold the program's tables.
// False with a Danish message that names the database and says how to choose
// another one.
bool ForbindVedStart(std::string& fejl);
