#include "udgiv/AtomiskFil.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Grund(const std::string& sti) { return sti + ": " + std::strerror(errno); }

// A temporary file is made owner-only; the finished one gets the usual rights.
mode_t AlmindeligeRettigheder()
{
    const mode_t maske = ::umask(0);
    ::umask(maske);
    return 0666 & ~maske;
}

bool SkrivAlt(int fd, const std::string& indhold)
{
    for (size_t skrevet = 0; skrevet < indhold.size();) {
        const ssize_t n = ::write(fd, indhold.data() + skrevet, indhold.size() - skrevet);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        skrevet += static_cast<size_t>(n);
    }
    return true;
}

// The text in a new file next to sti, flushed to the disk; its name, or "" with the reason.
std::string SkrivMidlertidig(const atomiskFil::Fil& fil, std::string& fejl)
{
    std::string navn = fil.sti + ".XXXXXX";
    const int fd = ::mkstemp(navn.data());
    if (fd < 0) {
        fejl = Grund(fil.sti);
        return "";
    }
    bool skrevet = ::fchmod(fd, AlmindeligeRettigheder()) == 0 && SkrivAlt(fd, fil.indhold) && ::fsync(fd) == 0;
    if (!skrevet)
        fejl = Grund(fil.sti);
    if (::close(fd) != 0 && skrevet) {
        fejl = Grund(fil.sti);
        skrevet = false;
    }
    if (skrevet)
        return navn;
    ::unlink(navn.c_str());
    return "";
}

void Fjern(const std::vector<std::string>& navne, size_t fra)
{
    for (size_t i = fra; i < navne.size(); ++i)
        ::unlink(navne[i].c_str());
}

} // namespace

bool atomiskFil::Skriv(const std::vector<Fil>& filer, std::string& fejl)
{
    std::vector<std::string> midlertidige;
    for (const Fil& fil : filer) {
        std::string navn = SkrivMidlertidig(fil, fejl);
        if (navn.empty()) {
            Fjern(midlertidige, 0);
            return false;
        }
        midlertidige.push_back(std::move(navn));
    }
    for (size_t i = 0; i < filer.size(); ++i) {
        if (std::rename(midlertidige[i].c_str(), filer[i].sti.c_str()) != 0) {
            fejl = Grund(filer[i].sti);
            Fjern(midlertidige, i);
            return false;
        }
    }
    return true;
}
