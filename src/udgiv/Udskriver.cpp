#include "udgiv/Udskriver.h"

#include "base/Besked.h"

namespace {

// Until a program installs its printer, nothing can be printed.
class IngenUdskriver : public Udskriver {
public:
    bool Start(const std::string&, const std::string&, double) override
    {
        Besked().VisFejl("Skemaet kan ikke udskrives uden grafisk brugerflade", fejlTitel);
        return false;
    }
    void Tegn(int32_t, int32_t, const std::string&) override {}
    bool Slut() override { return false; }
};

Udskriver* aktiv = nullptr;

} // namespace

Udskriver& Udskriver::Aktiv()
{
    static IngenUdskriver ingen;
    return aktiv != nullptr ? *aktiv : ingen;
}

Udskriver* Udskriver::SaetAktiv(Udskriver* udskriver)
{
    Udskriver* const forrige = aktiv;
    aktiv = udskriver;
    return forrige;
}
