#pragma once

#include "support/TestDatabase.h"
#include "support/TestModtager.h"
#include "ui/hoved/Programvinduer.h"
#include "ui/hoved/TMainFrame.h"
#include "ui/hoved/VinduesModtager.h"

#include <QAction>
#include <QApplication>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

// Records every message box and question (questions are answered OK), and
// passes log lines and time rows on to the windows as the program does.
class OptagendeModtager : public TestModtager {
public:
    explicit OptagendeModtager(const Programvinduer& vinduer) : vinduer_(vinduer) { standardSvar = true; }

    void log(const std::string& linje) override
    {
        TestModtager::log(linje);
        vinduer_.log(linje);
    }
    void tidsTitel(const std::string& navn) override
    {
        TestModtager::tidsTitel(navn);
        vinduer_.tidsTitel(navn);
    }
    void tidsLinje(double sekunder, const std::string& etiket, int32_t raekke) override
    {
        TestModtager::tidsLinje(sekunder, etiket, raekke);
        vinduer_.tidsLinje(sekunder, etiket, raekke);
    }

private:
    VinduesModtager vinduer_;
};

// The program's windows on a fresh database of their own (the demo school
// unless told otherwise), with every message box recorded instead of shown.
struct Vinduesmiljoe {
    explicit Vinduesmiljoe(TestDatabase::Indhold indhold = TestDatabase::Indhold::Demo) : db(indhold) {}

    TestDatabase db;
    Programvinduer vinduer{[] {}};
    OptagendeModtager modtager{vinduer};
    MidlertidigModtager installeret{modtager};

    TMainFrame& hoved() { return *vinduer.mainFrame; }
    QAction* handling(const char* navn) { return hoved().findChild<QAction*>(navn); }
};

// Runs the step that opens a modal dialog; `imens` acts in the dialog once it
// is up. Events may be handled while the dialog opens, before it is modal, so
// the answer waits for it instead of acting once at the first chance.
inline void MedModalDialog(const std::function<void(QWidget*)>& imens, const std::function<void()>& aabn)
{
    QTimer ur;
    QObject::connect(&ur, &QTimer::timeout, [&ur, imens] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            ur.stop();
            imens(dialog);
        }
    });
    ur.start(0);
    aabn();
}

// Runs the step that opens modal dialogs one after the other; each answer acts
// in its dialog, in order. A dialog left without an answer is rejected, so a
// step that asks more than expected ends instead of waiting for ever.
inline void MedModaleDialoger(std::vector<std::function<void(QWidget*)>> svar, const std::function<void()>& aabn)
{
    auto* ur = new QTimer;
    auto tilbage = std::make_shared<std::vector<std::function<void(QWidget*)>>>(std::move(svar));
    QObject::connect(ur, &QTimer::timeout, [tilbage] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog == nullptr || dialog->property("besvaret").toBool())
            return;
        dialog->setProperty("besvaret", true);
        if (tilbage->empty()) {
            QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
            return;
        }
        const auto naeste = tilbage->front();
        tilbage->erase(tilbage->begin());
        naeste(dialog);
    });
    ur->start(10);
    aabn();
    delete ur;
}
