#include "ui/skema/Skemaaendring.h"

#include "ui/hoved/TMainFrame.h"
#include "base/Besked.h"

Skemaaendring::Skemaaendring(TMainFrame& hoved, const QString& navn, std::function<bool()> gentag,
                             std::function<bool()> fortryd)
    : QUndoCommand(navn), hoved_(hoved), gentag_(std::move(gentag)), fortryd_(std::move(fortryd))
{
}

void Skemaaendring::redo()
{
    if (udfoert_) {
        udfoert_ = false;
        hoved_.SkemaerAendret();
        return;
    }
    Koer(gentag_);
}

void Skemaaendring::undo() { Koer(fortryd_); }

void Skemaaendring::Koer(const std::function<bool()>& trin)
{
    if (!trin())
        Besked().Log("Kunne ikke gennemføre: " + text().toStdString());
    hoved_.SkemaerAendret();
}
