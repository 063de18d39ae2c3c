#pragma once

#include "base/Besked.h"
#include "base/Stopur.h"
#include "db/Datakilde.h"
#include "store/Lektion.h"
#include "store/SkemaArt.h"
#include "store/SkemaKontrol.h"
#include "store/Stack.h"

#include <cstdint>
#include <initializer_list>
#include <functional>
#include <memory>
#include <string>

class Export;
class SqlKlasse;

// The opened plan: its timetables, their loading and saving, export and print.
// Every other timetable operation is passed straight on to SkemaKontrol.
class Portal {
public:
    Portal(std::string planId, int32_t kolonner, int32_t raekker, Datakilde tilstand);
    ~Portal();
    Portal(const Portal&) = delete;
    Portal& operator=(const Portal&) = delete;

    // The ids of the timetables Indlaes creates; the portal empties the stacks.
    void SaetNavnestakke(stack<std::string> hold, stack<std::string> laerer, stack<std::string> lokale);
    bool Indlaes();
    bool Gem();
    // Writes the export file of one kind into the folder ("" is the working folder).
    void Eksporter(SkemaArt art, const std::string& mappe = "");
    bool UdskrivSkema(const std::string& id, SkemaArt art);
    void SaetDimensioner(int32_t dage, int32_t timer);

    const std::string& PlanId() const { return planId_; }
    int32_t Kolonner() const { return kolonner_; }
    int32_t Raekker() const { return raekker_; }

    bool KontrollerAlle();
    bool HentLektioner(const std::string& id, stack<LektionsData>& lektioner, SkemaArt art);
    void RydSkemaer();
    double Spredning(const std::string& id, SkemaArt art);
    int32_t AntalLektionerIalt();
    int32_t AntalMellemtimer();
    int32_t AntalFag(const std::string& hold, const std::string& fag);
    int32_t AntalLektioner(const std::string& id, SkemaArt art);
    int32_t AntalSpaerringer(const std::string& laerer);
    bool ErLedig(const std::string& id, SkemaArt art, int32_t kolonne, int32_t raekke);
    bool ErSpaerret(const std::string& laerer, int32_t kolonne, int32_t raekke);
    bool HarFag(const std::string& hold, const std::string& fag, int32_t kolonne, int32_t raekke);
    bool ErDobbeltLektion(const std::string& id, SkemaArt art, int32_t kolonne, int32_t raekke);
    bool SaetLektion(const std::string& hold, const std::string& fag, const std::string& laerer,
                     const std::string& lokale, int32_t blok, int32_t kolonne, int32_t raekke);
    void TvingFlyt(const std::string& id, SkemaArt art, Placering fra, Placering til);
    bool FlytLektion(const std::string& id, int32_t blok, SkemaArt art, Placering fra, Placering til);
    bool ProevFlytLektion(const std::string& id, int32_t blok, SkemaArt art, Placering fra, Placering til);
    void NulstilMarkoer(SkemaArt art);
    bool HentNaesteLektioner(stack<LektionsData>& lektioner, SkemaArt art);
    bool HentNaestePrioriteter(stack<PLektionsData>& prioriteter, std::string& navn);

private:
    void OpretSkemaer(SkemaArt art, stack<std::string>& navne);
    bool IndlaesLektioner();
    bool IndlaesPrioriteter();
    bool HarNull(std::initializer_list<const char*> kolonner);
    bool ErstatLektioner(Stopur& trin);
    bool ErstatPrioriteter(Stopur& trin);
    // Runs one table's replacement as one transaction; see Portal.cpp.
    bool Transaktion(const std::function<std::string()>& erstat);
    bool IndsaetLektion(const LektionsData& lektion);
    bool IndsaetPrioritet(const std::string& laerer, const PLektionsData& prioritet);
    void SkrivTid(Stopur& ur, const std::string& etiket, int32_t raekke) const;
    // One page per timetable of the kind that has lessons; false when the file could not be written.
    bool SkrivSider(SkemaArt art, const std::string& fil);

    std::unique_ptr<SkemaKontrol> skemaKontrol_;
    std::unique_ptr<SqlKlasse> sql_;
    std::string planId_;
    int32_t kolonner_;
    int32_t raekker_;
    Datakilde tilstand_;
    PrSkemaArt<stack<std::string>> navne_;
    std::unique_ptr<Export> export_;
    Besked besked_;
};
