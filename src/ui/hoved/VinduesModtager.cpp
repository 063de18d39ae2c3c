#include "ui/hoved/VinduesModtager.h"

#include "ui/faelles/Optaget.h"
#include "ui/hoved/Programvinduer.h"
#include "ui/hoved/TGenSpe.h"
#include "ui/hoved/TOut.h"

#include <QApplication>
#include <QAbstractButton>
#include <QMessageBox>

#include <utility>

namespace {

QMessageBox::StandardButton visBoks(QMessageBox::Icon ikon, const std::string& titel, const std::string& tekst,
                                    QMessageBox::StandardButtons knapper,
                                    QMessageBox::StandardButton standard = QMessageBox::NoButton)
{
    QMessageBox boks(ikon, QString::fromStdString(titel), QString::fromStdString(tekst), knapper,
                     QApplication::activeWindow());
    if (standard != QMessageBox::NoButton)
        boks.setDefaultButton(standard);
    // Closing the box counts as its last button: OK alone, or Cancel.
    boks.setEscapeButton(knapper.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel : QMessageBox::Ok);
    for (const auto& [knap, tekst] : {std::pair{QMessageBox::Yes, "Ja"}, std::pair{QMessageBox::No, "Nej"},
                                      std::pair{QMessageBox::Cancel, "Annuller"}})
        if (QAbstractButton* b = boks.button(knap))
            b->setText(tekst);
    int svar = QMessageBox::Cancel;
    {
        const Optaget::NormalMarkoer markoer;
        svar = boks.exec();
    }
    Optaget::OpdaterNu();
    return static_cast<QMessageBox::StandardButton>(svar);
}

} // namespace

int VinduesModtager::visInfo(const std::string& tekst)
{
    visBoks(QMessageBox::Information, "Meddelelse", tekst, QMessageBox::Ok);
    return knapOK;
}

int VinduesModtager::visFejl(const std::string& tekst, const std::string& titel)
{
    visBoks(QMessageBox::Warning, titel, tekst, QMessageBox::Ok);
    return knapOK;
}

bool VinduesModtager::spoerg(const std::string& tekst, const std::string& titel)
{
    return visBoks(QMessageBox::Question, titel, tekst, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

bool VinduesModtager::spoergForsigtigt(const std::string& tekst, const std::string& titel)
{
    return visBoks(QMessageBox::Question, titel, tekst, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel) ==
           QMessageBox::Ok;
}

Svar VinduesModtager::spoergJaNej(const std::string& tekst, const std::string& titel)
{
    switch (visBoks(QMessageBox::Question, titel, tekst, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return Svar::ja;
    case QMessageBox::No:
        return Svar::nej;
    default:
        return Svar::annuller;
    }
}

void VinduesModtager::log(const std::string& linje)
{
    if (vinduer_.out)
        vinduer_.out->TilfoejLinje(QString::fromStdString(linje));
    Optaget::HoldVinduerOpdateret();
}

void VinduesModtager::tidsTitel(const std::string& navn)
{
    if (vinduer_.genSpe)
        vinduer_.genSpe->TidsTitel(QString::fromStdString(navn));
}

void VinduesModtager::tidsLinje(double sekunder, const std::string& etiket, int32_t raekke)
{
    if (vinduer_.genSpe)
        vinduer_.genSpe->TidsLinje(sekunder, QString::fromStdString(etiket), raekke);
    Optaget::HoldVinduerOpdateret();
}
