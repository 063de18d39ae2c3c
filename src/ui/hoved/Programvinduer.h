#pragma once

#include "ui/hoved/VinduesModtager.h"

#include <functional>
#include <memory>

class TAbout;
class TAutoG;
class TGenSpe;
class TGenereringsFrame;
class TMainFrame;
class TOut;
class TPlanListeForm;

// The program's long-lived windows, created once in a fixed order (the main
// window first, then the data module, then the others) and reachable from
// each other through this record. The main window owns the others; the
// messages of the whole program go to them while the record lives.
struct Programvinduer {
    explicit Programvinduer(const std::function<void()>& startDatamodul);
    ~Programvinduer();
    Programvinduer(const Programvinduer&) = delete;
    Programvinduer& operator=(const Programvinduer&) = delete;

    TMainFrame* mainFrame = nullptr;
    TOut* out = nullptr;
    TPlanListeForm* planListe = nullptr;
    TGenereringsFrame* generering = nullptr;
    TAutoG* autoG = nullptr;
    TGenSpe* genSpe = nullptr;
    TAbout* about = nullptr;

private:
    VinduesModtager modtager_;
    MidlertidigModtager installeret_;
    std::unique_ptr<TMainFrame> hovedvindue_;
};
