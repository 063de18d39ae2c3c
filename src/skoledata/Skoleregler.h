#pragma once

#include "skoledata/Skoledata.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The rules every row must keep before it is written, whether typed in a
// window, read from a file or copied from another plan. Plain rules on
// values: no database is needed to apply them.
namespace skoleregler {

inline constexpr size_t maksTegn = 255;
// Stands for "not assigned yet" in the relation tables, so no id may be called so.
inline const std::string tomMarkoer = "tom";

struct Interval {
    int32_t mindst;
    int32_t hoejst;
};

// The allowed values of a number field; nothing for a text field.
std::optional<Interval> Graenser(Felt felt);

// Empty when the text may be an id, otherwise what is wrong with it.
std::string IdFejl(const std::string& id);
// Empty when the value may stand in the column, otherwise what is wrong with it.
std::string VaerdiFejl(const Kolonne& kolonne, const SqlVaerdi& vaerdi);

// What is wrong with cells of rows among `data`, the data looked through once:
// the value itself, a reference to an id (a room type for a subject) that
// `data` do not hold, or a rule of the groups and activities: a division has
// at least two groups, a group's name is used once in its class, a
// participant's group is a group of its class in the plan, an activity has a
// participant or a teacher, its weekly hours are whole blocks and its block
// fits the plan's day, its room needs are numbered 1, 2, … without gaps, and
// a row names an activity of its own plan.
class Cellekontrol {
public:
    explicit Cellekontrol(const Skoledata& data);
    ~Cellekontrol();
    Cellekontrol(const Cellekontrol&) = delete;
    Cellekontrol& operator=(const Cellekontrol&) = delete;

    // Empty when column `kolonne` of the row may stand among the data.
    std::string Fejl(const Tabel& tabel, const Raekke& raekke, size_t kolonne) const;

private:
    struct Regler;
    std::unique_ptr<Regler> regler_;
};

// One message per fault in the rows of `nye` that are to be added to the
// stored rows `gemte`: bad values, a key given twice or already stored with
// other values (a plan may not exist at all), references to ids that
// neither holds. A row equal to a stored one is no fault. The groups and
// activities of every plan that a new or a removed row (`fjernede`) belongs
// to are checked whole, as removing a participant can leave an activity empty.
std::vector<std::string> Kontroller(const Skoledata& gemte, const Skoledata& nye, const Skoledata& fjernede = {});

// The rows of `nye` that are not stored already.
Skoledata UdenGemte(const Skoledata& gemte, const Skoledata& nye);

} // namespace skoleregler
