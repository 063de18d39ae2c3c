#pragma once

#include "skoledata/Skoledata.h"
#include "skoledata/Skoleregler.h"

#include <QAbstractTableModel>

#include <functional>
#include <memory>
#include <optional>

// One table of the school's data as the planner edits it in a window: the
// rows live in the window's Skoledata, so every page sees the same rows.
// A bad value is kept (nothing typed is lost) and shown red with its reason,
// except a bad id, which other rows could not follow: that is refused.
// The model asks nobody: what it cannot take it reports, and a rename that
// other rows would follow waits for the window to ask the planner.
class Skoledatamodel : public QAbstractTableModel {
    Q_OBJECT
public:
    Skoledatamodel(const Tabel& tabel, Skoledata& data, QObject* foraelder);

    // A read-only column after the table's own, in the planner's words (an
    // activity's participants "7.a Tysk, 7.b Tysk"), made from all rows.
    struct Oversigt {
        QString overskrift;
        std::function<std::string(const Skoledata&, const Raekke&)> tekst;
    };
    void TilfoejOversigt(Oversigt oversigt) { oversigter_.push_back(std::move(oversigt)); }

    const Tabel& TabelAf() const { return tabel_; }
    const Skoledata& Data() const { return data_; }

    int rowCount(const QModelIndex& foraelder = {}) const override;
    int columnCount(const QModelIndex& foraelder = {}) const override;
    QVariant data(const QModelIndex& indeks, int rolle) const override;
    QVariant headerData(int sektion, Qt::Orientation retning, int rolle) const override;
    Qt::ItemFlags flags(const QModelIndex& indeks) const override;
    bool setData(const QModelIndex& indeks, const QVariant& vaerdi, int rolle = Qt::EditRole) override;

    // The rows were replaced or changed from outside the model.
    void Nulstil();
    // Rows of some table changed, so the rules look at them anew.
    void GlemKontrol() { kontrol_.reset(); }
    void TilfoejRaekke();
    // The rows of a file take the place of the table's rows.
    void ErstatRaekker(std::vector<Raekke> raekker);
    // The rows of other tables that refer to the row's id, named for a message.
    // A group is the id of a row of groups, within its plan and class.
    std::vector<std::string> Brugere(int raekke) const;
    // The activities that deleting the row leaves with neither participants nor teachers: they go too.
    std::vector<std::string> TommeAktiviteter(int raekke) const;
    // Gives the row the id, and every row that refers to its old id the new one.
    void OmdoebId(int raekke, const std::string& til);
    // Removes the row and every row that refers to its id.
    void SletRaekke(int raekke);
    // The planner's word for the ids of this table ("hold"), and a row's id; "" when it defines none.
    std::string IdBetegnelse() const;
    std::string Id(int raekke) const;

signals:
    // A value was not taken; the reason says why.
    void afvist(const QString& grund);
    // The id of a row that other rows use is to become `til`; nothing has changed yet.
    void omdoebningOensket(int raekke, const QString& fra, const QString& til);
    // Rows of other tables changed with a rename or a delete carried through.
    void andreTabellerAendret();

private:
    std::vector<Raekke>& Raekker() const;
    // The plan within which the row's id counts (an activity's), else "".
    std::string Plan(int raekke) const;
    // The column of the row's id: the one that defines it, or a group's name.
    std::optional<size_t> IdKolonne() const;
    // The group a row of groups holds.
    std::optional<Gruppenavn> GruppeI(int raekke) const;

    const Tabel& tabel_;
    Skoledata& data_;
    std::vector<Oversigt> oversigter_;
    // Made when a cell is first asked for after a change; a big school has thousands of rows to look through.
    mutable std::unique_ptr<skoleregler::Cellekontrol> kontrol_;
};
