#pragma once

#include "app/Opgave.h"
#include "fuldfoerelse/Fuldfoerelse.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

class Vorivazi;

// The generation's four settings as the dialog and the command line give them.
struct Genereringsvalg {
    int32_t frekvens = 1;
    int32_t styrke = 4;
    int32_t dage = 5;
    int32_t timer = 8;
    bool skrivebeskyttet = true;
};

// One generation, a step of placing per slice. Stopped, the lessons placed
// so far stay in the timetables.
class Genereringsopgave : public Opgave {
public:
    // genereret: an earlier generation of the plan completed, so this one goes on from it.
    Genereringsopgave(Vorivazi& vorivazi, const Genereringsvalg& valg, bool genereret);

    bool Naeste() override;
    Fremskridt Status() const override;
    void Afslut(bool stoppet) override;
    // Phases 1 and 2 ran, so the timetables may have changed.
    bool Lykkedes() const { return lykkedes_; }

private:
    Vorivazi& vorivazi_;
    Genereringsvalg valg_;
    bool genereret_;
    bool begyndt_ = false;
    bool lykkedes_ = false;
};

// Automatic generation: one generation per width of the day, 1, 2, … hours,
// each going on from the last that completed.
class AutoGenereringsopgave : public Opgave {
public:
    AutoGenereringsopgave(Vorivazi& vorivazi, const Genereringsvalg& valg, bool genereret);

    bool Naeste() override;
    Fremskridt Status() const override;
    void Afslut(bool stoppet) override;
    bool NogenLykkedes() const { return nogenLykkedes_; }
    // Some generation of the plan completed, this one's or an earlier one.
    bool Genereret() const { return genereret_; }
    // Runs finished so far, out of Koersler().
    int32_t Faerdige() const { return timer_ - 1; }
    int32_t Koersler() const { return koersler_; }

private:
    Vorivazi& vorivazi_;
    Genereringsvalg valg_;
    bool genereret_;
    int32_t koersler_;
    int32_t timer_ = 1;
    std::unique_ptr<Genereringsopgave> koersel_;
    bool nogenLykkedes_ = false;
};

// The completion, a few hundred steps of the search per slice. Stopped, it
// keeps the best timetables found so far. Its slices touch only the
// completion's copy of the plan, so they may run on a thread of their own
// (Baggrundskoersel); given that runner's stop flag, a slice ends as soon as
// it is set, also inside the exact solver.
class Fuldfoerelsesopgave : public Opgave {
public:
    Fuldfoerelsesopgave(Vorivazi& vorivazi, int64_t skive, const std::atomic<bool>* stop = nullptr);

    bool Naeste() override;
    Fremskridt Status() const override;
    void Afslut(bool stoppet) override;
    // False without an open plan: then there is nothing to run.
    bool Klar() const { return fuldfoerelse_ != nullptr; }
    bool Forbedret() const;
    // "Fuldført: placeret …", once finished.
    const std::string& Linje() const { return linje_; }

private:
    Vorivazi& vorivazi_;
    // Before the completion is made: the check it runs first counts too.
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    std::unique_ptr<Fuldfoerelse> fuldfoerelse_;
    int64_t skive_;
    std::string linje_;
};
