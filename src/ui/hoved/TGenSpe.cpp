#include "ui/hoved/TGenSpe.h"

#include "ui/faelles/Hint.h"
#include "ui/faelles/Lokaltal.h"
#include "ui/skema/TekstGitter.h"

namespace {

constexpr int foersteTrin = 1;
constexpr int sidsteTrin = 7;

} // namespace

TGenSpe::TGenSpe(QWidget* hovedvindue) : Sidevindue(hovedvindue), TidGrid(new TekstGitter(2, 8, 16, this))
{
    setObjectName("TGenSpe");
    setWindowTitle("Tids Specifikation");
    setGeometry(429, 356, 284, 141);
    setFixedSize(284, 141);
    TidGrid->setObjectName("TidGrid");
    TidGrid->setGeometry(0, 0, 284, 141);
    TidGrid->setFont(QFont("Times New Roman", 10));
    TidGrid->setColumnWidth(0, 195);
    TidGrid->setColumnWidth(1, 81);
    TidGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    TidGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SaetHint(TidGrid, "Skema");
    TidGrid->SaetCelle(0, 0, "Operation");
    TidGrid->SaetCelle(1, 0, "Tid (sek)");
}

void TGenSpe::TidsTitel(const QString& navn)
{
    setWindowTitle("Tids Specifikation - " + navn);
    TidGrid->RydCeller(0, 1, foersteTrin, sidsteTrin);
}

void TGenSpe::TidsLinje(double sekunder, const QString& etiket, int raekke)
{
    if (raekke < foersteTrin || raekke > sidsteTrin)
        return;
    TidGrid->SaetCelle(0, raekke, etiket);
    TidGrid->SaetCelle(1, raekke, SekunderTekst(sekunder));
}
