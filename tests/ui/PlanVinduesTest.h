#pragma once

#include <QObject>

// The windows on the demo school: opening a plan through the dialog,
// generating, automatic generation, the timetable views and the failures.
class PlanVinduesTest : public QObject {
    Q_OBJECT
private slots:
    void AabnPlanGennemDialogen();
    void MisligholdtAabningBevarerPlanen();
    void DatabasefejlVisesOgProgrammetFortsaetter();
    void HundredvisAfPlaner();
    void GenererMedUroertDialog();
    void AutoGenereringsFremskridt();
    void SkemavindueViserHold();
    void SkemavindueViserAktiviteter();
    void AktivitetFlyttesHelOgFortrydes();
    void NytProjektOgEksport();
    void ManglendeTimerOgFuldfoerelse();
    void UgemteSkemaerSpoergesFoerDeForlades();
    void PlanDialogenVaelgerFoerstePlan();
    void AabneSkemavinduerFoelgerSkemaerne();
    void HaandredigeringMedTraekOgFortryd();
    void ManglendeTimeTraekkesIndISkemaet();
    void SkoledataGemningLaeserPlanenIgen();
    void GenereringLaeggerTilEllerBegynderForfra();
    void SkemavindueVokserOgViserPlanensUge();
    void GenereringsdialogenFoelgerPlanensUgeOgRegler();
    void FortrydTilbageTilDetGemteFjernerStjernen();
    void StopHolderDetBedsteFundne();
    void KontrolAfPlanenFoerGenerering();
    void IntetTabesVedEtKlik();
    void FoersteTimeFinderVej();
    void UdgivelseSpoergerHvorMedPlanensNavn();
    void PlanensReglerMedTilstand();
};
