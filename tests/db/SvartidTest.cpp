// A server that stops answering while its host still acknowledges what is
// sent: a loopback forwarder between the program and the test server stops
// forwarding, and every wait must end within the limit.
#include "db/Portal.h"
#include "db/SqlKlasse.h"
#include "db/TSqlModul.h"
#include "support/TestDatabase.h"
#include "support/TestModtager.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Ur = std::chrono::steady_clock;

// Forwards 127.0.0.1:Port() to the server's port. Once stopped it reads and
// writes nothing more and accepts no one, but keeps every socket open: the
// kernel still acknowledges what the client sends, as a stalled server's does.
class Videresender {
public:
    explicit Videresender(uint16_t maal) : maal_(maal)
    {
        lytter_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in adresse = Adresse(0);
        socklen_t laengde = sizeof adresse;
        if (::bind(lytter_, reinterpret_cast<sockaddr*>(&adresse), sizeof adresse) != 0 || ::listen(lytter_, 8) != 0 ||
            ::getsockname(lytter_, reinterpret_cast<sockaddr*>(&adresse), &laengde) != 0)
            ADD_FAILURE() << "the forwarder cannot listen";
        port_ = ntohs(adresse.sin_port);
        traad_ = std::thread([this] { Koer(); });
    }

    ~Videresender()
    {
        slut_ = true;
        traad_.join();
        for (const auto& [klient, server] : par_) {
            ::close(klient);
            ::close(server);
        }
        ::close(lytter_);
    }

    Videresender(const Videresender&) = delete;
    Videresender& operator=(const Videresender&) = delete;

    uint16_t Port() const { return port_; }
    // Stops once this many more bytes have gone from the client to the server.
    void StopEfter(int64_t bytes) { tilbage_ = bytes; }

private:
    static sockaddr_in Adresse(uint16_t port)
    {
        sockaddr_in adresse{};
        adresse.sin_family = AF_INET;
        adresse.sin_port = htons(port);
        adresse.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return adresse;
    }

    bool Stoppet() const { return tilbage_ == 0; }

    void Koer()
    {
        while (!slut_) {
            std::vector<pollfd> vent{{lytter_, static_cast<short>(Stoppet() ? 0 : POLLIN), 0}};
            for (const auto& [klient, server] : par_) {
                const auto haendelser = static_cast<short>(Stoppet() ? 0 : POLLIN);
                vent.push_back({klient, haendelser, 0});
                vent.push_back({server, haendelser, 0});
            }
            if (::poll(vent.data(), vent.size(), 20) <= 0)
                continue;
            for (size_t i = 0; 2 * i + 1 < vent.size(); ++i) {
                if ((vent[1 + 2 * i].revents & POLLIN) != 0)
                    Send(par_[i].first, par_[i].second, true);
                if ((vent[2 + 2 * i].revents & POLLIN) != 0)
                    Send(par_[i].second, par_[i].first, false);
            }
            if ((vent[0].revents & POLLIN) != 0)
                TagImod();
        }
    }

    void TagImod()
    {
        const int klient = ::accept(lytter_, nullptr, nullptr);
        const int server = ::socket(AF_INET, SOCK_STREAM, 0);
        const sockaddr_in adresse = Adresse(maal_);
        if (::connect(server, reinterpret_cast<const sockaddr*>(&adresse), sizeof adresse) != 0)
            ADD_FAILURE() << "the forwarder cannot reach the server";
        par_.emplace_back(klient, server);
    }

    void Send(int fra, int til, bool fraKlienten)
    {
        char buffer[4096];
        int64_t hoejst = sizeof buffer;
        if (fraKlienten && tilbage_ > 0)
            hoejst = std::min<int64_t>(hoejst, tilbage_);
        if (Stoppet())
            return;
        const ssize_t n = ::read(fra, buffer, static_cast<size_t>(hoejst));
        if (n <= 0)
            return;
        if (fraKlienten && tilbage_ > 0)
            tilbage_ -= n;
        for (ssize_t sendt = 0; sendt < n;) {
            const ssize_t m = ::write(til, buffer + sendt, static_cast<size_t>(n - sendt));
            if (m <= 0)
                return;
            sendt += m;
        }
    }

    uint16_t maal_;
    int lytter_ = -1;
    uint16_t port_ = 0;
    std::vector<std::pair<int, int>> par_; // the forwarder's thread's alone
    std::atomic<int64_t> tilbage_{-1};     // bytes still to forward from the client; -1 without end
    std::atomic<bool> slut_{false};
    std::thread traad_;
};

// The test server's port, from the address scripts/test.sh exports.
uint16_t ServerPort()
{
    const std::string adresse = std::getenv("BRIKKEN_TEST_PG");
    const size_t vaert = adresse.find('@') + 1;
    const size_t kolon = adresse.find(':', vaert);
    return static_cast<uint16_t>(std::stoi(adresse.substr(kolon + 1, adresse.find('/', kolon) - kolon - 1)));
}

// The test database reached through the forwarder.
std::string GennemVideresender(const TestDatabase& db, uint16_t port)
{
    const std::string& forbindelse = db.Forbindelse();
    if (db.Motor() == "odbc")
        return forbindelse + ";Servername=127.0.0.1;Port=" + std::to_string(port);
    const size_t vaert = forbindelse.find('@') + 1;
    const size_t skraastreg = forbindelse.find('/', vaert);
    return forbindelse.substr(0, vaert) + "127.0.0.1:" + std::to_string(port) + forbindelse.substr(skraastreg);
}

class ServerDerIkkeSvarer : public DatabaseTest {
protected:
    ServerDerIkkeSvarer() : DatabaseTest(TestDatabase::Indhold::Skema) {}

    void SetUp() override
    {
        DatabaseTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        if (db_->Motor() == "sqlite")
            GTEST_SKIP() << "a file has no server to wait for";
        ::setenv("BRIKKEN_SVARTID", "1.5", 1);
        videresender_ = std::make_unique<Videresender>(ServerPort());
    }

    void TearDown() override
    {
        TSqlModul::Instans().Luk();
        videresender_.reset();
        ::unsetenv("BRIKKEN_SVARTID");
        DatabaseTest::TearDown();
    }

    void VaelgVideresender()
    {
        std::string fejl;
        ASSERT_TRUE(TSqlModul::Instans().VaelgForbindelse(GennemVideresender(*db_, videresender_->Port()), fejl))
            << fejl;
    }

    void VaelgServeren()
    {
        std::string fejl;
        ASSERT_TRUE(TSqlModul::Instans().VaelgForbindelse(db_->Forbindelse(), fejl)) << fejl;
    }

    std::unique_ptr<Videresender> videresender_;
};

// Well under the client libraries' own connect timeouts, which would end a stalled opening too.
constexpr auto iTide = std::chrono::seconds(5);
const std::string intetSvar = "har ikke svaret i 1,5 sekunder";

int32_t AntalLektioner()
{
    SqlKlasse sql(Datakilde::database);
    int32_t antal = -1;
    EXPECT_TRUE(sql.Forespoerg("select count(*) as n from Lektion"));
    EXPECT_TRUE(sql.HentTal("n", antal));
    return antal;
}

std::unique_ptr<Portal> AabnPlan(const std::vector<std::string>& hold)
{
    stack<std::string> holdIds, laerere, lokaler;
    for (const std::string& h : hold) {
        holdIds.push(h);
        laerere.push("L" + h);
        lokaler.push("R" + h);
    }
    auto portal = std::make_unique<Portal>("P", 5, 8, Datakilde::database);
    portal->SaetNavnestakke(std::move(holdIds), std::move(laerere), std::move(lokaler));
    portal->Indlaes();
    return portal;
}

void FyldUgen(Portal& portal, const std::vector<std::string>& hold, const std::string& fag)
{
    portal.RydSkemaer();
    for (const std::string& h : hold) {
        for (int32_t dag = 0; dag < 5; ++dag) {
            for (int32_t time = 0; time < 8; ++time)
                portal.SaetLektion(h, fag, "L" + h, "R" + h, 1, dag, time);
        }
    }
}

} // namespace

TEST_F(ServerDerIkkeSvarer, OpeningEndsInTimeWithAMessage)
{
    videresender_->StopEfter(0);
    VaelgVideresender();
    const auto start = Ur::now();
    std::string fejl;
    EXPECT_FALSE(TSqlModul::Instans().Forbind(fejl));
    EXPECT_LT(Ur::now() - start, iTide);
    EXPECT_NE(fejl.find(intetSvar), std::string::npos) << fejl;
    EXPECT_NE(fejl.find("ingen forbindelse"), std::string::npos) << fejl;
}

TEST_F(ServerDerIkkeSvarer, ASaveCutOffAnywhereLeavesTheStoredPlanAndTheTimetablesIntact)
{
    std::vector<std::string> hold;
    for (int i = 0; i < 20; ++i)
        hold.push_back("H" + std::to_string(i));
    VaelgServeren();
    {
        MedTestModtager m;
        auto portal = AabnPlan(hold);
        FyldUgen(*portal, hold, "Gammel");
        ASSERT_TRUE(portal->Gem());
    }
    TSqlModul::Instans().Luk();

    // Before the save starts, after its first statements and among its inserts.
    for (const int64_t bytes : {0, 200, 4000}) {
        VaelgVideresender();
        MedTestModtager m;
        auto portal = AabnPlan(hold);
        FyldUgen(*portal, hold, "Ny");
        videresender_->StopEfter(bytes);
        const auto start = Ur::now();
        try {
            portal->Gem();
            ADD_FAILURE() << "a save through a stalled server succeeded";
        } catch (const DatabaseFejl& fejl) {
            EXPECT_NE(std::string(fejl.what()).find(intetSvar), std::string::npos) << fejl.what();
        }
        EXPECT_LT(Ur::now() - start, iTide) << bytes << " bytes";
        EXPECT_EQ(portal->AntalLektionerIalt(), 20 * 40);
        EXPECT_TRUE(portal->HarFag("H0", "Ny", 0, 0));

        VaelgServeren();
        EXPECT_EQ(AntalLektioner(), 20 * 40);
        auto lagret = AabnPlan(hold);
        EXPECT_TRUE(lagret->HarFag("H0", "Gammel", 0, 0)) << "after " << bytes << " bytes";
        TSqlModul::Instans().Luk();
        videresender_ = std::make_unique<Videresender>(ServerPort());
    }
}

TEST_F(ServerDerIkkeSvarer, AQueryAfterTheCutReconnects)
{
    VaelgVideresender();
    EXPECT_EQ(AntalLektioner(), 0);
    videresender_->StopEfter(0);
    EXPECT_THROW(AntalLektioner(), DatabaseFejl);
    videresender_ = std::make_unique<Videresender>(ServerPort());
    VaelgVideresender();
    EXPECT_EQ(AntalLektioner(), 0);
}
