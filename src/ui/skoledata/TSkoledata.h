#pragma once

#include "skoledata/Skoledata.h"

#include <QWidget>

#include <functional>
#include <vector>

class QComboBox;
class QTabWidget;
class QTableView;
class Prioritetsgitter;
class Skoledatamodel;
class Skoledatatjeneste;

// The school's data in the planner's words, one page per concept: plans,
// class types, classes, subjects, teachers, rooms, the classes' divisions and
// groups, the activities (lessons of classes and groups together, several
// teachers or rooms) and the teachers' unavailable hours. Edits stay in the
// window until "Gem" writes them all in one transaction; a refused save
// keeps everything typed.
class TSkoledata : public QWidget {
    Q_OBJECT
public:
    TSkoledata(QWidget* foraelder, const Skoledatatjeneste& tjeneste);
    ~TSkoledata() override;

    QTabWidget* Sider;
    QComboBox* PlanValg;
    QComboBox* LaererValg;
    QTableView* Gitter;

    // The model of a table's section, for tests and scripts.
    Skoledatamodel* ModelFor(const std::string& tabel) const;
    Prioritetsgitter* Prioriteter() const { return prioriteter_; }
    // The week of unavailable hours shows this plan (the one open in the main window).
    void VaelgPlan(const std::string& planId);

    // Asked before a save that the rules and the write protection allow; false saves nothing.
    std::function<bool()> MaaGemme = [] { return true; };

    bool Gem();
    void LaesIgen();
    // A table's rows to and from a spreadsheet file; an import stays in the window until saved.
    bool EksporterCsv(const Skoledatamodel& model, const QString& fil);
    bool ImporterCsv(Skoledatamodel& model, const QString& fil);
    // What a page's "Slet række" does: asks first when other rows go along.
    void SletRaekke(Skoledatamodel& model, int raekke);

signals:
    void Gemt();

protected:
    // Asks before unsaved changes are thrown away.
    void closeEvent(QCloseEvent* haendelse) override;

private:
    QWidget* Side(const std::vector<std::string>& tabeller);
    QWidget* PrioritetsSide();
    void OpdaterValg();
    void VisUge();
    // The teachers of the plan chosen, keeping the one chosen when the plan has her.
    void VisPlanensLaerere(const QString& laerer);
    void NulstilModeller();
    void TegnTabellerne();
    // Asks before other rows follow a rename or a delete; no leaves the rows as they are.
    bool MaaAendreBrugere(const Skoledatamodel& model, int raekke, const std::string& handling);
    void Omdoeb(Skoledatamodel& model, int raekke, const QString& fra, const QString& til);

    const Skoledatatjeneste& tjeneste_;
    Skoledata laest_;
    Skoledata redigeret_;
    std::vector<Skoledatamodel*> modeller_;
    Prioritetsgitter* prioriteter_;
};
