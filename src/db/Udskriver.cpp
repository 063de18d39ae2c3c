#include "db/Udskriver.h"

#include "db/PrinterUdskriver.h"

namespace {

Udskriver* aktiv = nullptr;

Udskriver& standardUdskriver()
{
    static PrinterUdskriver printer;
    return printer;
}

} // namespace

Udskriver& Udskriver::Aktiv() { return aktiv != nullptr ? *aktiv : standardUdskriver(); }

Udskriver* Udskriver::SaetAktiv(Udskriver* udskriver)
{
    Udskriver* const forrige = aktiv;
    aktiv = udskriver;
    return forrige;
}
