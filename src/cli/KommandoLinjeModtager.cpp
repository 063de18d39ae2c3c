#include "cli/KommandoLinjeModtager.h"

KommandoLinjeModtager::KommandoLinjeModtager(std::ostream& fejl, bool svarJa, bool visLog)
    : fejl_(fejl), svarJa_(svarJa), visLog_(visLog)
{
}

int KommandoLinjeModtager::visInfo(const std::string& tekst) { return visFejl(tekst, "Meddelelse"); }

int KommandoLinjeModtager::visFejl(const std::string& tekst, const std::string& titel)
{
    fejl_ << titel << ": " << tekst << '\n';
    return knapOK;
}

bool KommandoLinjeModtager::spoerg(const std::string& tekst, const std::string& titel)
{
    fejl_ << titel << ": " << tekst << (svarJa_ ? " [OK]" : " [Annuller]") << '\n';
    return svarJa_;
}

void KommandoLinjeModtager::log(const std::string& linje)
{
    if (visLog_)
        fejl_ << linje << '\n';
}

void KommandoLinjeModtager::tidsTitel(const std::string&) {}

void KommandoLinjeModtager::tidsLinje(double sekunder, const std::string& etiket, int32_t)
{
    tidsRaekker_.push_back({etiket, sekunder});
}

void KommandoLinjeModtager::spor(const std::string& tekst)
{
    if (visLog_)
        fejl_ << tekst;
}
