#include "udgiv/CsvSkemabog.h"

#include "udgiv/AtomiskFil.h"
#include "udgiv/CsvLinje.h"
#include "base/Uge.h"

#include <vector>

std::string CsvSkemabog(const Skemabog& bog)
{
    std::string ud = csv::bom;
    ud += csv::Linje({"Plan", "Dag", "Time", "Hold", "Fag", "Lærer", "Lokale", "Blokstørrelse"});
    // Every lesson hour sits in exactly one class timetable.
    for (const UdgivetSkema* skema : bog.AfArt(SkemaArt::hold)) {
        for (const UdgivetLektion& u : skema->lektioner) {
            const LektionsData& l = u.lektion;
            ud += csv::Linje({bog.plan, dagNavne.at(l.kolonne), csv::Felt::Tal(l.raekke + 1), l.hold, l.fag, l.laerer,
                              l.lokale, csv::Felt::Tal(l.blok)});
        }
    }
    return ud;
}

bool SkrivCsvSkemabog(const Skemabog& bog, const std::string& fil, std::string& fejl)
{
    return atomiskFil::Skriv({{fil, CsvSkemabog(bog)}}, fejl);
}
