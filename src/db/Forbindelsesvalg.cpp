#include "db/Forbindelsesvalg.h"

#include <QRegularExpression>
#include <QString>
#include <QUrl>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::string programMappe = "Brikken++";

std::filesystem::path XdgMappe(const char* variabel, const char* standard)
{
    const char* vaerdi = std::getenv(variabel);
    if (vaerdi != nullptr && *vaerdi != '\0')
        return vaerdi;
    const char* hjem = std::getenv("HOME");
    return std::filesystem::path(hjem != nullptr ? hjem : ".") / standard;
}

bool StarterMed(const std::string& tekst, const std::string& start) { return tekst.rfind(start, 0) == 0; }

std::string Trim(const std::string& tekst)
{
    const auto start = tekst.find_first_not_of(" \t\r");
    if (start == std::string::npos)
        return "";
    const auto slut = tekst.find_last_not_of(" \t\r");
    return tekst.substr(start, slut - start + 1);
}

bool FortolkPostgreSQL(const std::string& tekst, Forbindelsesvalg& valg, std::string& fejl)
{
    const QUrl url(QString::fromStdString(tekst), QUrl::StrictMode);
    const QString database = url.path().mid(1);
    if (!url.isValid() || url.host().isEmpty() || database.contains('/') || url.hasQuery() || url.hasFragment()) {
        fejl = "Ugyldig PostgreSQL-adresse; skriv postgresql://BRUGER:ADGANGSKODE@VÆRT:PORT/DATABASE";
        return false;
    }
    valg.type = Forbindelsesvalg::Type::PostgreSQL;
    valg.vaert = url.host().toStdString();
    valg.port = url.port(5432);
    valg.database = database.isEmpty() ? "koraDB" : database.toStdString();
    valg.bruger = url.userName(QUrl::FullyDecoded).toStdString();
    valg.adgangskode = url.password(QUrl::FullyDecoded).toStdString();
    return true;
}

const char* standardIndstillinger = R"(# Brikken++: forbindelsen til planlægningsdatabasen "koraDB".
# type: sqlite, postgresql eller odbc
type=sqlite
# sqlite: databasefilen; tom betyder koraDB.sqlite i brugerens datamappe
sti=
# postgresql (bruger og adgangskode gælder også odbc)
vaert=localhost
port=5432
database=koraDB
bruger=
adgangskode=
# odbc: datakildens navn (DSN), evt. med tilføjelser som kora;Database=andet
dsn=kora
)";

// Owner-only from the first byte on: the file may come to hold a password,
// and the program's own folder is nobody else's to look into.
bool OpretStandardFil(const std::filesystem::path& fil, std::string& fejl)
{
    std::error_code ec;
    std::filesystem::create_directories(fil.parent_path().parent_path(), ec);
    ::mkdir(fil.parent_path().c_str(), S_IRWXU);
    const int fd = ::open(fil.c_str(), O_WRONLY | O_CREAT | O_EXCL, S_IRUSR | S_IWUSR);
    if (fd < 0) {
        fejl = "Indstillingsfilen " + fil.string() + " kunne ikke oprettes";
        return false;
    }
    const std::string tekst = standardIndstillinger;
    const bool skrevet = ::fchmod(fd, S_IRUSR | S_IWUSR) == 0 &&
                         ::write(fd, tekst.data(), tekst.size()) == static_cast<ssize_t>(tekst.size());
    ::close(fd);
    if (!skrevet)
        fejl = "Indstillingsfilen " + fil.string() + " kunne ikke skrives";
    return skrevet;
}

bool SaetIndstilling(const std::string& noegle, const std::string& vaerdi, Forbindelsesvalg& valg, std::string& fejl)
{
    if (noegle == "type") {
        if (vaerdi == "sqlite")
            valg.type = Forbindelsesvalg::Type::SQLite;
        else if (vaerdi == "postgresql")
            valg.type = Forbindelsesvalg::Type::PostgreSQL;
        else if (vaerdi == "odbc")
            valg.type = Forbindelsesvalg::Type::ODBC;
        else {
            fejl = "Ukendt databasetype '" + vaerdi + "' i indstillingerne (sqlite, postgresql eller odbc)";
            return false;
        }
    } else if (noegle == "sti") {
        valg.sti = vaerdi;
    } else if (noegle == "vaert") {
        valg.vaert = vaerdi;
    } else if (noegle == "port") {
        bool ok = false;
        valg.port = QString::fromStdString(vaerdi).toInt(&ok);
        if (!ok || valg.port <= 0 || valg.port > 65535) {
            fejl = "Ugyldig port '" + vaerdi + "' i indstillingerne";
            return false;
        }
    } else if (noegle == "database") {
        valg.database = vaerdi;
    } else if (noegle == "bruger") {
        valg.bruger = vaerdi;
    } else if (noegle == "adgangskode") {
        valg.adgangskode = vaerdi;
    } else if (noegle == "dsn") {
        valg.dsn = vaerdi;
    }
    return true;
}

} // namespace

bool Forbindelsesvalg::Fortolk(const std::string& tekst, Forbindelsesvalg& valg, std::string& fejl)
{
    Forbindelsesvalg nyt;
    if (StarterMed(tekst, "postgresql://") || StarterMed(tekst, "postgres://")) {
        if (!FortolkPostgreSQL(tekst, nyt, fejl))
            return false;
    } else if (StarterMed(tekst, "odbc:")) {
        nyt.type = Type::ODBC;
        nyt.dsn = tekst.substr(5);
        if (nyt.dsn.empty()) {
            fejl = "Ingen ODBC-datakilde angivet; skriv odbc:DSN";
            return false;
        }
    } else {
        nyt.type = Type::SQLite;
        nyt.sti = StarterMed(tekst, "sqlite:") ? tekst.substr(7) : tekst;
        if (nyt.sti.empty()) {
            fejl = "Ingen databasefil angivet; skriv sqlite:STI";
            return false;
        }
    }
    valg = nyt;
    return true;
}

bool Forbindelsesvalg::LaesIndstillinger(const std::string& fil, Forbindelsesvalg& valg, std::string& fejl)
{
    if (!std::filesystem::exists(fil) && !OpretStandardFil(fil, fejl))
        return false;
    std::ifstream ind(fil);
    if (!ind) {
        fejl = "Indstillingsfilen " + fil + " kunne ikke læses";
        return false;
    }
    Forbindelsesvalg nyt;
    std::string linje;
    while (std::getline(ind, linje)) {
        linje = Trim(linje);
        const auto lig = linje.find('=');
        if (linje.empty() || linje[0] == '#' || lig == std::string::npos)
            continue;
        if (!SaetIndstilling(Trim(linje.substr(0, lig)), Trim(linje.substr(lig + 1)), nyt, fejl))
            return false;
    }
    if (nyt.type == Type::SQLite && nyt.sti.empty())
        nyt.sti = StandardDatabaseFil();
    valg = nyt;
    return true;
}

std::string Forbindelsesvalg::IndstillingsFil()
{
    return (XdgMappe("XDG_CONFIG_HOME", ".config") / programMappe / "forbindelse.ini").string();
}

std::string Forbindelsesvalg::StandardDatabaseFil()
{
    return (XdgMappe("XDG_DATA_HOME", ".local/share") / programMappe / "koraDB.sqlite").string();
}

std::string Forbindelsesvalg::Beskrivelse() const
{
    switch (type) {
    case Type::SQLite:
        return "SQLite: " + sti;
    case Type::PostgreSQL:
        return "PostgreSQL: " + (bruger.empty() ? "" : bruger + "@") + vaert + ":" + std::to_string(port) + "/" +
               database;
    case Type::ODBC: {
        // A connection text may carry a password of its own; in braces it may hold ';' too.
        static const QRegularExpression kode("((?:PWD|PASSWORD)\\s*=)\\s*(?:\\{(?:[^}]|\\}\\})*\\}?|[^;]*)",
                                             QRegularExpression::CaseInsensitiveOption);
        return "ODBC: " + QString::fromStdString(dsn).replace(kode, "\\1***").toStdString();
    }
    }
    return "";
}
