#include "udgiv/AtomiskFil.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Uaendret(size_t antal)
{
    return antal == 1 ? "Den tidligere fil er uændret." : "De tidligere filer er uændrede.";
}

// The system's reason, in Danish for the faults a planner meets.
std::string Aarsag(int fejlnr)
{
    switch (fejlnr) {
    case ENOSPC:
        return "disken er fuld";
    case EDQUOT:
        return "pladsen, du har fået tildelt på disken, er brugt op";
    case EFBIG:
        return "filen bliver større, end grænsen for filstørrelse tillader";
    case EACCES:
    case EPERM:
        return "der er ikke adgang til at skrive der";
    case EROFS:
        return "drevet er skrivebeskyttet";
    case ENOENT:
        return "mappen findes ikke";
    default:
        return std::strerror(fejlnr);
    }
}

std::string Grund(const std::string& sti) { return sti + ": " + Aarsag(errno); }

// "" when the name is free or holds a regular file, else why it may not be replaced.
std::string Afvisning(const std::string& sti)
{
    struct stat info {};
    if (::lstat(sti.c_str(), &info) != 0)
        return errno == ENOENT ? "" : Grund(sti);
    if (S_ISREG(info.st_mode))
        return "";
    const std::string hvad = S_ISLNK(info.st_mode)   ? "et symbolsk link; vælg filen, det peger på"
                             : S_ISDIR(info.st_mode) ? "en mappe"
                                                     : "ikke en almindelig fil (en enhed, et rør eller en sokkel)";
    return sti + " er " + hvad + ". Eksporten erstatter kun almindelige filer.";
}

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

void atomiskFil::TaalFilgraense() { std::signal(SIGXFSZ, SIG_IGN); }

bool atomiskFil::Skriv(const std::vector<Fil>& filer, std::string& fejl)
{
    TaalFilgraense();
    for (const Fil& fil : filer) {
        if (std::string grund = Afvisning(fil.sti); !grund.empty()) {
            fejl = grund + " " + Uaendret(filer.size());
            return false;
        }
    }
    std::vector<std::string> midlertidige;
    for (const Fil& fil : filer) {
        std::string navn = SkrivMidlertidig(fil, fejl);
        if (navn.empty()) {
            Fjern(midlertidige, 0);
            fejl += ". " + Uaendret(filer.size());
            return false;
        }
        midlertidige.push_back(std::move(navn));
    }
    for (size_t i = 0; i < filer.size(); ++i) {
        if (std::rename(midlertidige[i].c_str(), filer[i].sti.c_str()) != 0) {
            fejl = Grund(filer[i].sti) + ".";
            Fjern(midlertidige, i);
            if (i == 0) {
                fejl += " " + Uaendret(filer.size());
                return false;
            }
            fejl += " Disse filer er allerede erstattet af de nye:";
            for (size_t j = 0; j < i; ++j)
                fejl += " " + filer[j].sti;
            fejl += "; de øvrige er uændrede.";
            return false;
        }
    }
    return true;
}
