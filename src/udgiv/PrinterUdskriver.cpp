#include "udgiv/PrinterUdskriver.h"

#include "udgiv/Sidetegning.h"

#include <QDir>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace {

// A title may be any id; keep the file name to one plain name in the folder.
QString filsikker(const std::string& titel)
{
    QString navn = QString::fromStdString(titel);
    for (QChar& tegn : navn) {
        if (tegn == u'/' || tegn == u'\\' || tegn == u':' || tegn.category() == QChar::Other_Control)
            tegn = u'_';
    }
    return navn;
}

// Empty when there is a printer to print on.
std::string pdfFilTil(const std::string& titel)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        return "";
    QString mappe = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (mappe.isEmpty() || !QDir(mappe).exists())
        mappe = QDir::tempPath();
    return QDir(mappe).filePath("Skema " + filsikker(titel) + ".pdf").toStdString();
}

} // namespace

struct PrinterUdskriver::Job {
    QPrinter printer{QPrinter::HighResolution};
    QPainter painter;
    std::string pdfFil; // set when the page goes to a PDF file
};

PrinterUdskriver::PrinterUdskriver() = default;

PrinterUdskriver::~PrinterUdskriver() = default;

bool PrinterUdskriver::Start(const std::string& skrifttype, const std::string& titel, double skala)
{
    job_ = std::make_unique<Job>();
    job_->pdfFil = pdfFilTil(titel);
    QPrinter& printer = job_->printer;
    if (!job_->pdfFil.empty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(job_->pdfFil));
    }
    printer.setResolution(sidetegning::oploesning);
    printer.setDocName(QString::fromStdString(titel));
    if (!sidetegning::Begynd(job_->painter, printer, skrifttype, skala)) {
        job_.reset();
        besked_.VisFejl("Skemaet kunne ikke udskrives", fejlTitel);
        return false;
    }
    return true;
}

void PrinterUdskriver::Tegn(int32_t x, int32_t y, const std::string& tekst)
{
    if (job_)
        sidetegning::Tegn(job_->painter, x, y, tekst);
}

bool PrinterUdskriver::Slut()
{
    if (!job_)
        return false;
    const bool udskrevet = job_->painter.end();
    const std::string pdfFil = job_->pdfFil;
    job_.reset();
    if (!udskrevet) {
        besked_.VisFejl("Skemaet kunne ikke udskrives", fejlTitel);
        return false;
    }
    if (!pdfFil.empty())
        besked_.VisInfo("Der er ingen printer installeret. Skemaet er gemt som PDF-fil:\n" + pdfFil);
    return true;
}
