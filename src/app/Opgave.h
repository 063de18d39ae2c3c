#pragma once

#include <cstdint>
#include <functional>
#include <string>

// How far a long piece of work has come.
struct Fremskridt {
    int64_t gjort = 0;
    int64_t ialt = 0; // 0 when not known
    std::string tekst;
};

// Long work done in slices: completing the timetables, generating them, one
// run after another of automatic generation. The one runner below drives
// every kind, so the window and the command line show progress and stop it
// the same way, always between two slices.
class Opgave {
public:
    virtual ~Opgave() = default;
    // The next slice; false once there is nothing left to do.
    virtual bool Naeste() = 0;
    virtual Fremskridt Status() const = 0;
    // After the last slice, or when stopped before it: what was found or
    // placed so far is kept (the completion keeps the best timetables found).
    virtual void Afslut(bool stoppet) = 0;
};

// Runs the slices until the work is done or `stop`, asked between two
// slices (the window's Stop button, the command line's clock), says so;
// `vis` hears how far it has come after every slice. The work is finished
// either way. True when it ran to the end.
bool KoerOpgave(Opgave& opgave, const std::function<bool()>& stop = {},
                const std::function<void(const Fremskridt&)>& vis = {});
