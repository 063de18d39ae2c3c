#include "TestPlan.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace {

std::filesystem::path NyMappe()
{
    std::string skabelon = (std::filesystem::temp_directory_path() / "analyse_XXXXXX").string();
    if (mkdtemp(skabelon.data()) == nullptr)
        throw std::runtime_error("ingen midlertidig mappe");
    return skabelon;
}

// The working folder for the loading of one plan.
class IMappe {
public:
    explicit IMappe(const std::filesystem::path& mappe) : forrige_(std::filesystem::current_path())
    {
        std::filesystem::current_path(mappe);
    }
    ~IMappe() { std::filesystem::current_path(forrige_); }
    IMappe(const IMappe&) = delete;
    IMappe& operator=(const IMappe&) = delete;

private:
    std::filesystem::path forrige_;
};

void Fyld(stack<std::string>& stak, const std::vector<std::string>& navne)
{
    for (const auto& navn : navne)
        stak.push(navn);
}

} // namespace

TestPlan::TestPlan(const std::vector<std::string>& hold, const std::vector<std::string>& laerere,
                   const std::vector<std::string>& lokaler, const std::vector<Spaerring>& spaerringer, int32_t dage,
                   int32_t timer)
    : mappe_(NyMappe()), portal_(std::make_unique<Portal>("P1", dage, timer, Datakilde::tekstfiler))
{
    {
        std::ofstream fil(mappe_ / "TidsPrioritet.txt");
        for (const auto& s : spaerringer)
            fil << s.laerer << " " << utilgaengelig << " " << s.kolonne << " " << s.raekke << "\n";
    }
    stack<std::string> h;
    stack<std::string> l;
    stack<std::string> k;
    Fyld(h, hold);
    Fyld(l, laerere);
    Fyld(k, lokaler);
    portal_->SaetNavnestakke(std::move(h), std::move(l), std::move(k));
    IMappe i(mappe_);
    portal_->Indlaes();
}

TestPlan::~TestPlan()
{
    std::error_code fejl;
    std::filesystem::remove_all(mappe_, fejl);
}

void TestPlan::Saet(const std::string& hold, const std::string& fag, const std::string& laerer,
                    const std::string& lokale, int32_t blok, int32_t k, int32_t r)
{
    for (int32_t i = 0; i < blok; ++i)
        portal_->SaetLektion(hold, fag, laerer, lokale, blok, k, r + i);
}

std::vector<LektionsData> TestPlan::Lektioner(const std::string& id, SkemaArt art)
{
    stack<LektionsData> stak;
    portal_->HentLektioner(id, stak, art);
    std::vector<LektionsData> ud;
    while (!stak.tom())
        ud.push_back(stak.pop());
    return ud;
}

std::vector<Felt> TestPlan::Felter(const std::string& id, SkemaArt art, const std::string& fag)
{
    std::vector<Felt> ud;
    for (const auto& l : Lektioner(id, art))
        if (l.fag == fag)
            ud.emplace_back(l.kolonne, l.raekke);
    std::sort(ud.begin(), ud.end());
    return ud;
}
