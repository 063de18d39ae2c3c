#pragma once

#include "base/Besked.h"

struct Programvinduer;

// Shows the program's messages in its windows: message boxes, lines in the
// Communicator and rows in the window of timed rows ("Tids Specifikation"). Log lines and rows
// that arrive before their window exists are dropped.
class VinduesModtager : public BeskedModtager {
public:
    explicit VinduesModtager(const Programvinduer& vinduer) : vinduer_(vinduer) {}

    int visInfo(const std::string& tekst) override;
    int visFejl(const std::string& tekst, const std::string& titel) override;
    bool spoerg(const std::string& tekst, const std::string& titel) override;
    bool spoergForsigtigt(const std::string& tekst, const std::string& titel) override;
    Svar spoergJaNej(const std::string& tekst, const std::string& titel) override;
    void log(const std::string& linje) override;
    void tidsTitel(const std::string& navn) override;
    void tidsLinje(double sekunder, const std::string& etiket, int32_t raekke) override;

private:
    const Programvinduer& vinduer_;
};
