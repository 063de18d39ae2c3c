#include "base/Besked.h"

#include <iostream>

void BeskedModtager::spor(const std::string& tekst) { std::cout << tekst; }

namespace {

class StandardModtager final : public BeskedModtager {
public:
    int visInfo(const std::string& tekst) override
    {
        std::cerr << "Meddelelse: " << tekst << '\n';
        return knapOK;
    }
    int visFejl(const std::string& tekst, const std::string& titel) override
    {
        std::cerr << titel << ": " << tekst << '\n';
        return knapOK;
    }
    bool spoerg(const std::string& tekst, const std::string& titel) override
    {
        std::cerr << titel << ": " << tekst << " (Annuller)\n";
        return false;
    }
    void log(const std::string&) override {}
    void tidsTitel(const std::string&) override {}
    void tidsLinje(double, const std::string&, int32_t) override {}
};

StandardModtager standardModtager;
BeskedModtager* aktivModtager = &standardModtager;

} // namespace

Svar BeskedModtager::spoergJaNej(const std::string& tekst, const std::string& titel)
{
    return spoerg(tekst, titel) ? Svar::ja : Svar::annuller;
}

bool BeskedModtager::spoergForsigtigt(const std::string& tekst, const std::string& titel)
{
    return spoerg(tekst, titel);
}

BeskedModtager* Besked::SaetModtager(BeskedModtager* modtager)
{
    BeskedModtager* forrige = aktivModtager;
    aktivModtager = modtager ? modtager : &standardModtager;
    return forrige == &standardModtager ? nullptr : forrige;
}

BeskedModtager& Besked::Modtager() { return *aktivModtager; }

int Besked::VisInfo(const std::string& tekst) const { return aktivModtager->visInfo(tekst); }

int Besked::VisFejl(const std::string& tekst, const std::string& titel) const
{
    return aktivModtager->visFejl(tekst, titel);
}

bool Besked::Spoerg(const std::string& tekst, const std::string& titel) const
{
    return aktivModtager->spoerg(tekst, titel);
}

bool Besked::SpoergForsigtigt(const std::string& tekst, const std::string& titel) const
{
    return aktivModtager->spoergForsigtigt(tekst, titel);
}

Svar Besked::SpoergJaNej(const std::string& tekst, const std::string& titel) const
{
    return aktivModtager->spoergJaNej(tekst, titel);
}

void Besked::Log(const std::string& tekst) const { aktivModtager->log(tekst); }

void Besked::LogTal(int32_t tal) const { aktivModtager->log(std::to_string(tal)); }

void Besked::TidsTitel(const std::string& navn) const { aktivModtager->tidsTitel(navn); }

void Besked::TidsLinje(double sekunder, const std::string& etiket, int32_t raekke) const
{
    aktivModtager->tidsLinje(sekunder, etiket, raekke);
}

void Besked::Spor(const std::string& tekst) const { aktivModtager->spor(tekst); }
