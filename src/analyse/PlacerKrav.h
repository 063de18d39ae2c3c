#pragma once

#include <cstdint>
#include <memory>
#include <string>

class AnalyseSkema;
class Portal;

// One lesson demand for the placement procedure.
struct LektionsKrav {
    std::string hold;
    std::string fag;
    std::string laerer;
    std::string lokale;
    int32_t blok = 1;     // preferred block size; the procedure may switch it and leaves the one it ended with
    int32_t maal = 0;     // hours still to place
    int32_t dage = 5;     // days in use for this run
    int32_t timer = 8;    // hours per day in use for this run
    std::string relation; // "HLP": class and teacher map, "HLPL": class, teacher and room map
};

// Places one demand into the timetables, repairing them where needed. Adds one
// to `placeret` for every hour placed. `analyse` and `kopi` are the caller's
// working maps; they are replaced for every demand.
bool PlacerKrav(Portal& portal, LektionsKrav& krav, std::unique_ptr<AnalyseSkema>& analyse,
                std::unique_ptr<AnalyseSkema>& kopi, int32_t& placeret);
