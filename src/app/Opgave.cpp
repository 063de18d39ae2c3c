#include "app/Opgave.h"

bool KoerOpgave(Opgave& opgave, const std::function<bool()>& stop, const std::function<void(const Fremskridt&)>& vis)
{
    bool stoppet = false;
    while (opgave.Naeste()) {
        if (vis)
            vis(opgave.Status());
        if (stop && stop()) {
            stoppet = true;
            break;
        }
    }
    opgave.Afslut(stoppet);
    return !stoppet;
}
