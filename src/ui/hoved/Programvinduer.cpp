#include "ui/hoved/Programvinduer.h"

#include "ui/hoved/TAbout.h"
#include "ui/dialoger/TAutoG.h"
#include "ui/hoved/TGenSpe.h"
#include "ui/dialoger/TGenereringsFrame.h"
#include "ui/hoved/TMainFrame.h"
#include "ui/hoved/TOut.h"
#include "ui/dialoger/TPlanListeForm.h"

Programvinduer::Programvinduer(const std::function<void()>& startDatamodul)
    : modtager_(*this), installeret_(modtager_), hovedvindue_(std::make_unique<TMainFrame>(*this))
{
    mainFrame = hovedvindue_.get();
    startDatamodul();
    out = new TOut(mainFrame);
    planListe = new TPlanListeForm(*this);
    generering = new TGenereringsFrame(*this);
    autoG = new TAutoG(mainFrame);
    genSpe = new TGenSpe(mainFrame);
    about = new TAbout(mainFrame);
    mainFrame->ForbindVinduer();
}

Programvinduer::~Programvinduer()
{
    // Messages that arrive while the windows go away must not reach them.
    out = nullptr;
    genSpe = nullptr;
}
