#pragma once

#include "base/Besked.h"

#include <deque>
#include <string>
#include <vector>

// Records every message and answers questions as a test tells it to.
class TestModtager : public BeskedModtager {
public:
    struct Boks {
        std::string art; // "info", "fejl", "spoerg" or "janej"
        std::string tekst;
        std::string titel;
    };
    struct TidsRaekke {
        double sekunder;
        std::string etiket;
        int32_t raekke;
    };

    std::vector<Boks> bokse;
    std::vector<std::string> logLinjer;
    std::vector<std::string> tidsTitler;
    std::vector<TidsRaekke> tidsLinjer;
    std::string sporTekst;      // the engine's trace, all pieces in order
    std::deque<bool> svar;      // answers to the next questions, in order
    bool standardSvar = false;  // when no answer is queued: Cancel
    std::deque<Svar> jaNejSvar; // answers to the next Ja/Nej/Annuller questions
    Svar standardJaNejSvar = Svar::nej;

    int visInfo(const std::string& tekst) override
    {
        bokse.push_back({"info", tekst, "Meddelelse"});
        return knapOK;
    }
    int visFejl(const std::string& tekst, const std::string& titel) override
    {
        bokse.push_back({"fejl", tekst, titel});
        return knapOK;
    }
    bool spoerg(const std::string& tekst, const std::string& titel) override
    {
        bokse.push_back({"spoerg", tekst, titel});
        if (svar.empty())
            return standardSvar;
        const bool s = svar.front();
        svar.pop_front();
        return s;
    }
    Svar spoergJaNej(const std::string& tekst, const std::string& titel) override
    {
        bokse.push_back({"janej", tekst, titel});
        if (jaNejSvar.empty())
            return standardJaNejSvar;
        const Svar s = jaNejSvar.front();
        jaNejSvar.pop_front();
        return s;
    }
    void log(const std::string& linje) override { logLinjer.push_back(linje); }
    void tidsTitel(const std::string& navn) override { tidsTitler.push_back(navn); }
    void tidsLinje(double sekunder, const std::string& etiket, int32_t raekke) override
    {
        tidsLinjer.push_back({sekunder, etiket, raekke});
    }
    void spor(const std::string& tekst) override { sporTekst += tekst; }
};

// Installs a fresh TestModtager for the lifetime of a test.
class MedTestModtager {
public:
    MedTestModtager() : installeret_(modtager) {}
    TestModtager modtager;

private:
    MidlertidigModtager installeret_;
};
