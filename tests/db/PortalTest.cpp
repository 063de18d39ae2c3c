// Loading and saving a plan's lessons and time priorities, on every engine.
#include "db/Portal.h"
#include "db/SqlKlasse.h"
#include "db/TSqlModul.h"
#include "support/MidlertidigMappe.h"
#include "support/TestDatabase.h"
#include "support/TestModtager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Raekker = std::vector<std::string>;

const std::string planA = "Plan'A";
const std::vector<std::string> holdIds = {"1.a", "O'Brien's"};
const std::vector<std::string> laererIds = {"Åse", "O'Brien", "Bo"};
const std::vector<std::string> lokaleIds = {"A1", "Fys'1", "Hal"};

void udfoer(const std::string& saetning, const SqlParametre& vaerdier = {})
{
    ASSERT_TRUE(SqlKlasse(Datakilde::database).UdfoerSql(saetning, vaerdier)) << saetning;
}

// "hold fag laerer lokale blok kolonne raekke"
void gemLektion(const std::string& plan, const std::string& raekke)
{
    std::istringstream felter(raekke);
    std::string hold, fag, laerer, lokale;
    int32_t blok = 0, kolonne = 0, raekkeNr = 0;
    felter >> hold >> fag >> laerer >> lokale >> blok >> kolonne >> raekkeNr;
    udfoer("insert into Lektion values (?,?,?,?,?,?,?,?)", {plan, hold, fag, laerer, lokale, blok, kolonne, raekkeNr});
}

// "laerer prioritet kolonne raekke"
void gemPrioritet(const std::string& plan, const std::string& raekke)
{
    std::istringstream felter(raekke);
    std::string laerer;
    int32_t prioritet = 0, kolonne = 0, raekkeNr = 0;
    felter >> laerer >> prioritet >> kolonne >> raekkeNr;
    udfoer("insert into Tidsprioritet values (?,?,?,?,?)", {plan, laerer, prioritet, kolonne, raekkeNr});
}

// The stored rows of a plan without the plan id, fields joined by blanks.
Raekker lagrede(const std::string& forespoergsel, const std::string& plan, const std::vector<std::string>& tekster,
                const std::vector<std::string>& tal)
{
    SqlKlasse sql(Datakilde::database);
    Raekker raekker;
    if (!sql.Forespoerg(forespoergsel, {plan}))
        return raekker;
    while (true) {
        std::string raekke;
        for (const std::string& kolonne : tekster) {
            std::string vaerdi;
            if (!sql.HentTekst(kolonne, vaerdi))
                return raekker;
            raekke += (raekke.empty() ? "" : " ") + vaerdi;
        }
        for (const std::string& kolonne : tal) {
            int32_t vaerdi = 0;
            if (!sql.HentTal(kolonne, vaerdi))
                return raekker;
            raekke += " " + std::to_string(vaerdi);
        }
        raekker.push_back(raekke);
        if (!sql.Naeste())
            return raekker;
    }
}

Raekker lagredeLektioner(const std::string& plan)
{
    return lagrede("select * from Lektion where PlanID_Le = ? order by HoldID_Le, FagID_Le, LaererID_Le, "
                   "LokaleID_Le, Blokstoerrelse_Le, Kolonne_Le, Raekke_Le",
                   plan, {"HoldID_Le", "FagID_Le", "LaererID_Le", "LokaleID_Le"},
                   {"Blokstoerrelse_Le", "Kolonne_Le", "Raekke_Le"});
}

Raekker lagredePrioriteter(const std::string& plan)
{
    return lagrede("select * from Tidsprioritet where PlanID_Ti = ? order by LaererID_Ti, Kolonne_Ti, Raekke_Ti", plan,
                   {"LaererID_Ti"}, {"Prioritet_Ti", "Kolonne_Ti", "Raekke_Ti"});
}

// Sorted as the queries above sort them (byte order).
const Raekker lektionerA = {
    "1.a Dansk Åse A1 1 0 0",       "1.a Fysik O'Brien Fys'1 2 1 2", "1.a Fysik O'Brien Fys'1 2 1 3",
    "O'Brien's Dansk Åse A1 1 0 1", "O'Brien's Idræt Bo Hal 1 4 7",
};
const Raekker prioriteterA = {"Bo -1 3 3", "O'Brien 3 2 2", "Åse 2 0 5", "Åse -3 4 0"};

class PortalDb : public DatabaseTest {
protected:
    PortalDb() : DatabaseTest(TestDatabase::Indhold::Skema) {}

    void GemPlanA()
    {
        for (const std::string& l : lektionerA)
            gemLektion(planA, l);
        for (const std::string& p : prioriteterA)
            gemPrioritet(planA, p);
    }

    std::unique_ptr<Portal> Aabn(const std::string& plan, const std::vector<std::string>& hold = holdIds,
                                 const std::vector<std::string>& laerer = laererIds,
                                 const std::vector<std::string>& lokale = lokaleIds)
    {
        Fyld(hold_, hold);
        Fyld(laerer_, laerer);
        Fyld(lokale_, lokale);
        auto portal = std::make_unique<Portal>(plan, 5, 8, Datakilde::database);
        portal->SaetNavnestakke(std::move(hold_), std::move(laerer_), std::move(lokale_));
        portal->Indlaes();
        return portal;
    }

    static void Fyld(stack<std::string>& stak, const std::vector<std::string>& ids)
    {
        for (const std::string& id : ids)
            stak.push(id);
    }

    stack<std::string> hold_;
    stack<std::string> laerer_;
    stack<std::string> lokale_;
};

std::vector<std::string> etiketter(const TestModtager& m)
{
    std::vector<std::string> etiketter;
    for (const auto& linje : m.tidsLinjer)
        etiketter.push_back(std::to_string(linje.raekke) + " " + linje.etiket);
    return etiketter;
}

} // namespace

TEST_F(PortalDb, SavingAtOnceWritesBackTheStoredRows)
{
    GemPlanA();
    gemLektion(planA, "Ukendt Dansk Bo Hal 1 2 2"); // a class the plan does not have
    gemLektion("Plan2", "1.a Dansk Åse A1 1 3 3");
    gemPrioritet("Plan2", "Åse -3 0 0");
    MedTestModtager m;
    auto portal = Aabn(planA);

    EXPECT_EQ(portal->AntalLektionerIalt(), 5);
    EXPECT_TRUE(portal->ErDobbeltLektion("1.a", SkemaArt::hold, 1, 2));
    EXPECT_EQ(portal->AntalLektioner("O'Brien", SkemaArt::laerer), 2);
    EXPECT_TRUE(portal->ErSpaerret("Åse", 4, 0));
    EXPECT_TRUE(portal->KontrollerAlle());

    ASSERT_TRUE(portal->Gem());
    // The lesson of the unknown class is told about once at opening and kept.
    ASSERT_EQ(m.modtager.bokse.size(), 1U);
    EXPECT_EQ(m.modtager.bokse[0].art, "info");
    Raekker medUkendt = lektionerA;
    medUkendt.push_back("Ukendt Dansk Bo Hal 1 2 2");
    EXPECT_EQ(lagredeLektioner(planA), medUkendt);
    EXPECT_EQ(lagredePrioriteter(planA), prioriteterA);
    EXPECT_EQ(lagredeLektioner("Plan2"), Raekker{"1.a Dansk Åse A1 1 3 3"});
    EXPECT_EQ(lagredePrioriteter("Plan2"), Raekker{"Åse -3 0 0"});
    EXPECT_EQ(m.modtager.tidsTitler, std::vector<std::string>{"Gemning"});
    EXPECT_EQ(etiketter(m.modtager),
              (std::vector<std::string>{"1 Sletning af lektioner:", "2 Gemning af nye lektioner: ",
                                        "3 Sletning af Prioriteter: ", "4 Gemning af nye Prioriteter: ", "5 Total: "}));
}

TEST_F(PortalDb, APlanWithoutLessonsKeepsItsPriorities)
{
    for (const std::string& p : prioriteterA)
        gemPrioritet(planA, p);
    MedTestModtager m;
    auto portal = Aabn(planA);

    EXPECT_EQ(portal->AntalLektionerIalt(), 0);
    EXPECT_EQ(portal->AntalSpaerringer("Åse"), 1);
    EXPECT_TRUE(portal->ErSpaerret("Åse", 4, 0));
    ASSERT_TRUE(portal->Gem());
    EXPECT_TRUE(lagredeLektioner(planA).empty());
    EXPECT_EQ(lagredePrioriteter(planA), prioriteterA);
}

namespace {

const std::vector<std::string> lektionsKolonner = {"PlanID_Le",   "HoldID_Le",         "FagID_Le",   "LaererID_Le",
                                                   "LokaleID_Le", "Blokstoerrelse_Le", "Kolonne_Le", "Raekke_Le"};
const std::vector<std::string> prioritetsKolonner = {"PlanID_Ti", "LaererID_Ti", "Prioritet_Ti", "Kolonne_Ti",
                                                     "Raekke_Ti"};

// Every stored row of the table exactly as the engine gives it (texts quoted, NULL named), sorted.
Raekker raaRaekker(const std::string& tabel, const std::vector<std::string>& kolonner)
{
    SqlKlasse sql(Datakilde::database);
    Raekker raekker;
    bool flere = sql.Forespoerg("select * from " + tabel);
    for (; flere; flere = sql.Naeste()) {
        std::string raekke;
        for (const std::string& kolonne : kolonner) {
            SqlVaerdi v;
            if (!sql.HentVaerdi(kolonne, v))
                break;
            if (const auto* tekst = std::get_if<std::string>(&v))
                raekke += "'" + *tekst + "' ";
            else if (const auto* tal = std::get_if<int32_t>(&v))
                raekke += std::to_string(*tal) + " ";
            else if (const auto* bytes = std::get_if<SqlBytes>(&v))
                raekke += SomHex(*bytes) + " ";
            else
                raekke += "NULL ";
        }
        if (!raekke.empty())
            raekker.push_back(raekke);
    }
    std::sort(raekker.begin(), raekker.end());
    return raekker;
}

} // namespace

TEST_F(PortalDb, RowsThatCannotBeUsedAreReportedAndSavedBackUnchanged)
{
    for (const char* l : {"1.a Dansk Åse A1 1 0 0", "1.a Engelsk Bo Hal 1 0 0", "O'Brien's Musik Åse Hal 1 0 0",
                          "O'Brien's Natur Bo A1 1 0 0", "1.a Dansk Åse A1 1 5 0", "1.a Dansk Åse A1 1 0 8",
                          "1.a Dansk Åse A1 1 -1 3", "1.a Natur Bo Hal 0 3 4", "1.a Natur Orlov Hal 1 3 5"})
        gemLektion(planA, l);
    udfoer("insert into Lektion values (?, null, 'Dansk', 'Åse', 'A1', 1, 2, 2)", {planA});
    udfoer("insert into Lektion values (?, '1.a', 'Natur', 'Bo', 'Hal', null, 3, 3)", {planA});
    udfoer("insert into Lektion values (?, '1.a', 'Natur', 'Bo', 'Hal', 1, null, 3)", {planA});
    udfoer("insert into Tidsprioritet values (?, 'Bo', -3, 2, null)", {planA});
    // A teacher on leave is not in the plan; her unavailable hours must survive it.
    for (const char* p : {"Åse 4 1 1", "Åse -4 1 2", "Åse -3 5 0", "Bo -3 0 8", "Orlov -3 0 0", "Orlov -3 0 1",
                          "Bo -2 1 1", "Bo 3 1 1", "Bo -1 1 2"})
        gemPrioritet(planA, p);
    const bool sqlite = db_->Motor() == "sqlite";
    if (sqlite) {
        // Only SQLite stores what its columns are not declared for.
        udfoer("insert into Lektion values (?, '1.a', 'Natur', 'Bo', 'Hal', 1, 'abc', 1)", {planA});
        udfoer("insert into Lektion values (?, '1.a', 'Natur', 'Bo', 'Hal', 1, 4294967297, 1)", {planA});
        udfoer("insert into Lektion values (?, cast(X'31FF61' as text), 'Natur', 'Bo', 'Hal', 1, 4, 1)", {planA});
        udfoer("insert into Tidsprioritet values (?, 'Bo', 2147483648, 4, 4)", {planA});
    }
    const Raekker lektionerFoer = raaRaekker("Lektion", lektionsKolonner);
    const Raekker prioriteterFoer = raaRaekker("Tidsprioritet", prioritetsKolonner);
    MedTestModtager m;
    auto portal = Aabn(planA);

    EXPECT_EQ(portal->AntalLektionerIalt(), 1);
    EXPECT_EQ(portal->AntalSpaerringer("Bo"), 0);
    EXPECT_TRUE(portal->KontrollerAlle());
    ASSERT_EQ(m.modtager.bokse.size(), 1U);
    const std::string& besked = m.modtager.bokse[0].tekst;
    EXPECT_NE(besked.find("3 lektioner på en time, der allerede er optaget"), std::string::npos) << besked;
    EXPECT_NE(besked.find("3 lektioner uden for planens dage og timer"), std::string::npos) << besked;
    EXPECT_NE(besked.find("1 lektion med blokstørrelse under 1"), std::string::npos) << besked;
    EXPECT_NE(besked.find("3 lektioner med tomme felter"), std::string::npos) << besked;
    EXPECT_NE(besked.find("2 tidsprioriteter for en lærer, der ikke er i planen"), std::string::npos) << besked;
    EXPECT_NE(besked.find("1 tidsprioritet for en time, der allerede har en prioritet"), std::string::npos) << besked;
    const auto rapporteret = std::count_if(m.modtager.logLinjer.begin(), m.modtager.logLinjer.end(),
                                           [](const std::string& l) { return l.rfind("Gemt ", 0) == 0; });
    EXPECT_EQ(lektionerFoer.size(), sqlite ? 15U : 12U);
    EXPECT_EQ(prioriteterFoer.size(), sqlite ? 11U : 10U);
    EXPECT_EQ(static_cast<size_t>(rapporteret), lektionerFoer.size() - 1 + prioriteterFoer.size() - 2);

    ASSERT_TRUE(portal->Gem());
    EXPECT_EQ(raaRaekker("Lektion", lektionsKolonner), lektionerFoer);
    EXPECT_EQ(raaRaekker("Tidsprioritet", prioritetsKolonner), prioriteterFoer);
}

TEST_F(PortalDb, PinsThatCannotBeUsedAreReportedKeptAndSavedBack)
{
    GemPlanA();
    udfoer("create table Fastlaasning (PlanID_Fa varchar(255) not null, HoldID_Fa varchar(255) not null, "
           "Kolonne_Fa integer not null, Raekke_Fa integer not null)");
    const auto fastlaas = [](const std::string& plan, const std::string& hold, int32_t kolonne, int32_t raekke) {
        udfoer("insert into Fastlaasning values (?, ?, ?, ?)", {plan, hold, kolonne, raekke});
    };
    fastlaas(planA, "1.a", 1, 2);
    fastlaas(planA, "1.a", 1, 2);
    fastlaas(planA, "Ukendt", 0, 0);
    fastlaas(planA, "1.a", 5, 0);
    fastlaas(planA, "O'Brien's", 0, 8);
    fastlaas("Plan2", "Ukendt", 0, 0);
    const bool sqlite = db_->Motor() == "sqlite";
    if (sqlite) {
        udfoer("insert into Fastlaasning values (?, '1.a', 'abc', 1)", {planA});
        udfoer("insert into Fastlaasning values (?, '1.a', 4294967297, 1)", {planA});
        // Bytes, one with a NUL and one that is no UTF-8, go back as the same bytes.
        udfoer("insert into Fastlaasning values (?, X'00312E61', 0, 1)", {planA});
        udfoer("insert into Fastlaasning values (?, X'FFFE', 0, 2)", {planA});
    }
    const std::vector<std::string> kolonner = {"PlanID_Fa", "HoldID_Fa", "Kolonne_Fa", "Raekke_Fa"};
    const Raekker foer = raaRaekker("Fastlaasning", kolonner);
    MedTestModtager m;
    auto portal = Aabn(planA);

    EXPECT_EQ(portal->AntalLektionerIalt(), 5);
    EXPECT_EQ(portal->Fastlaaste(), (std::set<Portal::Fastlaasning>{{"1.a", 1, 2}}));
    ASSERT_EQ(m.modtager.bokse.size(), 1U);
    const std::string& besked = m.modtager.bokse[0].tekst;
    EXPECT_NE(besked.find("1 fastlåsning for et hold, der ikke er i planen"), std::string::npos) << besked;
    EXPECT_NE(besked.find("2 fastlåsninger uden for planens dage og timer"), std::string::npos) << besked;
    if (sqlite) {
        EXPECT_NE(besked.find("4 fastlåsninger med værdier, der ikke er gyldige tal"), std::string::npos) << besked;
        EXPECT_NE(besked.find("X'00312E61'"), std::string::npos) << besked;
    }

    // Everything is saved as it was read, the pin stored twice too; taking the pin off takes both.
    EXPECT_NE(besked.find("1 fastlåsning for en time, der allerede er fastlåst"), std::string::npos) << besked;
    ASSERT_TRUE(portal->Gem());
    EXPECT_EQ(raaRaekker("Fastlaasning", kolonner), foer);
    portal->Frigiv("1.a", 1, 2);
    ASSERT_TRUE(portal->Gem());
    Raekker efter = foer;
    std::erase(efter, "'" + planA + "' '1.a' 1 2 ");
    EXPECT_EQ(raaRaekker("Fastlaasning", kolonner), efter);
    EXPECT_TRUE(Aabn(planA)->Fastlaaste().empty());
}

TEST_F(PortalDb, SavingTwiceSaysNothingOnTheSide)
{
    GemPlanA();
    MedTestModtager m;
    auto portal = Aabn(planA);
    portal->Fastlaas("1.a", 1, 2);
    testing::internal::CaptureStderr();
    const bool gemt = portal->Gem() && portal->Gem();
    const std::string sagt = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(gemt);
    EXPECT_EQ(sagt, "");
    EXPECT_TRUE(Aabn(planA)->ErFastlaast("1.a", 1, 2));
}

TEST_F(PortalDb, LessonsAndPrioritiesAreReplacedInOneTransaction)
{
    GemPlanA();
    MedTestModtager m;
    auto portal = Aabn(planA);
    ASSERT_TRUE(portal->SaetLektion("1.a", "Afvist", "Bo", "Hal", 1, 2, 2));

    // A lesson the table refuses: the delete is undone, the old lessons stay.
    udfoer("drop table Lektion");
    udfoer("create table Lektion (PlanID_Le varchar(255), HoldID_Le varchar(255), FagID_Le varchar(255), "
           "LaererID_Le varchar(255), LokaleID_Le varchar(255), Blokstoerrelse_Le integer, Kolonne_Le integer, "
           "Raekke_Le integer, check (FagID_Le <> 'Afvist'))");
    for (const std::string& l : lektionerA)
        gemLektion(planA, l);
    EXPECT_FALSE(portal->Gem());
    ASSERT_EQ(m.modtager.bokse.size(), 1U);
    EXPECT_EQ(m.modtager.bokse[0].tekst, "Lektionerne kunne ikke gemmes");
    EXPECT_EQ(m.modtager.bokse[0].titel, "En fejl er opstået!");
    EXPECT_EQ(lagredeLektioner(planA), lektionerA);
    EXPECT_EQ(lagredePrioriteter(planA), prioriteterA);
    EXPECT_EQ(etiketter(m.modtager), std::vector<std::string>{"1 Sletning af lektioner:"});

    // A priority the table refuses undoes the lessons written before it too.
    udfoer("drop table Tidsprioritet");
    udfoer("create table Tidsprioritet (PlanID_Ti varchar(255), LaererID_Ti varchar(255), Prioritet_Ti integer, "
           "Kolonne_Ti integer, Raekke_Ti integer, check (Prioritet_Ti <> 3))");
    gemPrioritet(planA, "Åse -3 4 0");
    portal->RydSkemaer();
    ASSERT_TRUE(portal->SaetLektion("1.a", "Dansk", "Åse", "A1", 1, 0, 0));
    EXPECT_FALSE(portal->Gem(Overskrivning::Tillad));
    EXPECT_EQ(m.modtager.bokse.back().tekst, "Lektions prioriteterne kunne ikke gemmes");
    EXPECT_EQ(lagredeLektioner(planA), lektionerA);
    EXPECT_EQ(lagredePrioriteter(planA), Raekker{"Åse -3 4 0"});

    // Old lessons that cannot be deleted are reported before anything is written.
    udfoer("drop table Lektion");
    EXPECT_FALSE(portal->Gem(Overskrivning::Tillad));
    EXPECT_EQ(m.modtager.bokse.back().tekst, "Gamle lektioner kunne ikke slettes!");
    EXPECT_EQ(lagredePrioriteter(planA), Raekker{"Åse -3 4 0"});
}

namespace {

// Throws when the save reports the given time row.
class AfbrydendeModtager : public TestModtager {
public:
    explicit AfbrydendeModtager(int32_t raekke) : raekke_(raekke) {}
    void tidsLinje(double sekunder, const std::string& etiket, int32_t raekke) override
    {
        TestModtager::tidsLinje(sekunder, etiket, raekke);
        if (raekke == raekke_)
            throw DatabaseFejl("forbindelsen er tabt");
    }

private:
    int32_t raekke_;
};

} // namespace

TEST_F(PortalDb, AnExceptionDuringASaveRollsBackTheOpenTransaction)
{
    GemPlanA();
    auto portal = Aabn(planA);
    portal->RydSkemaer();
    ASSERT_TRUE(portal->SaetLektion("1.a", "Dansk", "Åse", "A1", 1, 0, 0));
    {
        AfbrydendeModtager efterSletning(1);
        MidlertidigModtager installeret(efterSletning);
        EXPECT_THROW(portal->Gem(), DatabaseFejl);
    }
    EXPECT_EQ(lagredeLektioner(planA), lektionerA);
    {
        AfbrydendeModtager efterPrioritetsSletning(3);
        MidlertidigModtager installeret(efterPrioritetsSletning);
        EXPECT_THROW(portal->Gem(), DatabaseFejl);
    }
    EXPECT_EQ(lagredeLektioner(planA), lektionerA);
    EXPECT_EQ(lagredePrioriteter(planA), prioriteterA);

    // No transaction was left open.
    MedTestModtager m;
    EXPECT_TRUE(portal->Gem());
    EXPECT_TRUE(m.modtager.bokse.empty());
}

namespace {

// A plan that fills every hour of many classes, each with a teacher and a room of its own.
std::vector<std::string> storeIds(const std::string& forstavelse)
{
    std::vector<std::string> ids;
    for (int i = 0; i < 40; ++i)
        ids.push_back(forstavelse + std::to_string(100 + i));
    return ids;
}

void fyldAlleTimer(Portal& portal, const std::string& fag)
{
    portal.RydSkemaer();
    const auto hold = storeIds("H"), laerer = storeIds("L"), lokale = storeIds("R");
    for (size_t i = 0; i < hold.size(); ++i) {
        for (int32_t k = 0; k < klassiskeDage; ++k) {
            for (int32_t r = 0; r < klassiskeTimer; ++r)
                portal.SaetLektion(hold[i], fag, laerer[i], lokale[i], 1, k, r);
        }
    }
}

Raekker alleTimer(const std::string& fag)
{
    Raekker raekker;
    const auto hold = storeIds("H"), laerer = storeIds("L"), lokale = storeIds("R");
    for (size_t i = 0; i < hold.size(); ++i) {
        for (int32_t k = 0; k < klassiskeDage; ++k) {
            for (int32_t r = 0; r < klassiskeTimer; ++r)
                raekker.push_back(hold[i] + " " + fag + " " + laerer[i] + " " + lokale[i] + " 1 " + std::to_string(k) +
                                  " " + std::to_string(r));
        }
    }
    return raekker;
}

// Writes each time row's number to a pipe, so the parent knows how far the save got.
class RapporterendeModtager : public TestModtager {
public:
    explicit RapporterendeModtager(int fd) : fd_(fd) {}
    void tidsLinje(double, const std::string&, int32_t raekke) override
    {
        const char tegn = static_cast<char>('0' + raekke);
        [[maybe_unused]] const auto skrevet = ::write(fd_, &tegn, 1);
    }

private:
    int fd_;
};

} // namespace

TEST_F(PortalDb, AKilledSaveLeavesEitherTheOldOrTheNewLessons)
{
    const auto hold = storeIds("H"), laerer = storeIds("L"), lokale = storeIds("R");
    {
        MedTestModtager m;
        auto portal = Aabn("Stor", hold, laerer, lokale);
        fyldAlleTimer(*portal, "Gammel");
        ASSERT_TRUE(portal->Gem());
    }
    const Raekker gamle = alleTimer("Gammel");
    const Raekker nye = alleTimer("Ny");
    ASSERT_EQ(lagredeLektioner("Stor"), gamle);

    // Killed while inserting (after 0 ... 50 ms) and killed right after the commit (-1).
    for (const int ventetidMs : {0, 2, 10, 50, -1}) {
        // The child opens a connection of its own; none may be shared across the fork.
        TSqlModul::Instans().Luk();
        int roer[2];
        ASSERT_EQ(::pipe(roer), 0);
        const pid_t barn = ::fork();
        ASSERT_NE(barn, -1);
        if (barn == 0) {
            ::close(roer[0]);
            RapporterendeModtager rapport(roer[1]);
            MidlertidigModtager installeret(rapport);
            auto portal = Aabn("Stor", hold, laerer, lokale);
            fyldAlleTimer(*portal, "Ny");
            portal->Gem();
            ::_exit(0);
        }
        ::close(roer[1]);
        std::string raekker; // the time rows the child reported
        const auto ventPaa = [&](char raekke) {
            pollfd vent{roer[0], POLLIN, 0};
            char tegn = 0;
            while (raekker.find(raekke) == std::string::npos && ::poll(&vent, 1, 120000) == 1 &&
                   ::read(roer[0], &tegn, 1) == 1)
                raekker += tegn;
        };
        ventPaa(ventetidMs < 0 ? '5' : '1');
        std::this_thread::sleep_for(std::chrono::milliseconds(std::max(ventetidMs, 0)));
        ::kill(barn, SIGKILL);
        int status = 0;
        ::waitpid(barn, &status, 0);
        ventPaa('\0'); // whatever it reported before it died
        ::close(roer[0]);
        ASSERT_NE(raekker.find('1'), std::string::npos) << "the save did not start";

        const Raekker lagret = lagredeLektioner("Stor");
        if (raekker.find('5') != std::string::npos)
            EXPECT_EQ(lagret, nye) << "killed after the commit";
        else
            EXPECT_TRUE(lagret == gamle || lagret == nye)
                << "killed after " << ventetidMs << " ms: " << lagret.size() << " rows";
    }

    // The database is still usable.
    MedTestModtager m;
    auto portal = Aabn("Stor", hold, laerer, lokale);
    fyldAlleTimer(*portal, "Ny");
    ASSERT_TRUE(portal->Gem());
    EXPECT_EQ(lagredeLektioner("Stor"), nye);
}

TEST(PortalFil, LoadsAndSavesThroughTextFiles)
{
    MidlertidigMappe mappe;
    std::ofstream("LektionsListe.txt") << "1.a Dansk Åse A1 1 0 0\n1.a Fysik O'Brien Fys'1 2 1 2\n"
                                          "1.a Fysik O'Brien Fys'1 2 1 3\n";
    std::ofstream("TidsPrioritet.txt") << "Åse -3 4 0\n";
    stack<std::string> hold, laerer, lokale;
    hold.push("1.a");
    for (const std::string& id : laererIds)
        laerer.push(id);
    for (const std::string& id : lokaleIds)
        lokale.push(id);
    MedTestModtager m;
    Portal portal("P", 5, 8, Datakilde::tekstfiler);
    portal.SaetNavnestakke(std::move(hold), std::move(laerer), std::move(lokale));
    portal.Indlaes();
    EXPECT_EQ(portal.AntalLektionerIalt(), 3);
    EXPECT_TRUE(portal.ErSpaerret("Åse", 4, 0));

    ASSERT_TRUE(portal.Gem());
    std::ifstream lektioner("LektionsListeGem.txt");
    std::stringstream indhold;
    indhold << lektioner.rdbuf();
    EXPECT_EQ(indhold.str(), "insert into LektionsListeGem values ('P','1.a','Dansk','Åse','A1',1,0,0)\n"
                             "insert into LektionsListeGem values ('P','1.a','Fysik','O'Brien','Fys'1',2,1,2)\n"
                             "insert into LektionsListeGem values ('P','1.a','Fysik','O'Brien','Fys'1',2,1,3)\n");
    std::ifstream prioriteter("TidsPrioritetGem.txt.txt");
    std::string linje;
    std::getline(prioriteter, linje);
    EXPECT_EQ(linje, "insert into TidsPrioritetGem.txt values ('P','Åse',-3,4,0)");
}

TEST_F(PortalDb, ASaveDoesNotSilentlyOverwriteAnotherPlannersSave)
{
    GemPlanA();
    udfoer("insert into Plan values (?, 'T', 5, 8)", {planA});
    MedTestModtager m;
    auto foerste = Aabn(planA);
    auto anden = Aabn(planA);
    anden->RydSkemaer();
    ASSERT_TRUE(anden->SaetLektion("1.a", "Dansk", "Åse", "A1", 1, 0, 0));
    ASSERT_TRUE(anden->Gem());
    const Raekker andens = {"1.a Dansk Åse A1 1 0 0"};

    m.modtager.bokse.clear();
    m.modtager.svar = {false};
    EXPECT_FALSE(foerste->Gem());
    ASSERT_EQ(m.modtager.bokse.size(), 2U);
    EXPECT_EQ(m.modtager.bokse[0].art, "spoerg");
    EXPECT_EQ(m.modtager.bokse[0].tekst,
              "Planen er gemt af en anden, siden du åbnede den. Overskriver du, erstattes de 1 lektionstimer og 4 "
              "tidsprioriteter, der er gemt nu, af skemaerne her (" +
                  std::to_string(foerste->AntalLektionerIalt()) +
                  " lektionstimer), og det, den anden har ændret, går tabt. Overskriv?");
    EXPECT_EQ(m.modtager.bokse[1].art, "fejl");
    EXPECT_FALSE(foerste->Gem(Overskrivning::Afvis));
    EXPECT_EQ(m.modtager.bokse.size(), 3U) << "refused without asking";
    EXPECT_EQ(lagredeLektioner(planA), andens);

    m.modtager.svar = {true};
    EXPECT_TRUE(foerste->Gem());
    EXPECT_EQ(lagredeLektioner(planA), lektionerA);
    EXPECT_EQ(lagredePrioriteter(planA), prioriteterA);
    // Its own save is no other planner's: saving again asks nothing. The other one is asked now.
    m.modtager.bokse.clear();
    EXPECT_TRUE(foerste->Gem());
    EXPECT_TRUE(m.modtager.bokse.empty());
    EXPECT_FALSE(anden->Gem(Overskrivning::Afvis));
    EXPECT_TRUE(anden->Gem(Overskrivning::Tillad));
    EXPECT_EQ(lagredeLektioner(planA), andens);
}

TEST_F(PortalDb, SavesOfOnePlanFromTwoProgramsAtOnceTakeTurns)
{
    const auto hold = storeIds("H"), laerer = storeIds("L"), lokale = storeIds("R");
    udfoer("insert into Plan values ('Stor', 'T', 5, 8)");
    for (int runde = 0; runde < 6; ++runde) {
        TSqlModul::Instans().Luk(); // each program has a connection of its own
        int klar[2];
        int start[2];
        ASSERT_EQ(::pipe(klar), 0);
        ASSERT_EQ(::pipe(start), 0);
        std::vector<pid_t> boern;
        for (const std::string fag : {"A", "B"}) {
            const pid_t barn = ::fork();
            ASSERT_NE(barn, -1);
            if (barn == 0) {
                MedTestModtager stille; // answers Cancel: never overwrites
                auto portal = Aabn("Stor", hold, laerer, lokale);
                fyldAlleTimer(*portal, fag + std::to_string(runde));
                char tegn = 0;
                const bool klart = ::write(klar[1], &tegn, 1) == 1 && ::read(start[0], &tegn, 1) == 1;
                ::_exit(klart && portal->Gem() ? 0 : 1);
            }
            boern.push_back(barn);
        }
        char tegn = 0;
        for (size_t i = 0; i < boern.size(); ++i)
            ASSERT_EQ(::read(klar[0], &tegn, 1), 1);
        const char go[2] = {1, 1};
        ASSERT_EQ(::write(start[1], go, 2), 2); // both have opened the same stored plan
        int gemt = 0;
        for (const pid_t barn : boern) {
            int status = 0;
            ::waitpid(barn, &status, 0);
            gemt += WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 1 : 0;
        }
        for (const int fd : {klar[0], klar[1], start[0], start[1]})
            ::close(fd);
        EXPECT_EQ(gemt, 1) << "round " << runde << ": the later save must see the earlier one";
        const Raekker lagret = lagredeLektioner("Stor");
        EXPECT_TRUE(lagret == alleTimer("A" + std::to_string(runde)) ||
                    lagret == alleTimer("B" + std::to_string(runde)))
            << "round " << runde << ": " << lagret.size() << " rows";
    }
}

TEST_F(PortalDb, ASaveWhileAnotherHoldsTheDatabaseIsReportedAsBusy)
{
    if (db_->Motor() != "sqlite")
        GTEST_SKIP() << "a server waits for the other save up to its statement timeout";
    GemPlanA();
    udfoer("insert into Plan values (?, 'T', 5, 8)", {planA});
    MedTestModtager m;
    auto portal = Aabn(planA);
    TSqlModul::Instans().Luk();
    int klar[2];
    ASSERT_EQ(::pipe(klar), 0);
    const pid_t barn = ::fork();
    ASSERT_NE(barn, -1);
    if (barn == 0) {
        SqlKlasse sql(Datakilde::database);
        sql.StartTransaktion();
        sql.UdfoerSql("update Plan set Kolonne_P = 5");
        const char tegn = 0;
        [[maybe_unused]] const auto skrevet = ::write(klar[1], &tegn, 1);
        ::pause();
        ::_exit(0);
    }
    char tegn = 0;
    ASSERT_EQ(::read(klar[0], &tegn, 1), 1);
    EXPECT_FALSE(portal->Gem());
    ::kill(barn, SIGKILL);
    ::waitpid(barn, nullptr, 0);
    ::close(klar[0]);
    ::close(klar[1]);
    ASSERT_FALSE(m.modtager.bokse.empty());
    EXPECT_EQ(m.modtager.bokse.back().tekst.rfind("Databasen er optaget af en anden", 0), 0U)
        << m.modtager.bokse.back().tekst;
    EXPECT_EQ(lagredeLektioner(planA), lektionerA);
    EXPECT_TRUE(portal->Gem());
}
