#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

struct XmlElement;

// The students of a timetable file as our classes, divisions and groups.
namespace fetImport {

// The smallest sets of students a file names: subgroups, or a group or year without parts.
using Atomer = std::set<std::string>;

struct Elevgruppe {
    std::string navn;
    Atomer atomer;
};

// Ways to split `hele` into groups, each way (division) groups that share no students and together hold all of
// them; nothing when the groups do not split `hele` like that (a group may then stand in only one division).
std::optional<std::vector<std::vector<Elevgruppe>>> UdledInddelinger(const Atomer& hele,
                                                                     const std::vector<Elevgruppe>& grupper);

// One participant of a lesson: a whole class (gruppe "tom") or one group of it.
struct Deltager {
    std::string hold;
    std::string gruppe;
    auto operator<=>(const Deltager&) const = default;
};

struct Inddeling {
    std::string navn;
    std::vector<std::string> grupper;
};

struct Klasse {
    std::string navn;
    Atomer atomer;
    std::vector<Inddeling> inddelinger;
    std::map<Atomer, std::string> gruppeAf; // a group's students -> its name
};

// The classes that the taught students sets make. Sets that share students are in one class, the smallest file set
// holding them all, so that two classes never share a student; the sets inside a class become its groups.
class Elevhold {
public:
    Elevhold(const XmlElement* elevliste, const std::set<std::string>& underviste);

    const std::vector<Klasse>& Klasser() const { return klasser_; }
    // The participants a taught set stands for: its class, one group, or the groups its students are in.
    std::vector<Deltager> Deltagere(const std::string& saet) const;
    // The class a file set is the whole of, if any.
    std::optional<std::string> HeleHoldet(const std::string& saet) const;

private:
    struct Saet {
        int niveau = 3; // year 0, group 1, subgroup 2, not declared 3
        Atomer atomer;
    };

    void LaesElevliste(const XmlElement& elevliste);
    const Saet& SaetAf(const std::string& navn) const;
    std::vector<std::set<std::string>> Sammenhaenge(const std::set<std::string>& saet) const;
    std::optional<std::string> MindsteOmfattende(const Atomer& atomer) const;
    void DanKlasse(const std::set<std::string>& sammenhaeng);
    void DelKlasse(Klasse& klasse, const std::set<std::string>& indre);

    std::map<std::string, Saet> saet_;
    std::map<std::string, std::vector<std::string>> aargangensGrupper_;
    std::vector<Klasse> klasser_;
    std::map<std::string, size_t> klasseAfAtom_;
};

} // namespace fetImport
