#pragma once

#include "base/Besked.h"

#include <ostream>
#include <string>
#include <vector>

// Message receiver of the command-line program: boxes go to standard error as
// "caption: text", questions are answered by a flag, log lines and the trace
// are shown only when asked for, and time rows are kept for printing at the
// end. Standard output stays for the program's own results.
class KommandoLinjeModtager : public BeskedModtager {
public:
    struct TidsRaekke {
        std::string etiket;
        double sekunder;
    };

    KommandoLinjeModtager(std::ostream& fejl, bool svarJa, bool visLog);

    int visInfo(const std::string& tekst) override;
    int visFejl(const std::string& tekst, const std::string& titel) override;
    bool spoerg(const std::string& tekst, const std::string& titel) override;
    void log(const std::string& linje) override;
    void tidsTitel(const std::string& navn) override;
    void tidsLinje(double sekunder, const std::string& etiket, int32_t raekke) override;
    void spor(const std::string& tekst) override;

    const std::vector<TidsRaekke>& TidsRaekker() const { return tidsRaekker_; }

private:
    std::ostream& fejl_;
    bool svarJa_;
    bool visLog_;
    std::vector<TidsRaekke> tidsRaekker_;
};
