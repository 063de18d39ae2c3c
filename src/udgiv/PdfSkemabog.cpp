#include "udgiv/PdfSkemabog.h"

#include "udgiv/AtomiskFil.h"
#include "base/Uge.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace {

// At this resolution one device unit is a tenth of a millimetre.
constexpr int oploesning = 254;
constexpr int margen = 100;
constexpr int sideBredde = 2970;
constexpr int sideHoejde = 2100;
constexpr int gitterTop = 230;
constexpr int gitterBund = sideHoejde - 130;
constexpr int gitterBredde = sideBredde - 2 * margen;

const QColor linjeFarve("#8a8a8a");
const QColor hovedFarve("#e8e8e8");
const QColor spaerretFarve("#a0a0a0");

QString q(const std::string& tekst) { return QString::fromStdString(tekst); }

// Lays out the pages of one book on a painter that is already on the PDF.
class Bogtegner {
public:
    Bogtegner(const Skemabog& bog, QPdfWriter& skriver, QPainter& maler)
        : bog_(bog), skriver_(skriver), maler_(maler),
          sider_(static_cast<int>(OversigtsSider(bog.AfArt(SkemaArt::hold).size()) +
                                  OversigtsSider(bog.AfArt(SkemaArt::laerer).size()) + bog.skemaer.size()))
    {
    }

    void TegnBog()
    {
        TegnOversigt(SkemaArt::hold);
        TegnOversigt(SkemaArt::laerer);
        for (const UdgivetSkema& skema : bog_.skemaer)
            TegnSkema(skema);
    }

private:
    void NySide()
    {
        if (side_ > 0)
            skriver_.newPage();
        ++side_;
        maler_.setPen(Qt::black);
        SaetSkrift(22, false);
        maler_.drawText(QRect(margen, sideHoejde - 90, gitterBredde, 40), Qt::AlignRight | Qt::AlignVCenter,
                        QString("Brikken++ · %1 · side %2 af %3").arg(q(bog_.plan)).arg(side_).arg(sider_));
    }

    void Overskrift(const std::string& titel, const std::string& undertitel)
    {
        SaetSkrift(60, true);
        maler_.drawText(QRect(margen, margen, gitterBredde, 80), Qt::AlignLeft | Qt::AlignVCenter, q(titel));
        SaetSkrift(34, false);
        maler_.drawText(QRect(margen, margen, gitterBredde, 80), Qt::AlignRight | Qt::AlignVCenter, q(undertitel));
    }

    void SaetSkrift(int hoejde, bool fed)
    {
        QFont skrift;
        skrift.setStyleHint(QFont::SansSerif);
        skrift.setPixelSize(hoejde);
        skrift.setBold(fed);
        // Without ligatures a copied or searched "fi" stays two letters.
        skrift.setStyleStrategy(QFont::PreferNoShaping);
        maler_.setFont(skrift);
    }

    // The whole text always: a text too wide for its box is set smaller.
    void TegnTekst(const QRect& felt, const std::string& tekst, int hoejde, bool fed,
                   Qt::Alignment justering = Qt::AlignLeft | Qt::AlignVCenter)
    {
        SaetSkrift(hoejde, fed);
        const int bredde = maler_.fontMetrics().horizontalAdvance(q(tekst));
        if (bredde > felt.width())
            SaetSkrift(std::max(8, hoejde * felt.width() / bredde), fed);
        maler_.drawText(felt, static_cast<int>(justering), q(tekst));
    }

    // A name too wide for its box goes on over more lines, set only as small as
    // those lines need (not below a readable size), instead of being shrunk onto one.
    void TegnOmbrudtTekst(const QRect& felt, const std::string& tekst, int hoejde, bool fed)
    {
        constexpr int mindst = 18;
        const QString t = q(tekst);
        int flag = 0;
        for (int h = hoejde;; --h) {
            SaetSkrift(h, fed);
            const QFontMetrics maal = maler_.fontMetrics();
            const QStringList ord = t.split(' ', Qt::SkipEmptyParts);
            const bool ordPasser = std::all_of(
                ord.begin(), ord.end(), [&](const QString& o) { return maal.horizontalAdvance(o) <= felt.width(); });
            // A word wider than the box is broken where it must be.
            flag = static_cast<int>(Qt::AlignLeft | Qt::AlignVCenter |
                                    (ordPasser ? Qt::TextWordWrap : Qt::TextWrapAnywhere));
            if (h <= mindst || maal.boundingRect(felt, flag, t).height() <= felt.height())
                break;
        }
        maler_.save();
        maler_.setClipRect(felt);
        maler_.drawText(felt, flag, t);
        maler_.restore();
    }

    void Felt(const QRect& felt, const QColor& fyld)
    {
        maler_.setPen(QPen(linjeFarve, 2));
        maler_.setBrush(fyld);
        maler_.drawRect(felt);
    }

    // A teacher's unavailable hour: diagonal lines across the cell.
    void Skraver(const QRect& felt)
    {
        maler_.save();
        maler_.setClipRect(felt);
        maler_.setPen(QPen(spaerretFarve, 3));
        for (int x = felt.left() - felt.height(); x < felt.right(); x += 30)
            maler_.drawLine(x, felt.bottom(), x + felt.height(), felt.top());
        maler_.restore();
    }

    // The cell in its subject's colour (hatched when the teacher is unavailable);
    // whether a lesson of either kind is there, with the pen set for its text.
    bool Baggrund(const QRect& felt, const UdgivetSkema& skema, int32_t dag, int32_t time)
    {
        const std::string fag = skema.FagI(dag, time);
        Felt(felt, fag.empty() ? QColor(Qt::white) : QColor(q(bog_.FagFarve(fag))));
        if (fag.empty() && skema.ErSpaerret(dag, time))
            Skraver(felt);
        if (!fag.empty())
            maler_.setPen(Qt::black);
        return !fag.empty();
    }

    // The lesson's lines; below them (or alone) the lessons of the new kind,
    // wrapped over the lines they need.
    void Celle(const QRect& felt, const UdgivetSkema& skema, int32_t dag, int32_t time)
    {
        if (!Baggrund(felt, skema, dag, time))
            return;
        const UdgivetLektion* lektion = skema.Lektion(dag, time);
        const UdgivetAktivitetscelle* aktivitet = skema.AktivitetI(dag, time);
        const int linjeHoejde = std::min(55, felt.height() / 3 - 4);
        const int antal = lektion ? static_cast<int>(lektion->linjer.size()) : 0;
        const int aktivitetsLinjer = aktivitet ? (lektion ? 1 : 3) : 0;
        int y = felt.center().y() - (antal + aktivitetsLinjer) * linjeHoejde / 2;
        for (int i = 0; i < antal; ++i, y += linjeHoejde) {
            const QRect linje(felt.left() + 20, y, felt.width() - 40, linjeHoejde);
            TegnTekst(linje, lektion->linjer[i], linjeHoejde * 3 / 4, i == 0);
        }
        if (aktivitet) {
            const QRect linjer(felt.left() + 20, y, felt.width() - 40, aktivitetsLinjer * linjeHoejde);
            TegnOmbrudtTekst(linjer, aktivitet->tekst, linjeHoejde * 3 / 4, !lektion);
        }
    }

    void TegnSkema(const UdgivetSkema& skema)
    {
        NySide();
        Overskrift(bog_.plan + " · " + ArtNavn(skema.art) + " " + skema.id, skema.noegletal);
        constexpr int etiket = 110;
        constexpr int hoved = 80;
        const int bredde = (gitterBredde - etiket) / bog_.dage;
        const int hoejde = (gitterBund - gitterTop - hoved) / bog_.timer;
        for (int32_t dag = 0; dag < bog_.dage; ++dag) {
            const QRect felt(margen + etiket + dag * bredde, gitterTop, bredde, hoved);
            Felt(felt, hovedFarve);
            maler_.setPen(Qt::black);
            TegnTekst(felt, dagNavne.at(dag), 38, true, Qt::AlignCenter);
        }
        for (int32_t time = 0; time < bog_.timer; ++time) {
            const int y = gitterTop + hoved + time * hoejde;
            const QRect felt(margen, y, etiket, hoejde);
            Felt(felt, hovedFarve);
            maler_.setPen(Qt::black);
            TegnTekst(felt, std::to_string(time + 1), 40, true, Qt::AlignCenter);
            for (int32_t dag = 0; dag < bog_.dage; ++dag)
                Celle(QRect(margen + etiket + dag * bredde, y, bredde, hoejde), skema, dag, time);
        }
    }

    // One line per timetable of the kind, every hour of the week across. A
    // school too big for readable lines on one page goes on over more pages.
    void TegnOversigt(SkemaArt art)
    {
        const std::vector<const UdgivetSkema*> skemaer = bog_.AfArt(art);
        const size_t prSide = OversigtsLinjerPrSide(skemaer.size());
        const size_t sider = OversigtsSider(skemaer.size());
        for (size_t side = 0; side < sider; ++side) {
            NySide();
            const std::string titel = bog_.plan + " · Oversigt · " + ArtFlertal(art) +
                                      (sider > 1 ? " (" + std::to_string(side + 1) + "/" + std::to_string(sider) + ")"
                                                 : "");
            Overskrift(titel, std::to_string(skemaer.size()) + " skemaer");
            const size_t fra = side * prSide;
            const size_t til = std::min(skemaer.size(), fra + prSide);
            TegnOversigtsside(std::vector<const UdgivetSkema*>(skemaer.begin() + static_cast<std::ptrdiff_t>(fra),
                                                               skemaer.begin() + static_cast<std::ptrdiff_t>(til)),
                              static_cast<int>(prSide));
        }
    }

    static constexpr int oversigtsEtiket = 230;
    static constexpr int oversigtsHoved = 60;
    static constexpr int oversigtsLinjeHoejde = 90;
    static constexpr int mindsteOversigtsLinje = 32;

    static size_t OversigtsLinjerPrSide(size_t linjer)
    {
        const int plads = gitterBund - gitterTop - 2 * oversigtsHoved;
        return std::max<size_t>(1, std::min<size_t>(linjer, plads / mindsteOversigtsLinje));
    }

    static size_t OversigtsSider(size_t linjer)
    {
        const size_t prSide = OversigtsLinjerPrSide(linjer);
        return std::max<size_t>(1, (linjer + prSide - 1) / prSide);
    }

    void TegnOversigtsside(const std::vector<const UdgivetSkema*>& skemaer, int linjerPrSide)
    {
        const int timer = bog_.dage * bog_.timer;
        const int bredde = (gitterBredde - oversigtsEtiket) / timer;
        const int hoejde = std::min(oversigtsLinjeHoejde, (gitterBund - gitterTop - 2 * oversigtsHoved) / linjerPrSide);
        const int venstre = margen + oversigtsEtiket;
        for (int32_t dag = 0; dag < bog_.dage; ++dag) {
            const QRect dagFelt(venstre + dag * bog_.timer * bredde, gitterTop, bog_.timer * bredde, oversigtsHoved);
            Felt(dagFelt, hovedFarve);
            maler_.setPen(Qt::black);
            TegnTekst(dagFelt, dagNavne.at(dag), 34, true, Qt::AlignCenter);
            for (int32_t time = 0; time < bog_.timer; ++time) {
                const QRect felt(dagFelt.left() + time * bredde, gitterTop + oversigtsHoved, bredde, oversigtsHoved);
                Felt(felt, hovedFarve);
                maler_.setPen(Qt::black);
                TegnTekst(felt, std::to_string(time + 1), 28, false, Qt::AlignCenter);
            }
        }
        int y = gitterTop + 2 * oversigtsHoved;
        for (const UdgivetSkema* skema : skemaer) {
            const QRect navn(margen, y, oversigtsEtiket, hoejde);
            Felt(navn, hovedFarve);
            maler_.setPen(Qt::black);
            TegnOmbrudtTekst(navn.adjusted(12, 0, -12, 0), skema->id, std::min(34, hoejde * 2 / 3), true);
            for (int32_t dag = 0; dag < bog_.dage; ++dag) {
                for (int32_t time = 0; time < bog_.timer; ++time) {
                    const QRect felt(venstre + (dag * bog_.timer + time) * bredde, y, bredde, hoejde);
                    OversigtsCelle(felt, *skema, dag, time);
                }
            }
            y += hoejde;
        }
        // Heavier lines between the days.
        maler_.setPen(QPen(Qt::black, 5));
        for (int32_t dag = 0; dag <= bog_.dage; ++dag) {
            const int x = venstre + dag * bog_.timer * bredde;
            maler_.drawLine(x, gitterTop, x, y);
        }
    }

    void OversigtsCelle(const QRect& felt, const UdgivetSkema& skema, int32_t dag, int32_t time)
    {
        if (!Baggrund(felt, skema, dag, time))
            return;
        const UdgivetLektion* lektion = skema.Lektion(dag, time);
        const std::string& kort = lektion ? lektion->kort : skema.AktivitetI(dag, time)->kort;
        TegnTekst(felt.adjusted(3, 0, -3, 0), kort, std::min(26, felt.height() / 2), false, Qt::AlignCenter);
    }

    const Skemabog& bog_;
    QPdfWriter& skriver_;
    QPainter& maler_;
    int side_ = 0;
    const int sider_;
};

} // namespace

bool SkrivPdfSkemabog(const Skemabog& bog, const std::string& fil, std::string& fejl)
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        fejl = "PDF kan kun tegnes med grafisk brugerflade";
        return false;
    }
    // The book is drawn in memory and written to the disk in one go.
    QBuffer ud;
    ud.open(QIODevice::WriteOnly);
    bool tegnet = false;
    {
        QPdfWriter skriver(&ud);
        skriver.setResolution(oploesning);
        skriver.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
        skriver.setTitle(QString::fromStdString("Skemaer · " + bog.plan));
        skriver.setCreator("Brikken++");
        QPainter maler;
        if (maler.begin(&skriver)) {
            Bogtegner(bog, skriver, maler).TegnBog();
            tegnet = maler.end();
        }
    }
    if (!tegnet) {
        fejl = fil + ": siderne kunne ikke tegnes";
        return false;
    }
    return atomiskFil::Skriv({{fil, ud.data().toStdString()}}, fejl);
}
