#pragma once

#include "skoledata/Skoledata.h"

#include <QAbstractTableModel>

// One table of the school's data as the planner edits it in a window: the
// rows live in the window's Skoledata, so every page sees the same rows.
// A bad value is kept (nothing typed is lost) and shown red with its reason.
class Skoledatamodel : public QAbstractTableModel {
    Q_OBJECT
public:
    Skoledatamodel(const Tabel& tabel, Skoledata& data, QObject* foraelder);

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
    void TilfoejRaekke();
    // The rows of a file take the place of the table's rows.
    void ErstatRaekker(std::vector<Raekke> raekker);
    // Removing or renaming an id that rows refer to asks first; no leaves the rows as they are.
    void SletRaekke(int raekke);

signals:
    // Rows of other tables changed with a rename or a delete carried through.
    void AndreTabellerAendret();

private:
    std::vector<Raekke>& Raekker() const;
    bool MaaFjerneId(const std::string& id, const std::string& handling);

    const Tabel& tabel_;
    Skoledata& data_;
};
