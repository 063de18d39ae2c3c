#include "import/XmlElement.h"

#include <QFile>
#include <QXmlStreamReader>

namespace {

// Deeper nesting than any timetable file has is refused rather than recursed into.
constexpr int maksDybde = 64;

void LaesBoern(QXmlStreamReader& laeser, XmlElement& element, int dybde = 0)
{
    if (dybde > maksDybde) {
        laeser.raiseError("elementerne er indlejret for dybt");
        return;
    }
    while (laeser.readNext() != QXmlStreamReader::EndElement && !laeser.atEnd()) {
        if (laeser.isStartElement()) {
            XmlElement barn{laeser.name().toString().toStdString(), {}, {}};
            LaesBoern(laeser, barn, dybde + 1);
            element.boern.push_back(std::move(barn));
        } else if (laeser.isCharacters()) {
            element.tekst += laeser.text().toString().toStdString();
        }
    }
    element.tekst = QString::fromStdString(element.tekst).trimmed().toStdString();
}

} // namespace

const XmlElement* XmlElement::Barn(const std::string& navn) const
{
    for (const XmlElement& barn : boern) {
        if (barn.navn == navn)
            return &barn;
    }
    return nullptr;
}

std::string XmlElement::Tekst(const std::string& navn) const
{
    const XmlElement* barn = Barn(navn);
    return barn == nullptr ? "" : barn->tekst;
}

std::vector<const XmlElement*> XmlElement::Boern(const std::string& navn) const
{
    std::vector<const XmlElement*> ud;
    for (const XmlElement& barn : boern) {
        if (barn.navn == navn)
            ud.push_back(&barn);
    }
    return ud;
}

bool XmlElement::LaesFil(const std::string& sti, XmlElement& rod, std::string& fejl)
{
    QFile fil(QString::fromStdString(sti));
    if (!fil.open(QIODevice::ReadOnly)) {
        fejl = "Filen " + sti + " kan ikke åbnes: " + fil.errorString().toStdString();
        return false;
    }
    QXmlStreamReader laeser(&fil);
    while (!laeser.atEnd() && !laeser.isStartElement())
        laeser.readNext();
    rod = {laeser.name().toString().toStdString(), {}, {}};
    LaesBoern(laeser, rod);
    if (laeser.hasError() || rod.navn.empty()) {
        fejl = "Filen " + sti + " er ikke gyldig XML (linje " + std::to_string(laeser.lineNumber()) +
               "): " + laeser.errorString().toStdString();
        return false;
    }
    return true;
}
