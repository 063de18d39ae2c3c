#pragma once

#include <QObject>

// The window of the school's data on the demo school: edit, save, reopen,
// refused saves, renames carried through and the week of unavailable hours.
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
};
