#pragma once

#include "base/Besked.h"
#include "db/SqlKlasse.h"

// Runs a handler of a window. A database error (an unreachable server, say)
// abandons the handler with the engine's text in a message box, and the
// program goes on; the windows stay as the handler left them.
template <typename Handler>
void Fejlsikret(Handler&& handler)
{
    try {
        handler();
    } catch (const DatabaseFejl& fejl) {
        Besked().VisFejl(fejl.what(), fejlTitel);
    }
}

// A slot that runs the object's handler through Fejlsikret.
template <typename Vindue>
auto Sikret(Vindue* vindue, void (Vindue::*handler)())
{
    return [vindue, handler] { Fejlsikret([vindue, handler] { (vindue->*handler)(); }); };
}
