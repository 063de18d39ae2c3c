#include "db/Svarvagt.h"

#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <string_view>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr std::chrono::milliseconds standardGraense{35000};

// The kernel's name of a descriptor ("socket:[4711]"), or "" when it is no socket.
std::string SokkelNavn(int fd)
{
    char navn[64];
    const std::string sti = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t n = ::readlink(sti.c_str(), navn, sizeof navn);
    if (n <= 0 || std::string_view(navn, static_cast<size_t>(n)).rfind("socket:", 0) != 0)
        return "";
    return std::string(navn, static_cast<size_t>(n));
}

std::vector<std::pair<int, std::string>> AabneSokler()
{
    std::vector<std::pair<int, std::string>> sokler;
    DIR* mappe = ::opendir("/proc/self/fd");
    if (mappe == nullptr)
        return sokler;
    while (const dirent* post = ::readdir(mappe)) {
        char* slut = nullptr;
        const long fd = std::strtol(post->d_name, &slut, 10);
        if (slut == post->d_name || *slut != '\0')
            continue;
        if (std::string navn = SokkelNavn(static_cast<int>(fd)); !navn.empty())
            sokler.emplace_back(static_cast<int>(fd), std::move(navn));
    }
    ::closedir(mappe);
    return sokler;
}

} // namespace

std::chrono::milliseconds Svarvagt::Graense()
{
    const char* tekst = std::getenv("BRIKKEN_SVARTID");
    if (tekst == nullptr || *tekst == '\0')
        return standardGraense;
    char* slut = nullptr;
    const double sekunder = std::strtod(tekst, &slut);
    if (*slut != '\0' || !(sekunder > 0) || sekunder > 3600)
        return standardGraense;
    return std::chrono::milliseconds(static_cast<int64_t>(sekunder * 1000));
}

Svarvagt::Svarvagt() : graense_(Graense()), traad_([this] { Vagt(); }) {}

Svarvagt::~Svarvagt()
{
    {
        const std::lock_guard laas(mutex_);
        stop_ = true;
    }
    vaek_.notify_one();
    traad_.join();
}

void Svarvagt::FoerForbindelse()
{
    std::set<std::string> foer;
    for (auto& [fd, navn] : AabneSokler())
        foer.insert(std::move(navn));
    const std::lock_guard laas(mutex_);
    foer_ = std::move(foer);
    sokler_.clear();
    forbundet_ = false;
}

void Svarvagt::EfterForbindelse()
{
    std::vector<Sokkel> nye;
    for (auto& sokkel : AabneSokler()) {
        if (!foer_.contains(sokkel.second))
            nye.push_back(std::move(sokkel));
    }
    const std::lock_guard laas(mutex_);
    sokler_ = std::move(nye);
    forbundet_ = true;
}

void Svarvagt::Begynd()
{
    {
        const std::lock_guard laas(mutex_);
        venter_ = true;
        udloebet_ = false;
        start_ = std::chrono::steady_clock::now();
        ++nummer_;
    }
    vaek_.notify_one();
}

bool Svarvagt::Slut()
{
    const std::lock_guard laas(mutex_);
    venter_ = false;
    return udloebet_;
}

void Svarvagt::Vagt()
{
    std::unique_lock laas(mutex_);
    while (!stop_) {
        if (!venter_) {
            vaek_.wait(laas);
            continue;
        }
        const uint64_t nummer = nummer_;
        const bool afsluttet = vaek_.wait_until(laas, start_ + graense_,
                                                [&] { return stop_ || !venter_ || nummer_ != nummer; });
        if (afsluttet)
            continue;
        Afbryd();
        udloebet_ = true;
        venter_ = false;
    }
}

// While the connection is being opened its sockets are the new ones; later
// only those it had then, and only while the descriptor still names the same
// socket. Shutting a socket down wakes a call blocked on it with an error;
// the descriptor stays the client library's to close.
void Svarvagt::Afbryd()
{
    if (forbundet_) {
        for (const auto& [fd, navn] : sokler_) {
            if (SokkelNavn(fd) == navn)
                ::shutdown(fd, SHUT_RDWR);
        }
        return;
    }
    for (const auto& [fd, navn] : AabneSokler()) {
        if (!foer_.contains(navn))
            ::shutdown(fd, SHUT_RDWR);
    }
}
