#pragma once

#include <cstdint>
#include <string>

// Where printed pages go: texts drawn at device coordinates in a named font.
// The program prints through one process-wide instance that it installs
// (the window program its printer, the command line a PDF file); until then
// printing fails with a message. A test may install its own.
class Udskriver {
public:
    virtual ~Udskriver() = default;

    // Begins a one-page document; titel names it. Everything drawn is scaled
    // by skala (1: the classic page fills the paper). False: nothing is printed.
    virtual bool Start(const std::string& skrifttype, const std::string& titel, double skala) = 0;
    virtual void Tegn(int32_t x, int32_t y, const std::string& tekst) = 0;
    // Ends the document and sends the page off.
    virtual bool Slut() = 0;

    static Udskriver& Aktiv();
    // nullptr removes the installed instance; returns the previous one.
    static Udskriver* SaetAktiv(Udskriver* udskriver);
};
