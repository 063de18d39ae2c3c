#include "db/PrinterUdskriver.h"

#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace {

// The page is laid out in device units: at this resolution its 87 columns
// fit the width of an A4 or letter sheet.
constexpr int oploesning = 300;
// Fills the 40-unit line pitch of the page without overlapping lines.
constexpr int skriftHoejde = 34;

bool harGrafiskProgram() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

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

} // namespace

struct PrinterUdskriver::Job {
    QPrinter printer{QPrinter::HighResolution};
    QPainter painter;
    std::string pdfFil; // set when the page goes to a PDF file
};

PrinterUdskriver::PrinterUdskriver(std::string pdfFil) : pdfFil_(std::move(pdfFil)) {}

PrinterUdskriver::~PrinterUdskriver() = default;

std::string PrinterUdskriver::PdfFilTil(const std::string& titel) const
{
    if (!pdfFil_.empty())
        return pdfFil_;
    if (!QPrinterInfo::defaultPrinter().isNull())
        return "";
    QString mappe = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (mappe.isEmpty() || !QDir(mappe).exists())
        mappe = QDir::tempPath();
    return QDir(mappe).filePath("Skema " + filsikker(titel) + ".pdf").toStdString();
}

bool PrinterUdskriver::Start(const std::string& skrifttype, const std::string& titel)
{
    if (!harGrafiskProgram()) {
        besked_.VisFejl("Skemaet kan ikke udskrives uden grafisk brugerflade", fejlTitel);
        return false;
    }
    job_ = std::make_unique<Job>();
    job_->pdfFil = PdfFilTil(titel);
    QPrinter& printer = job_->printer;
    if (!job_->pdfFil.empty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(job_->pdfFil));
    }
    printer.setResolution(oploesning);
    printer.setDocName(QString::fromStdString(titel));
    if (!job_->painter.begin(&printer)) {
        job_.reset();
        besked_.VisFejl("Skemaet kunne ikke udskrives", fejlTitel);
        return false;
    }
    QFont skrift(QString::fromStdString(skrifttype));
    skrift.setStyleHint(QFont::TypeWriter);
    skrift.setPixelSize(skriftHoejde);
    job_->painter.setFont(skrift);
    return true;
}

void PrinterUdskriver::Tegn(int32_t x, int32_t y, const std::string& tekst)
{
    if (!job_)
        return;
    // (x, y) is the top left corner of the text, not its baseline.
    const int grundlinje = y + job_->painter.fontMetrics().ascent();
    job_->painter.drawText(x, grundlinje, QString::fromStdString(tekst));
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
    if (pdfFil_.empty() && !pdfFil.empty())
        besked_.VisInfo("Der er ingen printer installeret. Skemaet er gemt som PDF-fil:\n" + pdfFil);
    return true;
}
