#pragma once

#include <string>
#include <vector>

// An element of a small XML document read whole: its name, its own text and
// its child elements in document order. Attributes are not kept.
struct XmlElement {
    std::string navn;
    std::string tekst;
    std::vector<XmlElement> boern;

    // The first child of that name, or null.
    const XmlElement* Barn(const std::string& navn) const;
    // The trimmed text of the first child of that name; "" when there is none.
    std::string Tekst(const std::string& navn) const;
    std::vector<const XmlElement*> Boern(const std::string& navn) const;

    // Reads a file; false with the reader's message and the line when it is not well-formed XML.
    static bool LaesFil(const std::string& sti, XmlElement& rod, std::string& fejl);
};
