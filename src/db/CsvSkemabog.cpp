#include "db/CsvSkemabog.h"

#include "db/AtomiskFil.h"
#include "store/Ugedage.h"

#include <vector>

namespace {

// A field with the separator, a quote or a line break is quoted, its quotes doubled.
std::string felt(const std::string& tekst)
{
    if (tekst.find_first_of(";\"\r\n") == std::string::npos)
        return tekst;
    std::string ud = "\"";
    for (const char tegn : tekst)
        ud += tegn == '"' ? std::string("\"\"") : std::string(1, tegn);
    return ud + "\"";
}

std::string raekke(const std::vector<std::string>& felter)
{
    std::string ud;
    for (size_t i = 0; i < felter.size(); ++i)
        ud += (i == 0 ? "" : ";") + felt(felter[i]);
    return ud + "\r\n";
}

} // namespace

std::string CsvSkemabog(const Skemabog& bog)
{
    std::string ud = "\xEF\xBB\xBF";
    ud += raekke({"Plan", "Dag", "Time", "Hold", "Fag", "Lærer", "Lokale", "Blokstørrelse"});
    // Every lesson hour sits in exactly one class timetable.
    for (const UdgivetSkema* skema : bog.AfArt(SkemaArt::hold)) {
        for (const UdgivetLektion& u : skema->lektioner) {
            const LektionsData& l = u.lektion;
            ud += raekke({bog.plan, dagNavne.at(l.kolonne), std::to_string(l.raekke + 1), l.hold, l.fag, l.laerer,
                          l.lokale, std::to_string(l.blok)});
        }
    }
    return ud;
}

bool SkrivCsvSkemabog(const Skemabog& bog, const std::string& fil, std::string& fejl)
{
    return atomiskFil::Skriv({{fil, CsvSkemabog(bog)}}, fejl);
}
