#include "ui/dialoger/TGenereringsFrame.h"

#include "ui/faelles/Fejlsikring.h"
#include "ui/faelles/Hint.h"
#include "ui/hoved/Programvinduer.h"
#include "ui/dialoger/Radiogruppe.h"
#include "ui/faelles/Skaerm.h"
#include "ui/hoved/TGenSpe.h"
#include "ui/hoved/TMainFrame.h"
#include "base/Besked.h"
#include "base/Uge.h"
#include "app/Opgaver.h"
#include "app/Vorivazi.h"
#include "ui/faelles/Fremskridtsvindue.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace {

QStringList tal(int fra, int til)
{
    QStringList punkter;
    for (int i = fra; i <= til; ++i)
        punkter << QString::number(i);
    return punkter;
}

Radiogruppe* gruppe(const char* navn, const QString& titel, const QStringList& punkter, int valgt, int top,
                    const QString& hint, QWidget* dialog)
{
    auto* g = new Radiogruppe(titel, punkter, valgt, dialog);
    g->setObjectName(navn);
    g->setGeometry(8, top, 305, 41);
    SaetHint(g, hint);
    return g;
}

// OK and Annuller close the dialog below every choice it offers.
constexpr int knapTop = 348;

QPushButton* knap(const char* navn, const QString& tekst, int venstre, const QString& hint, QWidget* dialog)
{
    auto* k = new QPushButton(tekst, dialog);
    k->setObjectName(navn);
    k->setGeometry(venstre, knapTop, 75, 25);
    SaetHint(k, hint);
    return k;
}

} // namespace

TGenereringsFrame::TGenereringsFrame(Programvinduer& vinduer)
    : QDialog(vinduer.mainFrame, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                     Qt::WindowCloseButtonHint),
      GFRadioGroup1(gruppe("GFRadioGroup1", "Antal dage:", tal(1, 5), 4, 8,
                           "| Bestemmer hvor mange dage, der skal være på et skema. Standardværdien er 5.", this)),
      GFRadioGroup2(gruppe("GFRadioGroup2", "Antal timer:", tal(2, 8), 6, 64,
                           "Bestemmer hvor mange timer, der skal være på hver dag. Standardværdien er 8.", this)),
      GFRadioGroup3(gruppe("GFRadioGroup3", "Frekvens:", tal(1, 8), 0, 120,
                           "Frekvens|Bestemmer frekvensen. Standardværdien er 1.", this)),
      GFRadioGroup4(gruppe("GFRadioGroup4", "Styrke:", tal(1, 6), 3, 176,
                           "Styrke|Bestemmer styrken. Standardværdien er 4.", this)),
      Button1(knap("Button1", "OK", 56, "|Tryk for at acceptere valgene.", this)),
      Button2(knap("Button2", "Annuller", 192, "|Tryk for at annullere.", this)), Tilfoejelse(new QLabel(this)),
      RydFoerst(new QCheckBox("Ryd skemaerne først og begynd forfra", this)),
      Spred(new QCheckBox("Spred fagene over ugen", this)),
      DelDobbelte(new QCheckBox("Del en dobbelttime, der ikke kan ligge samlet", this)), vinduer_(vinduer)
{
    setObjectName("TGenereringsFrame");
    setWindowTitle("Genererings opsætning");
    setFixedSize(329, knapTop + 37);
    Tilfoejelse->setObjectName("Tilfoejelse");
    Tilfoejelse->setWordWrap(true);
    Tilfoejelse->setGeometry(8, 224, 313, 34);
    RydFoerst->setObjectName("RydFoerst");
    RydFoerst->setGeometry(8, 262, 313, 24);
    SaetHint(RydFoerst, "|Sletter de placerede lektioner, før der genereres, som \"Nyt projekt\" gør.");
    Spred->setObjectName("Spred");
    Spred->setGeometry(8, 288, 313, 24);
    SaetHint(Spred, "|Fuldførelsen, håndflytninger og manglende timer lægger et hold og fags timer på hver sin "
                    "dag eller samlet i én blok. Genereringen gør det altid. Gemmes med planen.");
    DelDobbelte->setObjectName("DelDobbelte");
    DelDobbelte->setGeometry(8, 312, 313, 24);
    SaetHint(DelDobbelte, "|Fuldførelsen må lægge en dobbelttime som to enkelttimer på hver sin dag, når den ikke "
                          "kan ligge samlet. Gemmes med planen.");
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, Sikret(this, &TGenereringsFrame::Button1Click));
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

// The classic choices 1-5 days and 2-8 hours, widened to the plan's own week.
void TGenereringsFrame::FoelgPlanensUge()
{
    const Vorivazi& facade = vinduer_.mainFrame->Facade();
    const int dage = std::max<int>(klassiskeDage, facade.PlanDage());
    const int timer = std::max<int>(klassiskeTimer, facade.PlanTimer());
    GFRadioGroup1->SaetPunkter(tal(1, dage), dage - 1);
    GFRadioGroup2->SaetPunkter(tal(2, timer), timer - 2);
    const int bredde = std::max({305, 20 + 36 * GFRadioGroup2->Antal(), GFRadioGroup2->sizeHint().width()});
    for (Radiogruppe* g : {GFRadioGroup1, GFRadioGroup2, GFRadioGroup3, GFRadioGroup4})
        g->resize(bredde, g->height());
    setFixedSize(bredde + 24, height());
}

void TGenereringsFrame::VaelgPlanensUge()
{
    FoelgPlanensUge();
    const Vorivazi& facade = vinduer_.mainFrame->Facade();
    if (!facade.ErAaben())
        return;
    GFRadioGroup1->Knap(std::max(0, facade.PlanDage() - 1))->setChecked(true);
    GFRadioGroup2->Knap(std::max(0, facade.PlanTimer() - 2))->setChecked(true);
}

int32_t TGenereringsFrame::Dage() const { return GFRadioGroup1->Valgt() + 1; }

int32_t TGenereringsFrame::Timer() const { return GFRadioGroup2->Valgt() + 2; }

int32_t TGenereringsFrame::Frekvens() const { return GFRadioGroup3->Valgt() + 1; }

int32_t TGenereringsFrame::Styrke() const { return GFRadioGroup4->Valgt() + 1; }

void TGenereringsFrame::showEvent(QShowEvent* haendelse)
{
    // A generation places what is missing around the lessons already placed,
    // so a second one with other settings changes little unless they go first.
    const int32_t lagt = vinduer_.mainFrame->Facade().AntalLektionerIalt();
    Tilfoejelse->setText(lagt == 0 ? "Skemaerne er tomme."
                                   : "Genereringen lægger til de " + QString::number(lagt) +
                                         " lektionstimer, der allerede er placeret.");
    RydFoerst->setChecked(false);
    RydFoerst->setEnabled(lagt > 0);
    Spred->setChecked(vinduer_.mainFrame->Facade().Regler().Spreder());
    DelDobbelte->setChecked(vinduer_.mainFrame->Facade().DelDobbelte());
    FoelgPlanensUge();
    CentrerPaaSkaermen(this);
    QDialog::showEvent(haendelse);
}

void TGenereringsFrame::Button1Click()
{
    TMainFrame& hoved = *vinduer_.mainFrame;
    hoved.VisTidsSpec();
    Besked().TidsTitel("Generering");
    const bool ryd = RydFoerst->isChecked();
    const std::vector<LektionsData> ryddede = ryd ? hoved.RydSkemaer() : std::vector<LektionsData>{};
    hoved.SaetRegler(Regelvalg::Planens(Spred->isChecked()), DelDobbelte->isChecked());
    // The same generation as Vorivazi::Generer, in steps, so that "Stop" can end it between two.
    Genereringsopgave generering(hoved.Facade(), {Frekvens(), Styrke(), Dage(), Timer(), hoved.Skrivebeskyttet()},
                                 hoved.genereret);
    KoerMedFremskridt(this, windowTitle(), "Genererer skemaerne …", generering);
    const bool lykkedes = generering.Lykkedes();
    // A generation the planner cancelled (a question answered Annuller) changes nothing.
    if (ryd && !lykkedes)
        hoved.GenindsaetSkemaer(ryddede);
    hoved.genereret = hoved.genereret || lykkedes;
    hoved.GenereringAfsluttet(lykkedes);
    hoved.VisStatustekst("Generereringen er afsluttet");
    accept();
}
