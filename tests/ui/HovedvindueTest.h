#pragma once

#include <QObject>

// The windows before any plan is opened: refusals, hints, the tool bar, the
// Communicator, the window of timed rows and the message boxes themselves.
class HovedvindueTest : public QObject {
    Q_OBJECT
private slots:
    void StartTilstand();
    void SkrivebeskyttelseAfviserGemning();
    void EksportUdenPlanAfvises();
    void PrintUdenSkemavindueAfvises();
    void PrintFraNytSkemavindue();
    void SmaaBogstaverIType();
    void SoegerBlandtHundredvisAfHold();
    void HintISidsteFelt();
    void VaerktoejsknapperHaevesVedMusOver();
    void GenererKnapDeaktiveret();
    void CommunicatorSletOgStoerrelse();
    void TidsSpecifikation();
    void BeskedboksSvar();
    void NavnetabelLaegerIkkeOverkanten();
    void SkemaMenuenAabnerSkemavinduer();
    void SidevinduerDaekkerIkkeBeskeder();
    void HjaelpOgForklaringer();
    void DanskeTalOgQtsDanskeDialoger();
};
