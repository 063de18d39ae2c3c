#include "db/TSqlModul.h"

#include "db/Forbindelsesvalg.h"
#include "db/SqlKlasse.h"
#include "db/SqliteIndsaettelse.h"

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
// included, runs longer than that. An empty password lets libpq take it from
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

} // namespace

struct TSqlModul::Data {
    Forbindelsesvalg valg;
    bool valgt = false;
    std::string valgFejl;
    std::unique_ptr<QSqlQuery> query;
    bool transaktion = false;

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
        if (db.open()) {
            d_->query = std::make_unique<QSqlQuery>(db);
            d_->query->setForwardOnly(true);
            return true;
        }
        fejl = db.lastError().text().toStdString();
        if (fejl.empty())
            fejl = "Forbindelsen til " + Beskrivelse() + " kunne ikke åbnes";
    }
    QSqlDatabase::removeDatabase(alias);
    return false;
}

QSqlQuery& TSqlModul::Query()
{
    std::string fejl;
    if (!Forbind(fejl))
        throw DatabaseFejl(fejl);
    return *d_->query;
}

bool TSqlModul::HarTabeller()
{
    Query();
    const QStringList findes = d_->Database().tables();
    for (const QString& tabel : SkemaTabeller()) {
        if (!findes.contains(tabel, Qt::CaseInsensitive))
            return false;
    }
    return true;
}

bool TSqlModul::HarTabel(const std::string& tabel)
{
    Query();
    return d_->Database().tables().contains(QString::fromStdString(tabel), Qt::CaseInsensitive);
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
    QSqlDatabase db = d_->Database();
    const QStringList findes = db.tables();
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
        if (!query.exec(QString::fromStdString(saetning))) {
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
    QSqlDatabase db = d_->Database();
    if (!db.transaction())
        throw DatabaseFejl(db.lastError().text().toStdString());
    d_->transaktion = true;
}

void TSqlModul::Commit()
{
    if (!d_->transaktion || !d_->query)
        return;
    d_->query->finish();
    QSqlDatabase db = d_->Database();
    if (!db.commit()) {
        const std::string fejl = db.lastError().text().toStdString();
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
    d_->Database().rollback();
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
}
