#pragma once

#include "udgiv/Udskriver.h"

#include "base/Besked.h"

#include <memory>
#include <string>

// Prints on the default printer. Without an installed printer the page goes
// to a PDF file in the user's documents folder and the user is told where.
// Needs a running QGuiApplication.
class PrinterUdskriver : public Udskriver {
public:
    PrinterUdskriver();
    ~PrinterUdskriver() override;
    PrinterUdskriver(const PrinterUdskriver&) = delete;
    PrinterUdskriver& operator=(const PrinterUdskriver&) = delete;

    bool Start(const std::string& skrifttype, const std::string& titel, double skala) override;
    void Tegn(int32_t x, int32_t y, const std::string& tekst) override;
    bool Slut() override;

private:
    struct Job;

    std::unique_ptr<Job> job_;
    Besked besked_;
};
