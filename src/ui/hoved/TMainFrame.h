#pragma once

#include "ui/faelles/Navnetabel.h"

#include "app/Skoledatatjeneste.h"
#include "regler/Placeringsregler.h"
#include "store/Lektion.h"
#include "store/SkemaArt.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QDockWidget;
class QKeySequence;
class QMenu;
class QFrame;
class Hjaelpevindue;
class QMdiArea;
class QUndoStack;
class Statuslinje;
class TManglende;
class TRegler;
class TSkemaFrame;
class VaerktoejsKnap;
class Vorivazi;
enum class Udgivelsesform;
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
    // At start, once the window is up: the plan used last opens at once;
    // without one (or when it is gone) the plan list is shown.
    void Begynd();
    // Opens the plan in a facade of its own; the window keeps the one it has
    // until the opening has succeeded, so a failure leaves it as it was.
    bool AabnPlan(const std::string& planId);

    Vorivazi& Facade();
    // The plan's rules for the completion and hand moves, from the menu or the generation dialog.
    void SaetRegler(const Regelvalg& regler, bool delDobbelte);
    void SkiftFacade(std::unique_ptr<Vorivazi> facade, const QString& hvorfor = "en anden plan er åbnet");
    // Fills the three id tables from the open plan.
    void IndlaesNavne();
    const Navnetabel& NavneFor(SkemaArt art) const;

    // The one notice that the open plan's timetables changed: the status bar,
    // every open view and the caption follow it. ugemte false: they are as
    // the database holds them (a plan just opened).
    void SkemaerAendret(bool ugemte = true);
    // The planner's hand changes, undone and redone from the "Rediger" menu.
    QUndoStack& Fortrydelser();
    // After a generation: a run that got through its phases changed the
    // timetables; a failed one left them as they were.
    void GenereringAfsluttet(bool lykkedes);
    // Takes every lesson out of the timetables, as "Nyt projekt" does; the
    // next generation starts afresh. Gives back what was taken out, for
    // GenindsaetSkemaer. The caller tells the windows.
    std::vector<LektionsData> RydSkemaer();
    // Puts lessons taken out by RydSkemaer back, and tells the windows.
    void GenindsaetSkemaer(const std::vector<LektionsData>& lektioner);
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

signals:
    void skemaerAendret();

protected:
    bool eventFilter(QObject* objekt, QEvent* haendelse) override;
    void closeEvent(QCloseEvent* haendelse) override;

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

    // After the plan's first generation, while no view is open: its first
    // class's timetable and the missing hours with their total.
    void VisFoersteResultat();
    void MusOverKnap(const Knap& knap);
    void FladAlleKnapper();
    VaerktoejsKnap* KnapNavngivet(const QString& navn) const;
    void MusenNaar(const QWidget* widget);
    // True when the timetables may be left: nothing unsaved, or the planner
    // saved them or chose to drop them.
    bool MaaForladeSkemaerne();
    // Before school data are saved: the open plan is read again afterwards,
    // so its unsaved timetables are saved first or given up, as the planner says.
    bool MaaGenindlaesePlanen();
    bool GemEfterSvar(const std::string& spoergsmaal);
    // Reads the open plan again after its school data changed; a plan that is
    // gone (renamed or deleted) is closed.
    void GenindlaesPlan();
    bool Gem();
    void SaetUgemt(bool ugemte);
    // The timetables are as stored: so is the undo list's present step.
    void MarkerGemt();

    void NytSkemaprojekt1Click();
    void Hentprojekt1Click();
    void Gemprojekt1Click();
    void ExportProjectClick();
    void EksporterPdfClick();
    void EksporterHtmlClick();
    void EksporterCsvClick();
    // Asks where to (starting from the last choice) and publishes the timetables there.
    void UdgivSom(Udgivelsesform form);
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
    // The check before generating: what keeps a complete timetable from existing.
    void KontrollerPlanClick();
    void ManglendeTimerClick();
    // The plan's own rules, each kept or broken over the timetables as they are.
    void ReglerClick();
    void FuldfoerClick();
    void Indhold1Click();
    // F1 in any window: the guide at the section about that window.
    void VisHjaelp(QWidget* vindue);
    void SkoledataClick();
    void KopierPlanClick();
    void ImporterClick();

    Programvinduer& vinduer_;
    std::unique_ptr<Vorivazi> vorivazi_;
    Skoledatatjeneste skoledata_;
    QFrame* vaerktoejslinje_ = nullptr;
    std::vector<Knap> knapper_;
    // Generation, "Nyt projekt" and opening a plan start it afresh.
    void TomFortrydelser(const QString& hvorfor);

    QUndoStack* fortrydelser_;
    QAction* Kontroller_ = nullptr;
    QAction* Beregnskemaer1_ = nullptr;
    QAction* AutoGenerer_ = nullptr;
    QAction* Specifikationer_ = nullptr;
    QAction* SkrivebeskytDB_ = nullptr;
    QAction* CommBox_ = nullptr;
    QAction* ManglendeTimer_ = nullptr;
    QAction* Regler_ = nullptr;
    QAction* Fuldfoer_ = nullptr;
    QAction* Spred_ = nullptr;
    TManglende* manglende_ = nullptr;
    // Holds the missing hours beside the views, so they stay in sight while lessons are dragged in.
    QDockWidget* manglendeDok_ = nullptr;
    TRegler* regler_ = nullptr;
    QDockWidget* reglerDok_ = nullptr;
    QString sidsteHint_;
    Hjaelpevindue* hjaelp_ = nullptr;
    QString planTitel_ = "<tom>";
    bool ugemt_ = false;
    bool resultatVist_ = false;
    // Undoing back to the list's clean step gives the stored timetables; not
    // so once a generation, completion or clearing changed them outside the list.
    bool rentErGemt_ = true;
};
