#include "udgiv/CsvSkemabog.h"

#include "udgiv/AtomiskFil.h"
#include "udgiv/CsvLinje.h"
#include "base/Uge.h"

#include <vector>

namespace {

// The hour continues the block of the hour before: the same lesson in the
// hour right after it, and the block not yet full.
bool FortsaetterBlok(const LektionsData* forrige, const LektionsData& l, int32_t timerIBlokken)
{
    return forrige != nullptr && forrige->kolonne == l.kolonne && forrige->raekke + 1 == l.raekke &&
           forrige->fag == l.fag && forrige->laerer == l.laerer && forrige->lokale == l.lokale &&
           forrige->blok == l.blok && timerIBlokken < l.blok;
}

// Every participant with every teacher and every room; an empty list counts as one empty field.
void AktivitetsLinjer(const std::string& plan, const UdgivetAktivitet& a, int64_t lektion, std::string& ud)
{
    const auto ellerTom = [](const std::vector<std::string>& ider) {
        return ider.empty() ? std::vector<std::string>{""} : ider;
    };
    std::vector<Deltager> deltagere = a.deltagere;
    std::vector<std::string> inddelinger = a.inddelinger;
    if (deltagere.empty()) {
        deltagere.push_back({"", ""});
        inddelinger.emplace_back();
    }
    for (int32_t time = a.start.raekke; time < a.start.raekke + a.laengde; ++time) {
        for (size_t d = 0; d < deltagere.size(); ++d) {
            const std::string gruppe = deltagere[d].HeleHoldet() ? "" : deltagere[d].gruppe;
            for (const std::string& laerer : ellerTom(a.laerere)) {
                for (const std::string& lokale : ellerTom(a.lokaler))
                    ud += csv::Linje({plan, dagNavne.at(a.start.kolonne), csv::Felt::Tal(time + 1), deltagere[d].hold,
                                      a.fag, laerer, lokale, csv::Felt::Tal(a.laengde), gruppe, inddelinger[d],
                                      csv::Felt::Tal(lektion)});
            }
        }
    }
}

} // namespace

std::string CsvSkemabog(const Skemabog& bog)
{
    std::string ud = csv::bom;
    ud += csv::Linje(
        {"Plan", "Dag", "Time", "Hold", "Fag", "Lærer", "Lokale", "Blokstørrelse", "Gruppe", "Inddeling", "Lektion"});
    int64_t lektion = 0;
    // Every lesson hour sits in exactly one class timetable.
    for (const UdgivetSkema* skema : bog.AfArt(SkemaArt::hold)) {
        const LektionsData* forrige = nullptr;
        int32_t timerIBlokken = 0;
        for (const UdgivetLektion& u : skema->lektioner) {
            const LektionsData& l = u.lektion;
            if (!FortsaetterBlok(forrige, l, timerIBlokken)) {
                ++lektion;
                timerIBlokken = 0;
            }
            ++timerIBlokken;
            forrige = &l;
            ud += csv::Linje({bog.plan, dagNavne.at(l.kolonne), csv::Felt::Tal(l.raekke + 1), l.hold, l.fag, l.laerer,
                              l.lokale, csv::Felt::Tal(l.blok), "", "", csv::Felt::Tal(lektion)});
        }
    }
    for (const UdgivetAktivitet& a : bog.aktiviteter)
        AktivitetsLinjer(bog.plan, a, ++lektion, ud);
    return ud;
}

bool SkrivCsvSkemabog(const Skemabog& bog, const std::string& fil, std::string& fejl)
{
    return atomiskFil::Skriv({{fil, CsvSkemabog(bog)}}, fejl);
}
