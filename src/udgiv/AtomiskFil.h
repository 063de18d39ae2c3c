#pragma once

#include <string>
#include <vector>

// Files written whole or not at all. Each goes to a temporary name in its own
// folder and is renamed into place only when every file of the call is
// complete, so a full disk, a file-size limit or a folder that cannot be
// written leaves the previous files as they were, never cut off, and no
// temporary file behind.
//
// Only a missing name or a regular file is replaced. A folder, a device or a
// pipe is refused, and so is a symbolic link: renaming onto it would put a
// file in place of the link, and following it would let whoever made the
// link choose what gets overwritten.
namespace atomiskFil {

struct Fil {
    std::string sti;
    std::string indhold;
};

// False with the file, the reason and what became of the earlier files in
// fejl: unchanged, or (when the system refuses a rename half-way) exactly
// which of them were replaced already.
bool Skriv(const std::vector<Fil>& filer, std::string& fejl);

// Lets a write beyond the file-size limit (ulimit -f) fail with EFBIG, so it
// is reported, instead of the signal for it ending the program.
void TaalFilgraense();

} // namespace atomiskFil
