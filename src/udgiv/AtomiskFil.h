#pragma once

#include <string>
#include <vector>

// Files written whole or not at all. Each goes to a temporary name in its own
// folder and is renamed into place only when every file of the call is
// complete, so a full disk or a folder that cannot be written leaves the
// previous files as they were, never cut off.
namespace atomiskFil {

struct Fil {
    std::string sti;
    std::string indhold;
};

// False with the file and the system's reason in fejl.
bool Skriv(const std::vector<Fil>& filer, std::string& fejl);

} // namespace atomiskFil
