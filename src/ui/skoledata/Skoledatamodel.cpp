#include "ui/skoledata/Skoledatamodel.h"

#include "skoledata/Skoleregler.h"

#include <QBrush>
#include <QColor>

#include <algorithm>

namespace {

QString Overskrift(Felt felt)
{
    QString tekst = QString::fromStdString(FeltBetegnelse(felt));
    tekst[0] = tekst[0].toUpper();
    return tekst;
}

std::optional<size_t> DefinerendeKolonne(const Tabel& tabel)
{
    for (size_t k = 0; k < tabel.kolonner.size(); ++k) {
        if (tabel.kolonner[k].definerer)
            return k;
    }
    return std::nullopt;
}

} // namespace

Skoledatamodel::Skoledatamodel(const Tabel& tabel, Skoledata& data, QObject* foraelder)
    : QAbstractTableModel(foraelder), tabel_(tabel), data_(data)
{
    // Its own changes; those of other tables the window reports.
    connect(this, &QAbstractItemModel::dataChanged, this, &Skoledatamodel::GlemKontrol);
    connect(this, &QAbstractItemModel::rowsInserted, this, &Skoledatamodel::GlemKontrol);
    connect(this, &QAbstractItemModel::rowsRemoved, this, &Skoledatamodel::GlemKontrol);
    connect(this, &QAbstractItemModel::modelReset, this, &Skoledatamodel::GlemKontrol);
}

std::vector<Raekke>& Skoledatamodel::Raekker() const { return data_.raekker[tabel_.navn]; }

int Skoledatamodel::rowCount(const QModelIndex& foraelder) const
{
    return foraelder.isValid() ? 0 : static_cast<int>(Raekker().size());
}

int Skoledatamodel::columnCount(const QModelIndex& foraelder) const
{
    return foraelder.isValid() ? 0 : static_cast<int>(tabel_.kolonner.size() + oversigter_.size());
}

QVariant Skoledatamodel::data(const QModelIndex& indeks, int rolle) const
{
    const auto& raekker = Raekker();
    if (!indeks.isValid() || static_cast<size_t>(indeks.row()) >= raekker.size())
        return {};
    const auto k = static_cast<size_t>(indeks.column());
    const Raekke& raekke = raekker[static_cast<size_t>(indeks.row())];
    if (k >= tabel_.kolonner.size()) {
        if (rolle != Qt::DisplayRole)
            return {};
        return QString::fromStdString(oversigter_[k - tabel_.kolonner.size()].tekst(data_, raekke));
    }
    const SqlVaerdi& vaerdi = raekke[k];
    switch (rolle) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (const auto* tal = std::get_if<int32_t>(&vaerdi))
            return *tal;
        return QString::fromStdString(SomTekst(vaerdi));
    case Qt::BackgroundRole:
    case Qt::ToolTipRole: {
        // Every value the rules would refuse on saving, whether typed or read from a file.
        if (!kontrol_)
            kontrol_ = std::make_unique<skoleregler::Cellekontrol>(data_);
        const std::string fejl = kontrol_->Fejl(tabel_, raekke, k);
        if (fejl.empty())
            return {};
        if (rolle == Qt::BackgroundRole)
            return QBrush(QColor(255, 200, 200));
        return Overskrift(tabel_.kolonner[k].felt) + " " + QString::fromStdString(fejl);
    }
    default:
        return {};
    }
}

QVariant Skoledatamodel::headerData(int sektion, Qt::Orientation retning, int rolle) const
{
    if (rolle != Qt::DisplayRole)
        return {};
    if (retning == Qt::Vertical)
        return sektion + 1;
    const auto k = static_cast<size_t>(sektion);
    if (k >= tabel_.kolonner.size())
        return oversigter_[k - tabel_.kolonner.size()].overskrift;
    return Overskrift(tabel_.kolonner[k].felt);
}

Qt::ItemFlags Skoledatamodel::flags(const QModelIndex& indeks) const
{
    if (static_cast<size_t>(indeks.column()) >= tabel_.kolonner.size())
        return QAbstractTableModel::flags(indeks);
    return QAbstractTableModel::flags(indeks) | Qt::ItemIsEditable;
}

std::optional<size_t> Skoledatamodel::IdKolonne() const
{
    if (tabel_.navn == "Gruppe")
        return 3;
    return DefinerendeKolonne(tabel_);
}

std::optional<Gruppenavn> Skoledatamodel::GruppeI(int raekke) const
{
    if (tabel_.navn != "Gruppe" || raekke < 0 || raekke >= rowCount())
        return std::nullopt;
    const Raekke& r = Raekker()[static_cast<size_t>(raekke)];
    return Gruppenavn{SomTekst(r[0]), SomTekst(r[1]), SomTekst(r[3])};
}

std::string Skoledatamodel::IdBetegnelse() const
{
    const auto kolonne = IdKolonne();
    return kolonne ? FeltBetegnelse(tabel_.kolonner[*kolonne].felt) : "";
}

std::string Skoledatamodel::Id(int raekke) const
{
    const auto kolonne = IdKolonne();
    if (!kolonne || raekke < 0 || raekke >= rowCount())
        return "";
    return SomTekst(Raekker()[static_cast<size_t>(raekke)][*kolonne]);
}

std::vector<std::string> Skoledatamodel::Brugere(int raekke) const
{
    const auto kolonne = IdKolonne();
    if (!kolonne || raekke < 0 || raekke >= rowCount())
        return {};
    if (const std::optional<Gruppenavn> gruppe = GruppeI(raekke))
        return data_.Afhaengige(*gruppe);
    return data_.Afhaengige(tabel_.kolonner[*kolonne].felt, Id(raekke), Plan(raekke));
}

std::vector<std::string> Skoledatamodel::TommeAktiviteter(int raekke) const
{
    const std::optional<Gruppenavn> gruppe = GruppeI(raekke);
    return gruppe ? data_.TommeUden(*gruppe) : std::vector<std::string>{};
}

std::string Skoledatamodel::Plan(int raekke) const { return IdPlan(tabel_, Raekker()[static_cast<size_t>(raekke)]); }

bool Skoledatamodel::setData(const QModelIndex& indeks, const QVariant& vaerdi, int rolle)
{
    if (!indeks.isValid() || rolle != Qt::EditRole || static_cast<size_t>(indeks.column()) >= tabel_.kolonner.size())
        return false;
    const auto k = static_cast<size_t>(indeks.column());
    const Kolonne& kolonne = tabel_.kolonner[k];
    Raekke& raekke = Raekker()[static_cast<size_t>(indeks.row())];
    bool erTal = false;
    const int tal = vaerdi.toInt(&erTal);
    // A number column keeps text that is not a number, so the planner sees what was typed and why it is refused.
    const SqlVaerdi ny = ErTal(kolonne.felt) && erTal ? SqlVaerdi(int32_t{tal})
                                                      : SqlVaerdi(vaerdi.toString().toStdString());
    if (ny == raekke[k])
        return false;
    if (k == IdKolonne()) {
        const std::string fra = SomTekst(raekke[k]);
        const std::string til = SomTekst(ny);
        const std::string hvad = tabel_.betegnelse + ": " + FeltBetegnelse(kolonne.felt) + " ";
        // An id is carried to every row that refers to it, so a bad one is not taken at all.
        if (const std::string fejl = skoleregler::IdFejl(til); !fejl.empty()) {
            emit afvist(QString::fromStdString(hvad + fejl));
            return false;
        }
        // Two rows with one id would merge everything that refers to them; a group's counts within its class.
        const std::string plan = IdPlan(tabel_, raekke);
        const auto sammeSted = [&](const Raekke& r) {
            return GruppeI(indeks.row()) ? r[0] == raekke[0] && r[1] == raekke[1] : IdPlan(tabel_, r) == plan;
        };
        if (std::any_of(Raekker().begin(), Raekker().end(),
                        [&](const Raekke& r) { return SomTekst(r[k]) == til && sammeSted(r); })) {
            emit afvist(QString::fromStdString(hvad + til + " findes allerede"));
            return false;
        }
        if (!Brugere(indeks.row()).empty()) {
            emit omdoebningOensket(indeks.row(), QString::fromStdString(fra), QString::fromStdString(til));
            return false;
        }
    }
    raekke[k] = ny;
    emit dataChanged(indeks, indeks);
    return true;
}

void Skoledatamodel::OmdoebId(int raekke, const std::string& til)
{
    const auto kolonne = IdKolonne();
    if (!kolonne || raekke < 0 || raekke >= rowCount())
        return;
    SqlVaerdi& id = Raekker()[static_cast<size_t>(raekke)][*kolonne];
    if (const std::optional<Gruppenavn> gruppe = GruppeI(raekke))
        data_.Omdoeb(*gruppe, til);
    else
        data_.Omdoeb(tabel_.kolonner[*kolonne].felt, SomTekst(id), til, Plan(raekke));
    id = til;
    emit dataChanged(index(raekke, static_cast<int>(*kolonne)), index(raekke, static_cast<int>(*kolonne)));
    emit andreTabellerAendret();
}

void Skoledatamodel::Nulstil()
{
    beginResetModel();
    endResetModel();
}

void Skoledatamodel::TilfoejRaekke()
{
    Raekke raekke;
    for (const Kolonne& kolonne : tabel_.kolonner) {
        const auto graenser = skoleregler::Graenser(kolonne.felt);
        raekke.push_back(graenser ? SqlVaerdi(std::max(graenser->mindst, int32_t{0})) : SqlVaerdi(std::string()));
    }
    const int ny = rowCount();
    beginInsertRows({}, ny, ny);
    Raekker().push_back(std::move(raekke));
    endInsertRows();
}

void Skoledatamodel::ErstatRaekker(std::vector<Raekke> raekker)
{
    beginResetModel();
    Raekker() = std::move(raekker);
    endResetModel();
}

void Skoledatamodel::SletRaekke(int raekke)
{
    if (raekke < 0 || raekke >= rowCount())
        return;
    if (const auto kolonne = IdKolonne(); kolonne && !Brugere(raekke).empty()) {
        if (const std::optional<Gruppenavn> gruppe = GruppeI(raekke))
            data_.FjernAfhaengige(*gruppe);
        else
            data_.FjernAfhaengige(tabel_.kolonner[*kolonne].felt, Id(raekke), Plan(raekke));
        emit andreTabellerAendret();
    }
    beginRemoveRows({}, raekke, raekke);
    Raekker().erase(Raekker().begin() + raekke);
    endRemoveRows();
}
