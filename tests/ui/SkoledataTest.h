#pragma once

#include <QObject>

// The window of the school's data on the demo school: edit, save, reopen,
// refused saves, renames carried through, the week of unavailable hours, and
// the classes' groups and activities.
class SkoledataTest : public QObject {
    Q_OBJECT
private slots:
    void RedigerGemOgGenaabn();
    void OmdoebningSpoergerOgFoelgerMed();
    void CsvUdOgIndIgen();
    void KopierPlanGennemDialogerne();
    void SkrivebeskyttelsenGaelderSkoledata();
    void UtilgaengeligeTimerMedHoejreklikOgOverskrifter();
    void AfvisteVaerdierErRoedeMedGrunden();
    void UtilgaengeligeTimerViserPlanensLaerere();
    void GrupperOgFaellesAktivitet();
    void GruppeOmdoebesOgSlettesMedDeltagerne();
};
