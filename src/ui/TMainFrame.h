#pragma once

#include "ui/Navnetabel.h"

#include "store/SkemaArt.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QKeySequence;
class QMenu;
class QFrame;
class QMdiArea;
class Statuslinje;
class TManglende;
class TSkemaFrame;
class VaerktoejsKnap;
class Vorivazi;
struct Programvinduer;

// The main window: a frame of timetable views with the menu, the tool bar of
// picture buttons and the status bar. It owns the facade through which every
// window reaches the open plan, and the id tables the views choose from.
class TMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainFrame(Programvinduer& vinduer);
    ~TMainFrame() override;

    // Called once the other long-lived windows exist.
    void ForbindVinduer();

    Vorivazi& Facade();
    void SkiftFacade(std::unique_ptr<Vorivazi> facade);
    // Fills the three id tables from the open plan.
    void IndlaesNavne();
    const Navnetabel& NavneFor(SkemaArt art) const;

    void StatusOpdatering();
    void VisStatustekst(const QString& tekst);
    void AktiverGenerering();
    void SaetPlanTitel(const std::string& planId);
    TSkemaFrame* NytSkemavindue(const QString& type = {});

    bool Skrivebeskyttet() const;
    // Shows and raises the time window when it is switched on in the menu.
    void VisTidsSpec();

    std::array<std::string, 6> dagNavne{"Mandag", "Tirsdag", "Onsdag", "Torsdag", "Fredag", ""};
    Navnetabel holdNavne;
    Navnetabel laererNavne;
    Navnetabel lokaleNavne;
    Navnetabel planNavne;
    bool planlisteIndlaest = false;
    bool genereret = false;

    QMdiArea* Klientomraade;
    Statuslinje* StatusBar1;

protected:
    bool eventFilter(QObject* objekt, QEvent* haendelse) override;

private:
    struct Knap {
        VaerktoejsKnap* knap;
        std::vector<QString> naboer; // flattened when the mouse is over this button
    };

    void LavMenu();
    void LavVaerktoejslinje();
    void LavStatuslinje();
    QAction* Handling(QMenu* menu, const char* navn, const QString& tekst, void (TMainFrame::*handler)(),
                      const QKeySequence& genvej = {}, const QString& billede = {});

    void MusOverKnap(const Knap& knap);
    void FladAlleKnapper();
    VaerktoejsKnap* KnapNavngivet(const QString& navn) const;
    void MusenNaar(const QWidget* widget);

    void NytSkemaprojekt1Click();
    void Hentprojekt1Click();
    void Gemprojekt1Click();
    void ExportProjectClick();
    void Printskema1Click();
    void Exit1Click();
    void MFPanel6Click();
    void MFPanel7Click();
    void MFPanel8Click();
    void MFPanel10Click();
    void MFPanel11Click();
    void MFPanel12Click();
    void MFPanel9Click();
    void AutoGenererClick();
    void Cascade1Click();
    void Tile1Click();
    void SpecifikationerClick();
    void CommBoxClick();
    void About2Click();
    void ManglendeTimerClick();
    void FuldfoerClick();

    Programvinduer& vinduer_;
    std::unique_ptr<Vorivazi> vorivazi_;
    QFrame* vaerktoejslinje_ = nullptr;
    std::vector<Knap> knapper_;
    QAction* Beregnskemaer1_ = nullptr;
    QAction* AutoGenerer_ = nullptr;
    QAction* Specifikationer_ = nullptr;
    QAction* SkrivebeskytDB_ = nullptr;
    QAction* CommBox_ = nullptr;
    QAction* ManglendeTimer_ = nullptr;
    QAction* Fuldfoer_ = nullptr;
    QAction* Spred_ = nullptr;
    TManglende* manglende_ = nullptr;
    QString sidsteHint_;
};
