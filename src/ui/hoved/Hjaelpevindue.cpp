#include "ui/hoved/Hjaelpevindue.h"

#include <QScrollBar>

namespace {

const char* const hjaelpetekst = R"(
<h2>Brikken++ &ndash; hjælp</h2>
<p>F1 åbner hjælpen i alle programmets vinduer, ved det afsnit der passer til vinduet.</p>
<p><a href="#arbejdsgang">Arbejdsgangen</a> &middot; <a href="#tal">Tallene</a> &middot;
<a href="#generering">Generering</a> &middot; <a href="#kontrol">Kontrollér planen</a> &middot;
<a href="#manglende">Manglende timer</a> &middot; <a href="#fuldfoerelse">Fuldførelse</a> &middot;
<a href="#haandredigering">Håndredigering</a> &middot; <a href="#fastlaasning">Fastlåsning</a> &middot;
<a href="#skoledata">Skoledata</a> &middot; <a href="#import">Import</a> &middot;
<a href="#udgivelse">Udgivelse og udskrift</a> &middot; <a href="#skrivebeskyttelse">Skrivebeskyttelse</a> &middot;
<a href="#kommandolinje">Kommandolinjen</a></p>

<h3><a name="arbejdsgang"></a>Arbejdsgangen</h3>
<ol>
<li>Ved start åbnes den plan, der sidst var i brug; ellers vises listen over planer. <b>Filer &rarr; Hent
projekt</b> vælger en anden plan.</li>
<li><b>Generer &rarr; Kontrollér planen</b> fortæller, om planens timer overhovedet kan lægges, før der genereres.</li>
<li><b>Generer &rarr; Beregn skemaer</b>: vælg indstillingerne og tryk OK. <b>Generer &rarr; AutoGenerer</b>
lægger i stedet skemaerne i flere runder med én time mere om dagen for hver runde. Efter den første generering
vises det første holds skema og de manglende timer.</li>
<li><b>Generer &rarr; Fuldfør skemaet</b> lægger de timer, genereringen ikke fik lagt, og lukker mellemtimer.</li>
<li><b>Skema &rarr; Nyt holdskema, Nyt lærerskema</b> eller <b>Nyt lokaleskema</b> åbner et skemavindue;
vælg derefter holdet, læreren eller lokalet. Åbne skemavinduer følger med, når skemaerne ændres.</li>
<li>Fjern fluebenet ved <b>Opsætning &rarr; Skrivebeskyt DB</b> og vælg <b>Filer &rarr; Gem projekt</b> for at
gemme skemaerne i databasen. En stjerne (*) i titellinjen betyder, at der er ændringer, som ikke er gemt.</li>
<li><b>Filer &rarr; Nyt projekt</b> tømmer skemaerne, så næste generering starter forfra. Er skemaerne ikke gemt,
spørger programmet først, og <b>Rediger &rarr; Fortryd</b> henter lektionerne tilbage.</li>
</ol>

<h3><a name="tal"></a>Tallene</h3>
<table cellspacing="4">
<tr><td><b>PL</b></td><td>Planlagte timer: de lektionstimer, planen kræver. I skemavinduet for det valgte hold,
den valgte lærer eller det valgte lokale.</td></tr>
<tr><td><b>LL</b></td><td>Lagte lektioner: de timer, der er placeret i skemaerne.</td></tr>
<tr><td><b>L%</b></td><td>LL i procent af PL: hvor stor en del af timerne, der er lagt. Et klik på L% i
hovedvinduets statuslinje viser de manglende timer.</td></tr>
<tr><td><b>ML</b></td><td>Mellemtimer: frie timer mellem to lektioner på samme dag, talt for alle hold.</td></tr>
<tr><td><b>CV%</b></td><td>Spredningen (variationskoefficienten) af dagenes længde i skemavinduet:
jo lavere, jo jævnere slutter dagene.</td></tr>
</table>

<h3><a name="generering"></a>Generering</h3>
<table cellspacing="4">
<tr><td><b>Antal dage</b></td><td>Hvor mange af ugens dage der lægges lektioner på. Sat til planens egne dage,
når en plan åbnes.</td></tr>
<tr><td><b>Antal timer</b></td><td>Hvor mange timer om dagen der bruges. Sat til planens egne timer, når en plan
åbnes.</td></tr>
<tr><td><b>Frekvens</b></td><td>Hvor mange lektioner der lægges, før rækkefølgen beregnes igen. 1 beregner
rækkefølgen før hver lektion; et højere tal er hurtigere, men mindre omhyggeligt.</td></tr>
<tr><td><b>Styrke</b></td><td>Hvor mange gange den samme lektion højst forsøges lagt. Et højere tal lægger
flere timer, men tager længere tid.</td></tr>
</table>
<p>En ny generering lægger til de lektioner, der allerede er placeret. <b>Ryd skemaerne først og begynd
forfra</b> tømmer dem først; annulleres genereringen (fx ved at svare Annuller på et spørgsmål), står skemaerne
som før. <b>Spred fagene over ugen</b> lægger et hold og fags timer på hver sin dag eller samlet i én blok i
fuldførelsen, håndflytninger og de manglende timer. <b>Stop</b> afbryder og beholder det, der er lagt.</p>

<h3><a name="kontrol"></a>Kontrollér planen</h3>
<p><b>Generer &rarr; Kontrollér planen</b> tæller de timer, planen kræver, mod de timer, der findes: for hvert
hold, hver lærer og hver lokaletype. Fund, der gør et fuldt skema umuligt, står først, derefter advarsler.
Kontrollen ændrer intet.</p>

<h3><a name="manglende"></a>Manglende timer</h3>
<p><b>Generer &rarr; Manglende timer</b> (eller et klik på L%) viser de timer, der endnu ikke er lagt, med
grunden til at hver fri time ikke kan bruges (fx &quot;lærer optaget&quot;). Vinduet følger skemaerne.
En række trækkes ind i et skemavindue for at lægge en time dér; den første ledige passende lokale vælges.</p>

<h3><a name="regler"></a>Planens regler</h3>
<p><b>Generer &rarr; Planens regler</b> viser planens egne regler (pauser, lukkede timer, grænser for dage,
timer og mellemtimer, faste starttider) og om skemaerne holder dem lige nu. Brudte krav står først med rødt,
derefter brudte ønsker (en vægt under 100 %), så de holdte. <b>Brud</b> siger hvor meget, <b>Hvorfor</b> med
ord. Vinduet følger skemaerne. Reglerne redigeres under <b>Data &rarr; Skoledata</b>.</p>

<h3><a name="fuldfoerelse"></a>Fuldførelse</h3>
<p><b>Generer &rarr; Fuldfør skemaet</b> flytter lagte lektioner af vejen for de manglende og lukker derefter
mellemtimer. Vinduet viser undervejs, hvor mange timer der mangler, og mellemtimerne fra start til nu.
Programmet kan bruges imens, og <b>Stop</b> virker med det samme; det bedste skema, der er fundet, beholdes.
Skemaerne ændres kun, når resultatet er bedre. Bagefter står opsummeringen i statuslinjen, og hvad der
eventuelt står i vejen, i en boks for sig.</p>

<h3><a name="haandredigering"></a>Håndredigering</h3>
<p>I et skemavindue trækkes en lektion med musen til en anden time. Mens den trækkes, farves timerne efter hvad et
slip dér gør: grøn er en ledig time, gul et bytte, rød er afvist med grunden. Et afvist slip skriver grunden i
statuslinjen. Ctrl+piletast flytter den valgte lektion en time eller en dag, Delete fjerner den (timerne bliver
manglende), og et højreklik giver de samme valg. <b>Rediger &rarr; Fortryd</b> (Ctrl+Z) og <b>Gentag</b> (Ctrl+Y)
gælder alle håndændringer og <b>Nyt projekt</b>.</p>

<h3><a name="fastlaasning"></a>Fastlåsning</h3>
<p>Højreklik på en lektion og vælg <b>Fastlås</b>: lektionen står så med mærket &#x26B2; foran teksten, og hverken
håndflytninger eller fuldførelsen flytter den. <b>Frigiv</b> ophæver det. Fastlåsningerne gemmes med
skemaerne. En aktivitet (hold og grupper sammen, flere lærere) flyttes og fastlåses på samme måde som én blok
med alle sine hold, lærere og lokaler.</p>

<h3><a name="skoledata"></a>Skoledata</h3>
<p><b>Data &rarr; Skoledata …</b> redigerer alt, en plan bygger på: planer, holdtyper og fag, hold, fag, lærere
og lokaler, én side for hver. En ugyldig værdi står rødt med grunden som værktøjstip. <b>Gem</b> skriver alle
ændringer på én gang eller ingen af dem. Siden <b>Utilgængelige timer</b> viser den valgte plans lærere og
deres uge. Data &rarr; <b>Kopiér plan …</b> laver en ny plan ud fra en gammel; de lektioner, der kopieres, er
dem, der er gemt i databasen, så programmet tilbyder at gemme først.</p>

<h3><a name="import"></a>Import</h3>
<p><b>Filer &rarr; Importér …</b> læser en skemafil i det frie XML-format (.fet) ind som en ny plan. Det, der
ikke har en modsvarighed her, nævnes i en rapport, som også står i CommBox.</p>

<h3><a name="udgivelse"></a>Udgivelse og udskrift</h3>
<p><b>Filer &rarr; Eksportér PDF …, Eksportér HTML …</b> og <b>Eksportér CSV …</b> udgiver alle skemaer som en
PDF-bog, som en mappe med websider (med oversigter over hold og lærere) eller som et regneark. Forslaget er den
åbne plans navn i den mappe, der sidst blev brugt. <b>Filer &rarr; Export Project</b> skriver tekstfilerne
HoldSkemaer.txt, LaererSkemaer.txt og LokaleSkemaer.txt. <b>Filer &rarr; Print skema</b> udskriver det aktive
skemavindue; uden printer spørger programmet, hvor PDF-filen skal gemmes.</p>

<h3><a name="skrivebeskyttelse"></a>Skrivebeskyttelse</h3>
<p>Når <b>Opsætning &rarr; Skrivebeskyt DB</b> har flueben (som ved start), skriver programmet intet til
databasen: hverken skemaerne eller de faste lærere og stamlokaler, som genereringen finder. Alt andet virker som
ellers, så man kan prøve sig frem uden risiko.</p>

<h3><a name="kommandolinje"></a>Kommandolinjen</h3>
<p>Programmet <code>brikken-cli</code> gør det samme uden vinduer, til scripts:</p>
<pre>brikken-cli plans
brikken-cli check PLAN
brikken-cli run PLAN --generate --complete --writable --save
brikken-cli run PLAN --export-pdf skemaer.pdf --export-html web --export-csv skemaer.csv
brikken-cli copy-plan FRA TIL --lessons
brikken-cli import-fet skole.fet --plan ID</pre>
<p><code>--db</code> vælger en anden database (sqlite:STI, postgresql://…, odbc:DSN). <code>brikken-cli</code> uden
argumenter viser alle valg.</p>
)";

} // namespace

Hjaelpevindue::Hjaelpevindue(QWidget* foraelder) : QTextBrowser(foraelder)
{
    setWindowFlags(Qt::Window);
    setObjectName("Hjaelpevindue");
    setWindowTitle("Brikken++ - Hjælp");
    resize(640, 600);
    setHtml(QString::fromUtf8(hjaelpetekst));
}

void Hjaelpevindue::VisAfsnit(const QString& anker)
{
    show();
    raise();
    activateWindow();
    if (anker.isEmpty())
        verticalScrollBar()->setValue(0);
    else
        scrollToAnchor(anker);
}
