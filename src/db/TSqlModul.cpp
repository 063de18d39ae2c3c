#include "db/TSqlModul.h"

#include "db/Forbindelsesvalg.h"
#include "db/SqlKlasse.h"
#include "db/SqliteIndsaettelse.h"
#include "db/Svarvagt.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <filesystem>
#include <sstream>
#include <vector>

namespace {

const QString alias = "kora";

// A server that stops answering (a cut cable, a sleeping laptop) must end in
// an error, not a wait for ever: both ends probe the idle connection, unacked
// data gives up after 30 s, and no statement, a wait for another save's lock
// included, runs longer than that. A server whose host still answers while
// the server does not is Svarvagt's. An empty password lets libpq take it from
// PGPASSWORD or ~/.pgpass.
constexpr const char* serverTidsgraenser =
    "connect_timeout=10;keepalives=1;keepalives_idle=10;keepalives_interval=5;keepalives_count=3;"
    "tcp_user_timeout=30000;"
    "options='-c statement_timeout=30s -c tcp_keepalives_idle=10 -c tcp_keepalives_interval=5 "
    "-c tcp_keepalives_count=3'";

// The schema and the demo school are built into the program.
std::string LaesDataFil(const std::string& navn)
{
    QFile fil(":/data/" + QString::fromStdString(navn));
    if (!fil.open(QIODevice::ReadOnly))
        throw DatabaseFejl("Filen " + navn + " kunne ikke læses");
    return fil.readAll().toStdString();
}

// Statements end with ';' at the end of a line; lines starting with "--" are comments.
std::vector<std::string> Saetninger(const std::string& fil, const std::string& teksttype)
{
    std::vector<std::string> saetninger;
    std::istringstream ind(LaesDataFil(fil));
    std::string linje;
    std::string saetning;
    while (std::getline(ind, linje)) {
        if (linje.rfind("--", 0) == 0)
            continue;
        for (auto p = linje.find("@TEKST@"); p != std::string::npos; p = linje.find("@TEKST@", p))
            linje.replace(p, 7, teksttype);
        saetning += linje + "\n";
        if (!linje.empty() && linje.back() == ';') {
            saetning.pop_back();
            saetning.pop_back();
            saetninger.push_back(saetning);
            saetning.clear();
        }
    }
    return saetninger;
}

std::vector<QString> SkemaTabeller()
{
    std::vector<QString> tabeller;
    for (const auto& saetning : Saetninger("skema.sql", "")) {
        const QStringList ord = QString::fromStdString(saetning).simplified().split(' ');
        if (ord.size() > 2 && ord[0].compare("create", Qt::CaseInsensitive) == 0 &&
            ord[1].compare("table", Qt::CaseInsensitive) == 0)
            tabeller.push_back(ord[2].toLower());
    }
    return tabeller;
}

std::string Sekunder(std::chrono::milliseconds tid)
{
    const auto ms = tid.count();
    return std::to_string(ms / 1000) + (ms % 1000 == 0 ? "" : "," + std::to_string(ms % 1000 / 100));
}

std::string IntetSvarTekst(const std::string& beskrivelse)
{
    return "Databasen (" + beskrivelse + ") har ikke svaret i " + Sekunder(Svarvagt::Graense()) +
           " sekunder: den er optaget, eller der er ingen forbindelse til den. Forbindelsen er lukket; "
           "prøv igen om lidt.";
}

} // namespace

struct TSqlModul::Data {
    Forbindelsesvalg valg;
    bool valgt = false;
    std::string valgFejl;
    std::unique_ptr<QSqlQuery> query;
    bool transaktion = false;
    std::unique_ptr<Svarvagt> vagt; // a server's connection only

    QSqlDatabase Database() const { return QSqlDatabase::database(alias, false); }
};

TSqlModul& TSqlModul::Instans()
{
    // The module closes its connection when the program ends. Qt's register of
    // connections, its driver loader and its shared empty query are statics
    // too and must outlive the module: touching them first tears them down last.
    [[maybe_unused]] static const bool qtFoerst = [] {
        QSqlDatabase::drivers();
        QSqlDatabase::contains(alias);
        QSqlQuery tom;
        return true;
    }();
    static TSqlModul modul;
    return modul;
}

TSqlModul::TSqlModul() : d_(std::make_unique<Data>()) {}

TSqlModul::~TSqlModul() { Luk(); }

bool TSqlModul::VaelgForbindelse(const std::string& forbindelse, std::string& fejl)
{
    Forbindelsesvalg valg;
    if (!Forbindelsesvalg::Fortolk(forbindelse, valg, fejl))
        return false;
    Luk();
    d_->valg = valg;
    d_->valgt = true;
    d_->valgFejl.clear();
    return true;
}

void TSqlModul::BrugIndstillinger()
{
    Luk();
    d_->valgFejl.clear();
    if (!Forbindelsesvalg::LaesIndstillinger(Forbindelsesvalg::IndstillingsFil(), d_->valg, d_->valgFejl))
        d_->valg = Forbindelsesvalg{};
    d_->valgt = true;
}

std::string TSqlModul::Beskrivelse() const { return d_->valg.Beskrivelse(); }

const Forbindelsesvalg& TSqlModul::Valg() const { return d_->valg; }

void TSqlModul::Afvis(const std::string& grund)
{
    Luk();
    d_->valgt = true;
    d_->valgFejl = grund;
}

bool TSqlModul::Forbind(std::string& fejl)
{
    if (d_->query)
        return true;
    if (!d_->valgt)
        BrugIndstillinger();
    if (!d_->valgFejl.empty()) {
        fejl = d_->valgFejl;
        return false;
    }
    const Forbindelsesvalg& valg = d_->valg;
    {
        QSqlDatabase db;
        switch (valg.type) {
        case Forbindelsesvalg::Type::SQLite: {
            std::error_code ec;
            const auto mappe = std::filesystem::path(valg.sti).parent_path();
            if (!mappe.empty())
                std::filesystem::create_directories(mappe, ec);
            db = QSqlDatabase::addDatabase("QSQLITE", alias);
            db.setDatabaseName(QString::fromStdString(valg.sti));
            // Another process (the program killed while saving, a second window) may hold the lock a moment.
            db.setConnectOptions("QSQLITE_BUSY_TIMEOUT=5000");
            break;
        }
        case Forbindelsesvalg::Type::PostgreSQL:
            db = QSqlDatabase::addDatabase("QPSQL", alias);
            db.setHostName(QString::fromStdString(valg.vaert));
            db.setPort(valg.port);
            db.setDatabaseName(QString::fromStdString(valg.database));
            db.setUserName(QString::fromStdString(valg.bruger));
            db.setPassword(QString::fromStdString(valg.adgangskode));
            db.setConnectOptions(QString::fromLatin1(serverTidsgraenser));
            break;
        case Forbindelsesvalg::Type::ODBC:
            db = QSqlDatabase::addDatabase("QODBC", alias);
            db.setDatabaseName(QString::fromStdString(valg.dsn));
            db.setUserName(QString::fromStdString(valg.bruger));
            db.setPassword(QString::fromStdString(valg.adgangskode));
            db.setConnectOptions("SQL_ATTR_LOGIN_TIMEOUT=10;SQL_ATTR_CONNECTION_TIMEOUT=30");
            break;
        }
        if (valg.type != Forbindelsesvalg::Type::SQLite) {
            d_->vagt = std::make_unique<Svarvagt>();
            d_->vagt->FoerForbindelse();
        }
        BegyndVent();
        const bool aaben = db.open();
        const bool udloebet = Udloebet();
        if (aaben && !udloebet) {
            if (d_->vagt)
                d_->vagt->EfterForbindelse();
            d_->query = std::make_unique<QSqlQuery>(db);
            d_->query->setForwardOnly(true);
            return true;
        }
        fejl = udloebet ? IntetSvarTekst(Beskrivelse()) : db.lastError().text().toStdString();
        if (fejl.empty())
            fejl = "Forbindelsen til " + Beskrivelse() + " kunne ikke åbnes";
    }
    QSqlDatabase::removeDatabase(alias);
    d_->vagt.reset();
    return false;
}

QSqlQuery& TSqlModul::Query()
{
    std::string fejl;
    if (!Forbind(fejl))
        throw DatabaseFejl(fejl);
    return *d_->query;
}

// The driver lists no tables also when it cannot read the database (an SQLite
// file another program holds locked): then the engine's own reason is the error.
QStringList TSqlModul::Tabeller()
{
    Query();
    const QStringList findes = Vent([this] { return d_->Database().tables(); });
    if (findes.isEmpty() && d_->Database().driver()->dbmsType() == QSqlDriver::SQLite) {
        QSqlQuery proeve(d_->Database());
        if (!Vent([&] { return proeve.exec("select count(*) from sqlite_master"); }))
            throw DatabaseFejl("Databasen kan ikke læses (" + Beskrivelse() +
                               "): " + proeve.lastError().text().toStdString());
    }
    return findes;
}

bool TSqlModul::HarTabeller()
{
    const QStringList findes = Tabeller();
    for (const QString& tabel : SkemaTabeller()) {
        if (!findes.contains(tabel, Qt::CaseInsensitive))
            return false;
    }
    return true;
}

bool TSqlModul::HarTabel(const std::string& tabel)
{
    const QStringList findes = Tabeller();
    return findes.contains(QString::fromStdString(tabel), Qt::CaseInsensitive);
}

std::string TSqlModul::Teksttype()
{
    Query();
    const bool postgreSQL = d_->Database().driver()->dbmsType() == QSqlDriver::PostgreSQL;
    return postgreSQL ? "varchar(255) collate \"C\"" : "varchar(255)";
}

void TSqlModul::OpretDatabase(bool medDemo)
{
    Query();
    const QStringList findes = Vent([this] { return d_->Database().tables(); });
    for (const QString& tabel : SkemaTabeller()) {
        if (findes.contains(tabel, Qt::CaseInsensitive))
            throw DatabaseFejl("Databasen har allerede tabellen " + tabel.toStdString() +
                               "; en eksisterende database røres ikke");
    }
    const std::string teksttype = Teksttype();
    std::vector<std::string> saetninger = Saetninger("skema.sql", teksttype);
    if (medDemo) {
        const auto demo = Saetninger("demo.sql", teksttype);
        saetninger.insert(saetninger.end(), demo.begin(), demo.end());
    }
    StartTransaktion();
    QSqlQuery& query = *d_->query;
    for (const std::string& saetning : saetninger) {
        if (!Vent([&] { return query.exec(QString::fromStdString(saetning)); })) {
            const std::string fejl = query.lastError().text().toStdString();
            Rollback();
            throw DatabaseFejl("Databasen kunne ikke oprettes: " + fejl);
        }
    }
    Commit();
}

void TSqlModul::StartTransaktion()
{
    QSqlQuery& query = Query();
    if (d_->transaktion) {
        Rollback();
        throw DatabaseFejl("En transaktion var allerede åben; den er rullet tilbage");
    }
    query.finish();
    if (!Vent([this] { return d_->Database().transaction(); }))
        throw DatabaseFejl(d_->Database().lastError().text().toStdString());
    d_->transaktion = true;
}

void TSqlModul::Commit()
{
    if (!d_->transaktion || !d_->query)
        return;
    d_->query->finish();
    if (!Vent([this] { return d_->Database().commit(); })) {
        const std::string fejl = d_->Database().lastError().text().toStdString();
        Rollback();
        throw DatabaseFejl(fejl);
    }
    d_->transaktion = false;
}

void TSqlModul::Rollback()
{
    if (!d_->transaktion || !d_->query)
        return;
    d_->transaktion = false;
    d_->query->finish();
    // Called on the way out of a failure, so it never throws: a server that
    // does not answer rolls back on its own once the connection is gone.
    BegyndVent();
    d_->Database().rollback();
    if (Udloebet())
        Luk();
}

void TSqlModul::Luk()
{
    Rollback();
    if (!d_->query)
        return;
    sqliteIndsaettelse::Frigiv(); // before the close, which SQLite refuses while it exists
    d_->query.reset();
    d_->Database().close();
    QSqlDatabase::removeDatabase(alias);
    d_->vagt.reset();
}

void TSqlModul::BegyndVent()
{
    if (d_->vagt)
        d_->vagt->Begynd();
}

bool TSqlModul::Udloebet() { return d_->vagt && d_->vagt->Slut(); }

void TSqlModul::SlutVent()
{
    if (!Udloebet())
        return;
    const std::string beskrivelse = Beskrivelse();
    Luk();
    throw DatabaseFejl(IntetSvarTekst(beskrivelse));
}
