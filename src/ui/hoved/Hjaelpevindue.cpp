#include "ui/hoved/Hjaelpevindue.h"

namespace {

const char* const hjaelpetekst = R"(
<h2>Brikken++ &ndash; hjælp</h2>

<h3>Arbejdsgangen</h3>
<ol>
<li><b>Filer &rarr; Hent projekt</b>: vælg planen i listen og tryk OK.</li>
<li><b>Generer &rarr; Beregn skemaer</b>: vælg indstillingerne og tryk OK. <b>Generer &rarr; AutoGenerer</b>
lægger i stedet skemaerne i flere runder med én time mere om dagen for hver runde.</li>
<li><b>Skema &rarr; Nyt holdskema, Nyt lærerskema</b> eller <b>Nyt lokaleskema</b> åbner et skemavindue;
vælg derefter holdet, læreren eller lokalet. Åbne skemavinduer følger med, når skemaerne ændres.</li>
<li>Fjern fluebenet ved <b>Opsætning &rarr; Skrivebeskyt DB</b> og vælg <b>Filer &rarr; Gem projekt</b> for at
gemme skemaerne i databasen. En stjerne (*) i titellinjen betyder, at der er ændringer, som ikke er gemt.</li>
<li><b>Filer &rarr; Export Project</b> skriver skemaerne til tekstfilerne HoldSkemaer.txt, LaererSkemaer.txt og
LokaleSkemaer.txt; <b>Filer &rarr; Print skema</b> udskriver det aktive skemavindue.</li>
</ol>

<h3>Tallene</h3>
<table cellspacing="4">
<tr><td><b>PL</b></td><td>Planlagte timer: de lektionstimer, planen kræver. I skemavinduet for det valgte hold,
den valgte lærer eller det valgte lokale.</td></tr>
<tr><td><b>LL</b></td><td>Lagte lektioner: de timer, der er placeret i skemaerne.</td></tr>
<tr><td><b>L%</b></td><td>LL i procent af PL: hvor stor en del af timerne, der er lagt.</td></tr>
<tr><td><b>ML</b></td><td>Mellemtimer: frie timer mellem to lektioner på samme dag, talt for alle hold.</td></tr>
<tr><td><b>CV%</b></td><td>Spredningen (variationskoefficienten) af dagenes længde i skemavinduet:
jo lavere, jo jævnere slutter dagene.</td></tr>
</table>

<h3>Indstillingerne til genereringen</h3>
<table cellspacing="4">
<tr><td><b>Antal dage</b></td><td>Hvor mange af ugens dage der lægges lektioner på (højst planens egne dage).</td></tr>
<tr><td><b>Antal timer</b></td><td>Hvor mange timer om dagen der bruges (højst planens egne timer).</td></tr>
<tr><td><b>Frekvens</b></td><td>Hvor mange lektioner der lægges, før rækkefølgen beregnes igen. 1 beregner
rækkefølgen før hver lektion; et højere tal er hurtigere, men mindre omhyggeligt.</td></tr>
<tr><td><b>Styrke</b></td><td>Hvor mange gange den samme lektion højst forsøges lagt. Et højere tal lægger
flere timer, men tager længere tid.</td></tr>
</table>
<p>En ny generering efter en gennemført fortsætter fra de skemaer, der allerede er lagt, og lægger kun de
manglende timer. <b>Filer &rarr; Nyt projekt</b> tømmer skemaerne, så næste generering starter forfra.</p>

<h3>Skrivebeskyttelse</h3>
<p>Når <b>Opsætning &rarr; Skrivebeskyt DB</b> har flueben (som ved start), skriver programmet intet til
databasen: hverken skemaerne eller de faste lærere og stamlokaler, som genereringen finder. Alt andet virker som
ellers, så man kan prøve sig frem uden risiko.</p>
)";

} // namespace

Hjaelpevindue::Hjaelpevindue(QWidget* hovedvindue) : QTextBrowser(hovedvindue)
{
    setWindowFlags(Qt::Window);
    setObjectName("Hjaelpevindue");
    setWindowTitle("Brikken++ - Hjælp");
    resize(600, 560);
    setHtml(QString::fromUtf8(hjaelpetekst));
}
