#pragma once

#include "fuldfoerelse/Skemabillede.h"
#include "app/Haandflytning.h"
#include "store/Lektion.h"
#include "store/SkemaArt.h"

#include <QObject>
#include <QPoint>
#include <QString>

#include <functional>
#include <optional>
#include <string>

class QMimeData;
class QPoint;
class TMainFrame;
class TekstGitter;

// Stands before the cell text of a pinned lesson or activity.
inline const QString fastlaastMaerke = "⚲ ";

// The timetable shown in a view: its kind and id.
struct VistSkema {
    SkemaArt art;
    std::string id;
};

// The planner's hand editing of the lessons in one timetable view: drag a
// lesson to another hour (every hour coloured by what a drop there would do),
// Ctrl+arrow keys, Delete and a context menu. An activity's block moves and is
// pinned the same way, whole. Every change goes on the main window's undo stack.
class Haandredigering : public QObject {
    Q_OBJECT
public:
    Haandredigering(TMainFrame& hoved, TekstGitter& gitter, std::function<std::optional<VistSkema>()> vist);

    // Colours every hour of the view by the move of the lesson at fra there:
    // green free, yellow a swap, red refused with the reason as tooltip.
    void FarvMaal(Placering fra);
    // Colours every hour by where one block of the missing demand could go:
    // green free, red refused with the reason as tooltip.
    void FarvPlacering(const Timekrav& krav);
    // The same, when this view shows the demand's class.
    void FarvForHold(const Timekrav& krav);
    void FjernFarver();
    // Moves (or swaps) the lesson at fra; false, with the reason in the status bar, when refused.
    bool Flyt(Placering fra, Placering til);
    bool Fjern(Placering p);
    // Places one block of the missing demand at til; false, with the reason in the status bar, when refused.
    bool Placer(const Timekrav& krav, Placering til);
    // Pins the lesson at p, or frees it; pinned lessons show fastlaastMaerke.
    bool SaetFastlaast(Placering p, bool fastlaast);
    // What a drag of the lesson at fra carries; only this view accepts it.
    QMimeData* Traekdata(Placering fra) const;

signals:
    // "Vis lærerens skema" and "vis lokalets skema".
    void visSkema(SkemaArt art, const QString& id);

protected:
    bool eventFilter(QObject* objekt, QEvent* haendelse) override;

private:
    void Farv(const std::function<Flytsvar(Placering)>& proev);
    // The plan's days and hours that the view shows.
    int Dage() const;
    int Timer() const;
    std::optional<Placering> CelleVed(const QPoint& punkt) const;
    std::optional<Placering> Markeret() const;
    std::optional<LektionsData> LektionI(Placering p) const;
    // The activity's block in the hour, where no lesson is.
    std::optional<Aktivitetsblok> BlokI(Placering p) const;
    bool FlytBlok(const Aktivitetsblok& blok, Placering fra, Placering til);
    bool SaetBlokFastlaast(const Aktivitetsblok& blok, bool fastlaast);
    bool Tast(int tast, Qt::KeyboardModifiers tilstand);
    void Traek(Placering fra);
    std::optional<Placering> Kilde(const QMimeData* data) const;
    void VisMenu(const QPoint& punkt);

    TMainFrame& hoved_;
    TekstGitter& gitter_;
    std::function<std::optional<VistSkema>()> vist_;
    std::optional<Placering> trykket_;
    QPoint trykPunkt_;
    bool kravFarvet_ = false;
};
