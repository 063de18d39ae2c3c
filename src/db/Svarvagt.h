#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

// Bounds every wait on a database server. A server that stops answering
// while its host still acknowledges what is sent (a stalled proxy or tunnel,
// a frozen virtual machine) passes every keep-alive probe, and the client
// library would wait for ever. When one wait runs past the limit, the
// watchdog shuts the connection's sockets down from its own thread, so that
// the waiting call fails at once.
//
// The connection's sockets are the ones that appeared while it was opened;
// the client libraries do not hand theirs out in a common way.
class Svarvagt {
public:
    // BRIKKEN_SVARTID (seconds, decimals allowed) when set, otherwise 35 s:
    // a little longer than the server's own statement timeout, so that a wait
    // for another planner's save still ends in the server's orderly refusal.
    static std::chrono::milliseconds Graense();

    Svarvagt();
    ~Svarvagt();
    Svarvagt(const Svarvagt&) = delete;
    Svarvagt& operator=(const Svarvagt&) = delete;

    // Around opening the connection: the sockets that appear in between are its.
    void FoerForbindelse();
    void EfterForbindelse();

    // Around one call that waits on the server; Slut is true when the wait
    // ran out and the connection was cut.
    void Begynd();
    bool Slut();

private:
    using Sokkel = std::pair<int, std::string>; // descriptor, the kernel's name of the socket

    void Vagt();
    void Afbryd();

    const std::chrono::milliseconds graense_;
    std::mutex mutex_;
    std::condition_variable vaek_;
    bool stop_ = false;
    bool venter_ = false;
    bool udloebet_ = false;
    uint64_t nummer_ = 0; // counts the waits, so that a new one is never taken for the old
    std::chrono::steady_clock::time_point start_;
    std::set<std::string> foer_; // the process's sockets before the connection was opened
    std::vector<Sokkel> sokler_; // the connection's, once it is open
    bool forbundet_ = false;
    std::thread traad_;
};
