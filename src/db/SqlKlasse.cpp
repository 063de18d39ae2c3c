#include "db/SqlKlasse.h"

#include "db/SqliteIndsaettelse.h"
#include "db/TSqlModul.h"

#include "base/Besked.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

struct SqlKlasse::Fil {
    std::ifstream ind;
    std::ofstream ud;
};

namespace {

QSqlQuery& FaellesQuery() { return TSqlModul::Instans().Query(); }

// Every call that may wait on a server goes through the data module's watchdog.
template <typename Kald>
auto Vent(Kald&& kald)
{
    return TSqlModul::Instans().Vent(std::forward<Kald>(kald));
}

QString TilQString(const std::string& tekst)
{
    // An empty text must stay a text: a null QString would be bound as NULL.
    QString q = QString::fromStdString(tekst);
    return q.isNull() ? QString("") : q;
}

// The statement the shared query holds prepared. Saving sends one insert text
// per row with new values: preparing it once instead of per row spares the
// database a parse and, on a server, two round trips per row.
struct Forberedt {
    const QSqlQuery* query = nullptr;
    std::string tekst;
    QString qTekst;
    SqlParametre bundet; // the values bound at its last execution
};

Forberedt& SidstForberedt()
{
    static Forberedt forberedt;
    return forberedt;
}

// The query keeps its bound values from one execution to the next, so only
// the values that changed since are bound again.
void Bind(QSqlQuery& query, const SqlParametre& parametre, SqlParametre& bundet)
{
    const bool alle = bundet.size() != parametre.size();
    for (size_t i = 0; i < parametre.size(); ++i) {
        if (!alle && bundet[i] == parametre[i])
            continue;
        const int plads = static_cast<int>(i);
        if (const auto* tekst = std::get_if<std::string>(&parametre[i]))
            query.bindValue(plads, TilQString(*tekst));
        else if (const auto* tal = std::get_if<int32_t>(&parametre[i]))
            query.bindValue(plads, *tal);
        else if (const auto* bytes = std::get_if<SqlBytes>(&parametre[i]))
            query.bindValue(plads, QByteArray(bytes->bytes.data(), static_cast<qsizetype>(bytes->bytes.size())));
        else
            query.bindValue(plads, QVariant(QMetaType::fromType<QString>()));
    }
    bundet = parametre;
}

// Where the columns read so far sit in the current result: looking a name up
// in the result's record for every value cost more than reading the value.
std::vector<std::pair<std::string, int>>& KolonnePladser()
{
    static std::vector<std::pair<std::string, int>> pladser;
    return pladser;
}

// Whatever result the shared query had open is gone once a statement runs.
void KasserResultat(QSqlQuery& query)
{
    query.finish();
    KolonnePladser().clear();
}

// Runs a text on the shared query, discarding whatever result was open.
// PostgreSQL cannot prepare statements such as "create table", so only texts
// with values to bind are prepared.
bool Udfoer(QSqlQuery& query, const std::string& tekst, const SqlParametre& parametre)
{
    KasserResultat(query);
    Forberedt& forberedt = SidstForberedt();
    if (parametre.empty()) {
        forberedt = {};
        return Vent([&] { return query.exec(TilQString(tekst)); });
    }
    // Anything else run on the query since, or a new query, changes its last text.
    if (forberedt.query != &query || forberedt.tekst != tekst || query.lastQuery() != forberedt.qTekst) {
        forberedt = {};
        const QString qTekst = TilQString(tekst);
        if (!Vent([&] { return query.prepare(qTekst); }))
            return false;
        forberedt = {&query, tekst, qTekst, {}};
    }
    Bind(query, parametre, forberedt.bundet);
    if (Vent([&] { return query.exec(); }))
        return true;
    forberedt = {};
    return false;
}

// SQLite's own handle of the shared query's connection; null on other engines.
sqlite3* SqliteForbindelse(const QSqlQuery& query)
{
    const QVariant haandtag = query.driver()->handle();
    if (qstrcmp(haandtag.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(haandtag.constData());
}

// An insert of a save: on SQLite through SQLite's own library, elsewhere through Qt.
bool UdfoerIndsaettelse(QSqlQuery& query, const std::string& tekst, const SqlParametre& parametre)
{
    sqlite3* sqlite = SqliteForbindelse(query);
    if (sqlite == nullptr)
        return Udfoer(query, tekst, parametre);
    KasserResultat(query);
    return sqliteIndsaettelse::Udfoer(sqlite, tekst, parametre);
}

bool MeldtIndsaettelse(bool udfoert)
{
    if (!udfoert)
        Besked().Spor("fejl i indsaetning\n");
    return udfoert;
}

[[noreturn]] void Afbryd(const std::string& fejl)
{
    TSqlModul::Instans().Rollback();
    throw DatabaseFejl(fejl);
}

bool ErHeltalstype(const QVariant& vaerdi)
{
    switch (vaerdi.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

SqlVaerdi SomSqlVaerdi(const QVariant& vaerdi)
{
    if (vaerdi.isNull())
        return std::monostate{};
    if (ErHeltalstype(vaerdi)) {
        bool ok = false;
        const qlonglong tal = vaerdi.toLongLong(&ok);
        if (ok && tal >= std::numeric_limits<int32_t>::min() && tal <= std::numeric_limits<int32_t>::max())
            return static_cast<int32_t>(tal);
        return vaerdi.toString().toStdString(); // an unsigned beyond 64 bits signed keeps its digits too
    }
    if (vaerdi.metaType().id() == QMetaType::QByteArray) {
        const QByteArray bytes = vaerdi.toByteArray();
        return SqlBytes{std::string(bytes.constData(), static_cast<size_t>(bytes.size()))};
    }
    if (vaerdi.metaType().id() == QMetaType::Double)
        return QString::number(vaerdi.toDouble(), 'g', 17).toStdString();
    return vaerdi.toString().toStdString();
}

bool PaaRaekke(const QSqlQuery& query) { return query.isActive() && query.isValid(); }

QVariant Vaerdi(const QSqlQuery& query, const std::string& kolonne)
{
    auto& pladser = KolonnePladser();
    auto kendt = std::find_if(pladser.begin(), pladser.end(), [&](const auto& p) { return p.first == kolonne; });
    if (kendt == pladser.end()) {
        // QSqlRecord matches names without regard to case, as PostgreSQL folds unquoted aliases.
        const int indeks = query.record().indexOf(TilQString(kolonne));
        if (indeks < 0)
            Afbryd("Kolonnen " + kolonne + " findes ikke i resultatet");
        kendt = pladser.insert(pladser.end(), {kolonne, indeks});
    }
    return query.value(kendt->second);
}

} // namespace

std::optional<int32_t> SomHeltal(const std::string& tekst)
{
    int32_t tal = 0;
    const auto [slut, fejl] = std::from_chars(tekst.data(), tekst.data() + tekst.size(), tal);
    if (tekst.empty() || fejl != std::errc() || slut != tekst.data() + tekst.size())
        return std::nullopt;
    return tal;
}

std::optional<int32_t> SomHeltal(const SqlVaerdi& vaerdi)
{
    if (const auto* tal = std::get_if<int32_t>(&vaerdi))
        return *tal;
    const auto* tekst = std::get_if<std::string>(&vaerdi);
    return tekst == nullptr ? std::nullopt : SomHeltal(*tekst);
}

std::string SomHex(const SqlBytes& bytes)
{
    static constexpr char cifre[] = "0123456789ABCDEF";
    std::string hex = "X'";
    for (const char tegn : bytes.bytes) {
        const auto b = static_cast<unsigned char>(tegn);
        hex += cifre[b >> 4];
        hex += cifre[b & 0xF];
    }
    return hex + "'";
}

SqlKlasse::SqlKlasse(Datakilde tilstand) : tilstand_(tilstand), fil_(std::make_unique<Fil>()) {}

SqlKlasse::~SqlKlasse() = default;

void SqlKlasse::SaetTilstand(Datakilde tilstand) { tilstand_ = tilstand; }

void SqlKlasse::StartTransaktion()
{
    if (tilstand_ == Datakilde::database)
        TSqlModul::Instans().StartTransaktion();
}

void SqlKlasse::Commit()
{
    if (tilstand_ == Datakilde::database)
        TSqlModul::Instans().Commit();
}

void SqlKlasse::Rollback()
{
    if (tilstand_ == Datakilde::database)
        TSqlModul::Instans().Rollback();
}

bool SqlKlasse::UdfoerSql(const std::string& saetning, const SqlParametre& parametre)
{
    if (tilstand_ != Datakilde::database)
        return true;
    return MeldtIndsaettelse(Udfoer(FaellesQuery(), saetning, parametre));
}

int32_t SqlKlasse::PaavirkedeRaekker()
{
    return tilstand_ == Datakilde::database ? FaellesQuery().numRowsAffected() : 0;
}

void SqlKlasse::IndsaetStart(const std::string& tabel)
{
    saetning_ = "insert into " + tabel + " values (";
    vaerdier_.clear();
    if (tilstand_ != Datakilde::database) {
        fil_->ud.close();
        fil_->ud.clear();
        fil_->ud.open(tabel + ".txt", std::ios::app);
    }
}

void SqlKlasse::TilfoejTekst(const std::string& vaerdi)
{
    saetning_ += tilstand_ == Datakilde::database ? "?," : "'" + vaerdi + "',";
    vaerdier_.emplace_back(vaerdi);
}

void SqlKlasse::TilfoejTal(int32_t vaerdi)
{
    saetning_ += tilstand_ == Datakilde::database ? "?," : std::to_string(vaerdi) + ",";
    vaerdier_.emplace_back(vaerdi);
}

void SqlKlasse::TilfoejVaerdi(const SqlVaerdi& vaerdi)
{
    if (const auto* tekst = std::get_if<std::string>(&vaerdi))
        TilfoejTekst(*tekst);
    else if (const auto* tal = std::get_if<int32_t>(&vaerdi))
        TilfoejTal(*tal);
    else if (const auto* bytes = std::get_if<SqlBytes>(&vaerdi)) {
        saetning_ += tilstand_ == Datakilde::database ? "?," : SomHex(*bytes) + ",";
        vaerdier_.emplace_back(vaerdi);
    } else {
        saetning_ += tilstand_ == Datakilde::database ? "?," : "null,";
        vaerdier_.emplace_back(vaerdi);
    }
}

bool SqlKlasse::IndsaetSlut()
{
    if (!saetning_.empty())
        saetning_.back() = ')';
    if (tilstand_ == Datakilde::database)
        return MeldtIndsaettelse(UdfoerIndsaettelse(FaellesQuery(), saetning_, vaerdier_));
    if (!fil_->ud.is_open())
        return MeldtIndsaettelse(false);
    fil_->ud << saetning_ << '\n';
    fil_->ud.close();
    return !fil_->ud.fail();
}

bool SqlKlasse::Forespoerg(const std::string& tekst, const SqlParametre& parametre)
{
    if (tilstand_ != Datakilde::database) {
        fil_->ind.close();
        fil_->ind.clear();
        fil_->ind.open(tekst);
        return fil_->ind.is_open();
    }
    QSqlQuery& query = FaellesQuery();
    if (!Udfoer(query, tekst, parametre)) {
        Besked().Spor("fejl i statement\n");
        Afbryd(query.lastError().text().toStdString());
    }
    return Vent([&] { return query.next(); });
}

bool SqlKlasse::HentTekst(const std::string& kolonne, std::string& ud)
{
    if (tilstand_ != Datakilde::database) {
        std::string token;
        if (!fil_->ind.is_open() || !(fil_->ind >> token)) {
            fil_->ind.close();
            return false;
        }
        ud = token;
        return true;
    }
    const QSqlQuery& query = FaellesQuery();
    if (!PaaRaekke(query))
        return false;
    const QVariant vaerdi = Vaerdi(query, kolonne);
    ud = vaerdi.isNull() ? "" : vaerdi.toString().toStdString();
    return true;
}

bool SqlKlasse::HentTal(const std::string& kolonne, int32_t& ud)
{
    SqlVaerdi vaerdi;
    if (!HentVaerdi(kolonne, vaerdi))
        return false;
    if (const auto* tal = std::get_if<int32_t>(&vaerdi)) {
        ud = *tal;
        return true;
    }
    const auto* tekst = std::get_if<std::string>(&vaerdi);
    if (tekst == nullptr) {
        ud = 0; // a NULL count is no count
        return true;
    }
    if (tilstand_ != Datakilde::database)
        return false; // a token that is no number ends the file's walk
    const std::optional<int32_t> tal = SomHeltal(*tekst);
    if (!tal)
        Afbryd("Kolonnen " + kolonne + " har værdien '" + *tekst +
               "', som ikke er et helt tal, der kan bruges; ret den i databasen");
    ud = *tal;
    return true;
}

bool SqlKlasse::HentVaerdi(const std::string& kolonne, SqlVaerdi& ud)
{
    if (tilstand_ != Datakilde::database) {
        std::string token;
        if (!HentTekst(kolonne, token))
            return false;
        const std::optional<int32_t> tal = SomHeltal(token);
        ud = tal ? SqlVaerdi(*tal) : SqlVaerdi(token);
        return true;
    }
    const QSqlQuery& query = FaellesQuery();
    if (!PaaRaekke(query))
        return false;
    ud = SomSqlVaerdi(Vaerdi(query, kolonne));
    return true;
}

std::string SqlKlasse::SidsteFejl() const
{
    if (tilstand_ != Datakilde::database)
        return "";
    return FaellesQuery().lastError().text().toStdString();
}

bool SqlKlasse::ErNull(const std::string& kolonne)
{
    if (tilstand_ != Datakilde::database)
        return false;
    const QSqlQuery& query = FaellesQuery();
    return PaaRaekke(query) && Vaerdi(query, kolonne).isNull();
}

bool SqlKlasse::Naeste()
{
    if (tilstand_ != Datakilde::database) {
        if (!fil_->ind.is_open())
            return false;
        fil_->ind.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
        if (fil_->ind.eof()) {
            fil_->ind.close();
            return false;
        }
        return true;
    }
    QSqlQuery& query = FaellesQuery();
    if (!PaaRaekke(query))
        return false;
    Vent([&] { return query.next(); });
    return true;
}

void SqlKlasse::SkrivLinje(const std::string& tekst, const std::string& navn)
{
    std::ofstream ud(navn + ".txt", std::ios::app);
    ud << tekst << '\n';
}
