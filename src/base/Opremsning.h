#pragma once

#include <string>

// The texts in their order, joined by `mellem`: "A1, A2, Gymsal".
template <typename Tekster>
std::string Opremsning(const Tekster& tekster, const std::string& mellem = ", ")
{
    std::string ud;
    for (const std::string& tekst : tekster)
        ud += (ud.empty() ? "" : mellem) + tekst;
    return ud;
}
