#pragma once

#include "udgiv/Udskriver.h"

#include "base/Besked.h"

#include <memory>
#include <string>

// Prints every page into one named PDF file, with Qt's GUI module alone (no
// print support), so a program without windows can print. Needs a running
// QGuiApplication.
class PdfUdskriver : public Udskriver {
public:
    explicit PdfUdskriver(std::string fil);
    ~PdfUdskriver() override;
    PdfUdskriver(const PdfUdskriver&) = delete;
    PdfUdskriver& operator=(const PdfUdskriver&) = delete;

    bool Start(const std::string& skrifttype, const std::string& titel, double skala) override;
    void Tegn(int32_t x, int32_t y, const std::string& tekst) override;
    bool Slut() override;

private:
    struct Job;

    std::string fil_;
    std::unique_ptr<Job> job_;
    Besked besked_;
};
