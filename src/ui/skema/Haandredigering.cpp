#include "ui/skema/Haandredigering.h"

#include "ui/skema/Skemaaendring.h"
#include "ui/hoved/TMainFrame.h"
#include "ui/skema/TManglende.h"
#include "ui/skema/TekstGitter.h"
#include "base/Besked.h"
#include "app/Vorivazi.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QUndoStack>

#include <algorithm>
#include <array>
#include <memory>

namespace {

const QString lektionMime = "application/x-brikken-lektion";

const std::array<QColor, 3> maalFarver{QColor(0xb8, 0xe6, 0xb0), QColor(0xf6, 0xe7, 0x8c), QColor(0xf0, 0xa8, 0xa8)};

QString Navn(const LektionsData& l) { return QString::fromStdString(Beskriv(l)); }

QString Navn(const Vorivazi& facade, const Aktivitetsblok& blok)
{
    return QString::fromStdString(AktivitetsNavn(*facade.Aktiviteter().Find(blok.aktivitet)));
}

} // namespace

Haandredigering::Haandredigering(TMainFrame& hoved, TekstGitter& gitter, std::function<std::optional<VistSkema>()> vist)
    : QObject(&gitter), hoved_(hoved), gitter_(gitter), vist_(std::move(vist))
{
    gitter_.setSelectionMode(QAbstractItemView::SingleSelection);
    gitter_.setFocusPolicy(Qt::StrongFocus);
    gitter_.viewport()->setAcceptDrops(true);
    gitter_.viewport()->installEventFilter(this);
    gitter_.installEventFilter(this);
}

std::optional<Placering> Haandredigering::CelleVed(const QPoint& punkt) const
{
    const int raekke = gitter_.rowAt(punkt.y());
    const int kolonne = gitter_.columnAt(punkt.x());
    if (raekke < 0 || kolonne < 1)
        return std::nullopt;
    return Placering{kolonne - 1, raekke};
}

std::optional<Placering> Haandredigering::Markeret() const
{
    const QModelIndex valgt = gitter_.currentIndex();
    if (!valgt.isValid() || valgt.column() < 1)
        return std::nullopt;
    return Placering{valgt.column() - 1, valgt.row()};
}

std::optional<LektionsData> Haandredigering::LektionI(Placering p) const
{
    const std::optional<VistSkema> vist = vist_();
    if (!vist)
        return std::nullopt;
    for (const LektionsData& l : hoved_.Facade().Lektioner(vist->id, vist->art))
        if (l.kolonne == p.kolonne && l.raekke == p.raekke)
            return l;
    return std::nullopt;
}

std::optional<Aktivitetsblok> Haandredigering::BlokI(Placering p) const
{
    const std::optional<VistSkema> vist = vist_();
    if (!vist || LektionI(p))
        return std::nullopt;
    return hoved_.Facade().AktivitetsblokI(vist->id, vist->art, p);
}

void Haandredigering::FarvMaal(Placering fra)
{
    const std::optional<VistSkema> vist = vist_();
    if (vist)
        Farv([&](Placering til) { return hoved_.Facade().ProevFlyt(vist->id, vist->art, fra, til); });
}

void Haandredigering::FarvPlacering(const Timekrav& krav)
{
    Farv([&](Placering til) {
        const Udfald<LektionsData> blok = hoved_.Facade().NyLektion(krav, til);
        return blok ? Flytsvar{FlytUdfald::ledig, ""} : Flytsvar{FlytUdfald::afvist, blok.Grund()};
    });
}

void Haandredigering::FarvForHold(const Timekrav& krav)
{
    const std::optional<VistSkema> vist = vist_();
    if (vist && vist->art == SkemaArt::hold && vist->id == krav.hold)
        FarvPlacering(krav);
}

void Haandredigering::Farv(const std::function<Flytsvar(Placering)>& proev)
{
    for (int dag = 0; dag < Dage(); ++dag)
        for (int time = 0; time < Timer(); ++time) {
            const Flytsvar svar = proev({dag, time});
            QTableWidgetItem* celle = gitter_.item(time, dag + 1);
            celle->setBackground(maalFarver[static_cast<size_t>(svar.udfald)]);
            const QString grund = QString::fromStdString(svar.grund);
            celle->setToolTip(svar.udfald == FlytUdfald::afvist ? grund
                              : svar.udfald == FlytUdfald::byt  ? "Byt med " + grund
                                                                : QString("Ledig time"));
        }
}

void Haandredigering::FjernFarver()
{
    // Writing each text again gives it its own background and tooltip back.
    for (int kolonne = 1; kolonne <= Dage(); ++kolonne)
        for (int raekke = 1; raekke <= Timer(); ++raekke)
            gitter_.SaetCelle(kolonne, raekke, gitter_.Celle(kolonne, raekke));
}

bool Haandredigering::Flyt(Placering fra, Placering til)
{
    const std::optional<VistSkema> vist = vist_();
    const std::optional<LektionsData> lektion = LektionI(fra);
    if (const std::optional<Aktivitetsblok> blok = BlokI(fra))
        return FlytBlok(*blok, fra, til);
    if (!vist || !lektion)
        return false;
    const Flytsvar svar = hoved_.Facade().Flyt(vist->id, vist->art, fra, til);
    if (svar.udfald == FlytUdfald::afvist) {
        hoved_.VisStatustekst("Flytningen er afvist: " + QString::fromStdString(svar.grund));
        Besked().Log("Flytning af " + Beskriv(*lektion) + " afvist: " + svar.grund);
        return false;
    }
    const auto flyt = [&hoved = hoved_, v = *vist](Placering a, Placering b) {
        return [&hoved, v, a, b] { return hoved.Facade().Flyt(v.id, v.art, a, b).udfald != FlytUdfald::afvist; };
    };
    const QString navn = (svar.udfald == FlytUdfald::byt ? "byt " : "flyt ") + Navn(*lektion);
    hoved_.Fortrydelser().push(new Skemaaendring(hoved_, navn, flyt(fra, til), flyt(til, fra)));
    return true;
}

// Undone and done again by the activity and the block's start, since a class's
// hour may hold another group's block beside it.
bool Haandredigering::FlytBlok(const Aktivitetsblok& blok, Placering fra, Placering til)
{
    const Placering nyStart{blok.start.kolonne + til.kolonne - fra.kolonne,
                            blok.start.raekke + til.raekke - fra.raekke};
    const Flytsvar svar = hoved_.Facade().FlytAktivitetsblok(blok.aktivitet, blok.start, nyStart);
    const QString navn = Navn(hoved_.Facade(), blok);
    if (svar.udfald == FlytUdfald::afvist) {
        hoved_.VisStatustekst("Flytningen er afvist: " + QString::fromStdString(svar.grund));
        Besked().Log("Flytning af " + navn.toStdString() + " afvist: " + svar.grund);
        return false;
    }
    const auto flyt = [&hoved = hoved_, a = blok.aktivitet](Placering fraStart, Placering tilStart) {
        return [&hoved, a, fraStart, tilStart] {
            return hoved.Facade().FlytAktivitetsblok(a, fraStart, tilStart).udfald != FlytUdfald::afvist;
        };
    };
    hoved_.Fortrydelser().push(
        new Skemaaendring(hoved_, "flyt " + navn, flyt(blok.start, nyStart), flyt(nyStart, blok.start)));
    return true;
}

bool Haandredigering::Fjern(Placering p)
{
    const std::optional<VistSkema> vist = vist_();
    if (!vist)
        return false;
    const Udfald<LektionsData> fjernet = hoved_.Facade().FjernLektion(vist->id, vist->art, p);
    if (!fjernet) {
        hoved_.VisStatustekst("Lektionen kan ikke fjernes: " + QString::fromStdString(fjernet.Grund()));
        return false;
    }
    const auto gentag = [&hoved = hoved_, l = *fjernet] {
        return static_cast<bool>(hoved.Facade().FjernLektion(l.hold, SkemaArt::hold, {l.kolonne, l.raekke}));
    };
    const auto fortryd = [&hoved = hoved_, l = *fjernet] { return hoved.Facade().PlacerLektion(l); };
    hoved_.Fortrydelser().push(new Skemaaendring(hoved_, "fjern " + Navn(*fjernet), gentag, fortryd));
    return true;
}

bool Haandredigering::Placer(const Timekrav& krav, Placering til)
{
    const Udfald<LektionsData> blok = hoved_.Facade().NyLektion(krav, til);
    if (!blok || !hoved_.Facade().PlacerLektion(*blok)) {
        hoved_.VisStatustekst("Placeringen er afvist: " + QString::fromStdString(blok.Grund()));
        return false;
    }
    const auto gentag = [&hoved = hoved_, l = *blok] { return hoved.Facade().PlacerLektion(l); };
    const auto fortryd = [&hoved = hoved_, l = *blok] {
        return static_cast<bool>(hoved.Facade().FjernLektion(l.hold, SkemaArt::hold, {l.kolonne, l.raekke}));
    };
    hoved_.Fortrydelser().push(new Skemaaendring(hoved_, "placér " + Navn(*blok), gentag, fortryd));
    return true;
}

bool Haandredigering::SaetFastlaast(Placering p, bool fastlaast)
{
    const std::optional<VistSkema> vist = vist_();
    if (const std::optional<Aktivitetsblok> blok = BlokI(p))
        return SaetBlokFastlaast(*blok, fastlaast);
    if (!vist)
        return false;
    const Udfald<LektionsData> lektion = hoved_.Facade().SaetFastlaast(vist->id, vist->art, p, fastlaast);
    if (!lektion) {
        hoved_.VisStatustekst((fastlaast ? "Kan ikke fastlåse: " : "Kan ikke frigive: ") +
                              QString::fromStdString(lektion.Grund()));
        return false;
    }
    const auto saet = [&hoved = hoved_, l = *lektion](bool laas) {
        return [&hoved, l, laas] {
            return static_cast<bool>(hoved.Facade().SaetFastlaast(l.hold, SkemaArt::hold, {l.kolonne, l.raekke}, laas));
        };
    };
    const QString navn = (fastlaast ? "Fastlås " : "Frigiv ") + Navn(*lektion);
    hoved_.Fortrydelser().push(new Skemaaendring(hoved_, navn, saet(fastlaast), saet(!fastlaast)));
    return true;
}

bool Haandredigering::SaetBlokFastlaast(const Aktivitetsblok& blok, bool fastlaast)
{
    if (const Udfald<Aktivitetsblok> saet = hoved_.Facade().SaetAktivitetsblokFastlaast(blok.aktivitet, blok.start,
                                                                                        fastlaast);
        !saet) {
        hoved_.VisStatustekst((fastlaast ? "Kan ikke fastlåse: " : "Kan ikke frigive: ") +
                              QString::fromStdString(saet.Grund()));
        return false;
    }
    const auto saet = [&hoved = hoved_, a = blok.aktivitet, start = blok.start](bool laas) {
        return [&hoved, a, start, laas] {
            return static_cast<bool>(hoved.Facade().SaetAktivitetsblokFastlaast(a, start, laas));
        };
    };
    const QString navn = (fastlaast ? "Fastlås " : "Frigiv ") + Navn(hoved_.Facade(), blok);
    hoved_.Fortrydelser().push(new Skemaaendring(hoved_, navn, saet(fastlaast), saet(!fastlaast)));
    return true;
}

int Haandredigering::Dage() const { return std::min(hoved_.Facade().PlanDage(), gitter_.columnCount() - 1); }

int Haandredigering::Timer() const { return std::min(hoved_.Facade().PlanTimer(), gitter_.rowCount()); }

bool Haandredigering::Tast(int tast, Qt::KeyboardModifiers tilstand)
{
    const std::optional<Placering> valgt = Markeret();
    if (!valgt)
        return false;
    if (tast == Qt::Key_Delete) {
        Fjern(*valgt);
        return true;
    }
    if (!(tilstand & Qt::ControlModifier))
        return false;
    Placering til = *valgt;
    switch (tast) {
    case Qt::Key_Left:
        --til.kolonne;
        break;
    case Qt::Key_Right:
        ++til.kolonne;
        break;
    case Qt::Key_Up:
        --til.raekke;
        break;
    case Qt::Key_Down:
        ++til.raekke;
        break;
    default:
        return false;
    }
    if (Flyt(*valgt, til))
        gitter_.setCurrentCell(til.raekke, til.kolonne + 1);
    return true;
}

void Haandredigering::Traek(Placering fra)
{
    auto* traek = new QDrag(&gitter_);
    traek->setMimeData(Traekdata(fra));
    FarvMaal(fra);
    traek->exec(Qt::MoveAction);
    FjernFarver();
}

QMimeData* Haandredigering::Traekdata(Placering fra) const
{
    auto* data = new QMimeData;
    data->setData(lektionMime, QByteArray::number(reinterpret_cast<quintptr>(this)) + ";" +
                                   QByteArray::number(fra.kolonne) + "," + QByteArray::number(fra.raekke));
    return data;
}

// The hour a drag started from, when it started in this view.
std::optional<Placering> Haandredigering::Kilde(const QMimeData* data) const
{
    if (data == nullptr || !data->hasFormat(lektionMime))
        return std::nullopt;
    const QList<QByteArray> dele = data->data(lektionMime).split(';');
    if (dele.size() != 2 || dele[0] != QByteArray::number(reinterpret_cast<quintptr>(this)))
        return std::nullopt;
    const QList<QByteArray> tal = dele[1].split(',');
    if (tal.size() != 2)
        return std::nullopt;
    return Placering{tal[0].toInt(), tal[1].toInt()};
}

void Haandredigering::VisMenu(const QPoint& punkt)
{
    const std::optional<Placering> p = CelleVed(punkt);
    const std::optional<LektionsData> lektion = p ? LektionI(*p) : std::nullopt;
    const std::optional<Aktivitetsblok> blok = p ? BlokI(*p) : std::nullopt;
    if (!lektion && !blok)
        return;
    gitter_.setCurrentCell(p->raekke, p->kolonne + 1);
    QMenu menu;
    const std::array<std::pair<QString, Placering>, 4> retninger{{{"Flyt en time op", {0, -1}},
                                                                  {"Flyt en time ned", {0, 1}},
                                                                  {"Flyt en dag frem", {1, 0}},
                                                                  {"Flyt en dag tilbage", {-1, 0}}}};
    // An init-capture, as the clang 14 of clang-tidy cannot capture a structured binding.
    for (const auto& [tekst, skridt] : retninger)
        menu.addAction(tekst, [this, p, skridt = skridt] {
            Flyt(*p, {p->kolonne + skridt.kolonne, p->raekke + skridt.raekke});
        });
    if (blok) {
        menu.addAction(blok->laast ? "Frigiv" : "Fastlås", [this, p, b = *blok] { SaetFastlaast(*p, !b.laast); });
        menu.exec(gitter_.viewport()->mapToGlobal(punkt));
        return;
    }
    menu.addAction("Fjern fra skemaet", [this, p] { Fjern(*p); });
    const bool fastlaast = hoved_.Facade().ErFastlaast(lektion->hold, p->kolonne, p->raekke);
    menu.addAction(fastlaast ? "Frigiv" : "Fastlås", [this, p, fastlaast] { SaetFastlaast(*p, !fastlaast); });
    menu.addSeparator();
    // "tom" is no teacher or room with a timetable of its own.
    if (lektion->laerer != tomId)
        menu.addAction("Vis lærerens skema",
                       [this, l = *lektion] { emit visSkema(SkemaArt::laerer, QString::fromStdString(l.laerer)); });
    if (lektion->lokale != tomId)
        menu.addAction("Vis lokalets skema",
                       [this, l = *lektion] { emit visSkema(SkemaArt::lokale, QString::fromStdString(l.lokale)); });
    menu.exec(gitter_.viewport()->mapToGlobal(punkt));
}

bool Haandredigering::eventFilter(QObject* objekt, QEvent* haendelse)
{
    if (objekt == &gitter_) {
        if (haendelse->type() == QEvent::KeyPress) {
            const auto* tast = static_cast<QKeyEvent*>(haendelse);
            return Tast(tast->key(), tast->modifiers());
        }
        return false;
    }
    switch (haendelse->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mus = static_cast<QMouseEvent*>(haendelse);
        const std::optional<Placering> p = CelleVed(mus->position().toPoint());
        trykket_ = mus->button() == Qt::LeftButton && p && (LektionI(*p) || BlokI(*p)) ? p : std::nullopt;
        trykPunkt_ = mus->position().toPoint();
        return false;
    }
    case QEvent::MouseMove: {
        const auto* mus = static_cast<QMouseEvent*>(haendelse);
        if (!trykket_ || !(mus->buttons() & Qt::LeftButton) ||
            (mus->position().toPoint() - trykPunkt_).manhattanLength() < QApplication::startDragDistance())
            return false;
        const Placering fra = *trykket_;
        trykket_.reset();
        Traek(fra);
        return true;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* traek = static_cast<QDragMoveEvent*>(haendelse);
        const std::optional<Placering> til = CelleVed(traek->position().toPoint());
        const std::optional<Timekrav> krav = KravFra(traek->mimeData());
        if (krav && !kravFarvet_) {
            FarvPlacering(*krav);
            kravFarvet_ = true;
        }
        if (!(Kilde(traek->mimeData()) || krav) || !til) {
            traek->ignore();
            return true;
        }
        hoved_.VisStatustekst(gitter_.item(til->raekke, til->kolonne + 1)->toolTip());
        traek->acceptProposedAction();
        return true;
    }
    case QEvent::DragLeave:
        if (kravFarvet_)
            FjernFarver();
        kravFarvet_ = false;
        return false;
    case QEvent::Drop: {
        auto* slip = static_cast<QDropEvent*>(haendelse);
        const std::optional<Placering> fra = Kilde(slip->mimeData());
        const std::optional<Timekrav> krav = KravFra(slip->mimeData());
        const std::optional<Placering> til = CelleVed(slip->position().toPoint());
        if (kravFarvet_)
            FjernFarver();
        kravFarvet_ = false;
        if (krav && til && Placer(*krav, *til))
            slip->acceptProposedAction();
        if (!fra || !til)
            return true;
        if (Flyt(*fra, *til))
            gitter_.setCurrentCell(til->raekke, til->kolonne + 1);
        slip->acceptProposedAction();
        return true;
    }
    case QEvent::ContextMenu:
        VisMenu(static_cast<QContextMenuEvent*>(haendelse)->pos());
        return true;
    default:
        return false;
    }
}
