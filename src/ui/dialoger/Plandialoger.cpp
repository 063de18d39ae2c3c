#include "ui/dialoger/Plandialoger.h"

#include "app/Skoledatatjeneste.h"
#include "base/Besked.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

#include <string>
#include <vector>

namespace plandialoger {

std::string Opremsning(const std::vector<std::string>& linjer)
{
    constexpr size_t maks = 20;
    std::string tekst;
    for (size_t i = 0; i < linjer.size() && i < maks; ++i)
        tekst += "\n" + linjer[i];
    if (linjer.size() > maks)
        tekst += "\n… og " + std::to_string(linjer.size() - maks) + " mere";
    return tekst;
}

namespace {

// Refuses before the planner answers a single question.
bool MaaSkrive(const Skoledatatjeneste& skoledata, const std::string& hvad)
{
    const std::string grund = skoledata.Skrivefejl();
    if (!grund.empty())
        Besked().VisFejl(hvad + "\n" + grund, fejlTitel);
    return grund.empty();
}

} // namespace

bool KopierPlan(QWidget* foraelder, const Skoledatatjeneste& skoledata,
                const std::function<bool(const std::string&)>& gemteLektioner)
{
    if (!MaaSkrive(skoledata, "Planen kan ikke kopieres."))
        return false;
    QStringList planer;
    for (const std::string& plan : skoledata.PlanIder())
        planer << QString::fromStdString(plan);
    bool ok = false;
    const QString fra = QInputDialog::getItem(foraelder, "Kopiér plan", "Planen der kopieres:", planer, 0, false, &ok);
    if (!ok)
        return false;
    const QString til = QInputDialog::getText(foraelder, "Kopiér plan", "Den nye plans id:", QLineEdit::Normal, fra,
                                              &ok);
    if (!ok)
        return false;
    const auto svar = QMessageBox::question(foraelder, "Kopiér plan", "Skal de placerede lektioner også kopieres?",
                                            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::No);
    if (svar == QMessageBox::Cancel || (svar == QMessageBox::Yes && !gemteLektioner(fra.toStdString())))
        return false;
    std::vector<std::string> fejl;
    if (!skoledata.KopierPlan(fra.toStdString(), til.toStdString(), svar == QMessageBox::Yes, fejl)) {
        Besked().VisFejl("Planen blev ikke kopieret:" + Opremsning(fejl), fejlTitel);
        return false;
    }
    Besked().VisInfo("Planen " + fra.toStdString() + " er kopieret til " + til.toStdString() + ".");
    return true;
}

bool ImporterFet(QWidget* foraelder, const Skoledatatjeneste& skoledata)
{
    if (!MaaSkrive(skoledata, "Intet kan importeres."))
        return false;
    const QString fil = QFileDialog::getOpenFileName(foraelder, "Importér skemafil", {},
                                                     "Skemafiler (*.fet);;Alle filer (*)");
    if (fil.isEmpty())
        return false;
    bool ok = false;
    const QString plan = QInputDialog::getText(foraelder, "Importér skemafil", "Den nye plans id:", QLineEdit::Normal,
                                               QFileInfo(fil).completeBaseName(), &ok);
    if (!ok)
        return false;
    std::vector<std::string> rapport;
    std::vector<std::string> fejl;
    const bool importeret = skoledata.ImporterFet(fil.toStdString(), plan.toStdString(), rapport, fejl);
    const Besked besked;
    for (const std::string& linje : rapport)
        besked.Log("Import: " + linje);
    if (!importeret) {
        besked.VisFejl("Intet er importeret:" + Opremsning(fejl), fejlTitel);
        return false;
    }
    besked.VisInfo("Planen " + plan.toStdString() + " er importeret." +
                   (rapport.empty() ? "" : "\n\nBemærk (står også i CommBox):" + Opremsning(rapport)));
    return true;
}

} // namespace plandialoger
