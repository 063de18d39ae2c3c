#pragma once

#include "engine/Del.h"

#include "base/Besked.h"
#include "base/Stopur.h"
#include "store/Lektion.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class AnalyseSkema;
class KontrolListe;
class Portal;

// Turns the plan's lesson list into timetables in timed phases: check and
// complete the lists, place the lessons that need a special room with class,
// teacher and room ("HLPL"), then the home-room lessons with class and teacher
// ("HLP"), heaviest first, and check that the timetables agree.
class Generator {
public:
    Generator(KontrolListe* kontrolListe, Portal* portal, int32_t dage, int32_t timer);
    ~Generator();
    Generator(const Generator&) = delete;
    Generator& operator=(const Generator&) = delete;

    // genereret 1: an earlier run completed for this plan, so the lists stay
    // as they are and only missing hours are placed. Days and hours beyond the
    // plan's own are cut to them. True when every phase ran; false when the
    // lists could not be prepared.
    bool Generer(int32_t frekvens, int32_t styrke, int32_t dage, int32_t timer, int32_t genereret,
                 bool skrivebeskyttet);

    // The same generation in steps, so that a runner can show how far it has
    // come and stop it between two: Begynd runs phases 1 and 2 (false when
    // they fail, and the generation is over), each Trin one step of placing
    // (false once the last phase has run).
    bool Begynd(int32_t frekvens, int32_t styrke, int32_t dage, int32_t timer, int32_t genereret, bool skrivebeskyttet);
    bool Trin();
    // Ends a generation between two steps: what is placed stays, the plan's
    // own week and the check of the timetables follow.
    void Stop();
    // 3 placing the lessons of special rooms, 5 those of home rooms, 7 done.
    int32_t Fase() const { return fase_; }

private:
    // Phases 4 and 6 and the total row, once the placing is over.
    void AfslutFaser();
    bool KontrolAfLister();
    bool Klargoer1Del();
    bool LaegHLPL(int32_t frekvens);
    void KlargoerAndenDel();
    bool LaegHLP(int32_t frekvens);

    bool LaegDel(Del del, int32_t frekvens);
    void ForberedDel(Del del);
    void Placer();
    bool TagTid(Stopur& ur, int32_t raekke, const std::string& etiket, const std::function<bool()>& fase);
    void SaetDimensioner(int32_t nyeDage, int32_t nyeTimer);

    std::unique_ptr<AnalyseSkema> analyse;
    std::unique_ptr<AnalyseSkema> analyse2;
    Portal* portal;
    KontrolListe* kontrolListe;
    int32_t dage;
    int32_t timer;
    std::string hold;
    std::string fag;
    std::string laerer;
    std::string lokaleType;
    std::string lokale;
    std::string sidsteHold = tomId;
    std::string sidsteFag = tomId;
    std::string sidsteLaerer = tomId;
    int32_t blok = 1;
    int32_t rest = 0;
    int32_t placeret = 0;
    std::string relation;
    bool behold = false;
    bool genereret = false;
    bool skrivebeskyttet = false;
    Besked besked;
    // Between the steps of one generation.
    int32_t fase_ = 7;
    int32_t skridt_ = 1;
    int32_t planDage_ = 0;
    int32_t planTimer_ = 0;
    Stopur total_;
    Stopur faseUr_;
};
