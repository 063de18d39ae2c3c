#include "ui/dialoger/TPlankontrol.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The findings of one weight under their heading; the hard ones' heading in red.
QString Afsnit(const QString& overskrift, const std::vector<Fund>& fund, bool umulige)
{
    QString punkter;
    for (const Fund& f : fund)
        if (f.umulig == umulige)
            punkter += "<li style='margin-bottom:6px'>" + QString::fromStdString(f.tekst).toHtmlEscaped() + "</li>";
    if (punkter.isEmpty())
        return {};
    const QString farve = umulige ? " style='color:#b00000'" : "";
    return "<h3" + farve + ">" + overskrift + "</h3><ul>" + punkter + "</ul>";
}

QString OpsummeringsTekst(const std::vector<Fund>& fund)
{
    const auto umulige = std::count_if(fund.begin(), fund.end(), [](const Fund& f) { return f.umulig; });
    const auto advarsler = static_cast<qsizetype>(fund.size()) - umulige;
    if (fund.empty())
        return QString::fromStdString(ingenFundTekst);
    if (umulige == 0)
        return "Planen kan lægges, men se " + QString::number(advarsler) +
               (advarsler == 1 ? " advarsel" : " advarsler") + " før du genererer.";
    return "Et fuldt skema er umuligt, før " + QString(umulige == 1 ? "dette fund" : "disse %1 fund").arg(umulige) +
           " er rettet.";
}

} // namespace

TPlankontrol::TPlankontrol(QWidget* hovedvindue, const QString& planId, const std::vector<Fund>& fund)
    : QDialog(hovedvindue), Opsummering(new QLabel), Fundliste(new QTextBrowser)
{
    setObjectName("Plankontrol");
    setWindowTitle("Kontrollér planen " + planId);
    Opsummering->setObjectName("PlankontrolOpsummering");
    Opsummering->setText(OpsummeringsTekst(fund));
    Opsummering->setWordWrap(true);
    Fundliste->setObjectName("PlankontrolFund");
    Fundliste->setHtml(Afsnit("Gør et fuldt skema umuligt", fund, true) + Afsnit("Advarsler", fund, false));
    Fundliste->setVisible(!fund.empty());
    auto* knapper = new QDialogButtonBox;
    knapper->addButton("Luk", QDialogButtonBox::RejectRole);
    connect(knapper, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Opsummering);
    layout->addWidget(Fundliste, 1);
    layout->addWidget(knapper);
    resize(fund.empty() ? QSize(420, 120) : QSize(760, 460));
}
