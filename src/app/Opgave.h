#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

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

// The slices of a job that touches only its own data (the completion's copy
// of the plan) on a thread of their own, so the calling thread stays free
// for the window. `stop` is heard between two slices, and by the job itself
// when it was given the same flag. Status and Faerdig may be asked at any
// time; Afslut finishes the job on the calling thread, which is where
// everything the job writes back belongs.
class Baggrundskoersel {
public:
    Baggrundskoersel(Opgave& opgave, const std::atomic<bool>& stop);
    ~Baggrundskoersel();
    Baggrundskoersel(const Baggrundskoersel&) = delete;
    Baggrundskoersel& operator=(const Baggrundskoersel&) = delete;

    // The slices are over: run to the end or stopped.
    bool Faerdig() const { return faerdig_.load(); }
    // How far it had come after the last slice.
    Fremskridt Status() const;
    // Waits for the slices, then finishes the job; true when it ran to the end.
    bool Afslut();

private:
    Opgave& opgave_;
    mutable std::mutex laas_;
    Fremskridt status_;
    std::atomic<bool> faerdig_{false};
    bool helt_ = false;
    std::thread traad_;
};

// A clock that sets a stop flag once its time is up, from a thread of its
// own, so that work which hears the flag ends inside a slice too (the exact
// solver). The command line's `--seconds`. Work that ends in time never sees it.
class Tidsfrist {
public:
    explicit Tidsfrist(std::chrono::milliseconds frist);
    ~Tidsfrist();
    Tidsfrist(const Tidsfrist&) = delete;
    Tidsfrist& operator=(const Tidsfrist&) = delete;

    const std::atomic<bool>& Stop() const { return stop_; }

private:
    std::atomic<bool> stop_{false};
    std::mutex laas_;
    std::condition_variable vaekket_;
    bool slut_ = false;
    std::thread traad_;
};
