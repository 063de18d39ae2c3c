#pragma once

#include <cstdint>
#include <string>

// The answer to a question of Ja, Nej and Annuller.
enum class Svar { ja, nej, annuller };

// Whoever shows messages to the user: the windows, the command line or a test.
// Exactly one receiver is active in the process at a time.
class BeskedModtager {
public:
    virtual ~BeskedModtager() = default;
    virtual int visInfo(const std::string& tekst) = 0;
    virtual int visFejl(const std::string& tekst, const std::string& titel) = 0;
    // OK gives true; Cancel (or closing the box) gives false.
    virtual bool spoerg(const std::string& tekst, const std::string& titel) = 0;
    // A question whose safe answer is Cancel, so that Enter alone does not go on
    // (something would be overwritten or lost). A receiver without a default button asks as spoerg.
    virtual bool spoergForsigtigt(const std::string& tekst, const std::string& titel);
    // Closing the box is Annuller. A receiver without a third answer asks
    // OK/Cancel instead: OK is Ja, Cancel is Annuller.
    virtual Svar spoergJaNej(const std::string& tekst, const std::string& titel);
    virtual void log(const std::string& linje) = 0;
    virtual void tidsTitel(const std::string& navn) = 0;
    virtual void tidsLinje(double sekunder, const std::string& etiket, int32_t raekke) = 0;
    // The engine's diagnostic trace, in pieces as it is made (not whole lines).
    // It has always gone to standard output; a receiver may send it elsewhere.
    virtual void spor(const std::string& tekst);
};

// Button code returned by the message boxes.
inline constexpr int knapOK = 1;

// Caption of the boxes that report an error.
inline const std::string fejlTitel = "En fejl er opstået!";

// Caption of the boxes that report a generation given up.
inline const std::string stopTitel = "Genereringen er stoppet!";

// Data-free front for messages, log lines and time rows. Every object that
// reports carries one; all of them talk to the process-wide receiver.
class Besked {
public:
    int VisInfo(const std::string& tekst) const;
    int VisFejl(const std::string& tekst, const std::string& titel) const;
    bool Spoerg(const std::string& tekst, const std::string& titel) const;
    bool SpoergForsigtigt(const std::string& tekst, const std::string& titel) const;
    Svar SpoergJaNej(const std::string& tekst, const std::string& titel) const;
    void Log(const std::string& tekst) const;
    void LogTal(int32_t tal) const;
    void TidsTitel(const std::string& navn) const;
    void TidsLinje(double sekunder, const std::string& etiket, int32_t raekke) const;
    void Spor(const std::string& tekst) const;

    // Installs a receiver (nullptr restores the default one, which writes
    // boxes to standard error, drops log lines and answers Cancel).
    // Returns the previous receiver.
    static BeskedModtager* SaetModtager(BeskedModtager* modtager);
    static BeskedModtager& Modtager();
};

// Installs a receiver for the lifetime of a scope and restores the previous one.
class MidlertidigModtager {
public:
    explicit MidlertidigModtager(BeskedModtager& modtager) : forrige_(Besked::SaetModtager(&modtager)) {}
    ~MidlertidigModtager() { Besked::SaetModtager(forrige_); }
    MidlertidigModtager(const MidlertidigModtager&) = delete;
    MidlertidigModtager& operator=(const MidlertidigModtager&) = delete;

private:
    BeskedModtager* forrige_;
};
