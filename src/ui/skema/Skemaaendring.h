#pragma once

#include <QUndoCommand>

#include <functional>

class TMainFrame;

// One of the planner's hand changes of the timetables, on the undo stack. It
// is pushed once the change is made, so the first redo only announces it.
// Each direction reports whether it went through; a step that no longer
// fits the timetables is logged and leaves them alone.
class Skemaaendring : public QUndoCommand {
public:
    Skemaaendring(TMainFrame& hoved, const QString& navn, std::function<bool()> gentag, std::function<bool()> fortryd);

    void redo() override;
    void undo() override;

private:
    void Koer(const std::function<bool()>& trin);

    TMainFrame& hoved_;
    std::function<bool()> gentag_;
    std::function<bool()> fortryd_;
    bool udfoert_ = true;
};
