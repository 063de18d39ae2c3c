#pragma once

#include "engine/Del.h"

#include "base/Besked.h"
#include "store/Lektion.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class AnalyseSkema;
class KontrolListe;
class Portal;
class Stopur;

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

private:
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
};
