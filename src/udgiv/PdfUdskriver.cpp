#include "udgiv/PdfUdskriver.h"

#include "udgiv/AtomiskFil.h"
#include "udgiv/Sidetegning.h"

#include <QPainter>
#include <QPdfWriter>

struct PdfUdskriver::Job {
    explicit Job(const std::string& fil) : pdf(QString::fromStdString(fil)) {}

    QPdfWriter pdf;
    QPainter painter;
};

PdfUdskriver::PdfUdskriver(std::string fil) : fil_(std::move(fil)) {}

PdfUdskriver::~PdfUdskriver() = default;

bool PdfUdskriver::Start(const std::string& skrifttype, const std::string& titel, double skala)
{
    atomiskFil::TaalFilgraense();
    job_ = std::make_unique<Job>(fil_);
    job_->pdf.setResolution(sidetegning::oploesning);
    job_->pdf.setTitle(QString::fromStdString(titel));
    if (!sidetegning::Begynd(job_->painter, job_->pdf, skrifttype, skala)) {
        job_.reset();
        besked_.VisFejl("Skemaet kunne ikke skrives i PDF-filen " + fil_, fejlTitel);
        return false;
    }
    return true;
}

void PdfUdskriver::Tegn(int32_t x, int32_t y, const std::string& tekst)
{
    if (job_)
        sidetegning::Tegn(job_->painter, x, y, tekst);
}

bool PdfUdskriver::Slut()
{
    if (!job_)
        return false;
    const bool skrevet = job_->painter.end();
    job_.reset();
    if (!skrevet)
        besked_.VisFejl("Skemaet kunne ikke skrives i PDF-filen " + fil_, fejlTitel);
    return skrevet;
}
