#include "SyntheticSchool.h"

#include <algorithm>
#include <array>
#include <map>
#include <stdexcept>

namespace {

const std::string homeRoomType = "Stamlokale";
const std::string noId = "tom";
constexpr int32_t fullWeek = 5 * 8;

// splitmix64: the same numbers for the same seed on every platform, which
// the standard library's distributions do not promise.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}

    uint32_t Below(uint32_t n)
    {
        state_ += 0x9E3779B97F4A7C15ULL;
        uint64_t z = state_;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        z ^= z >> 31;
        return static_cast<uint32_t>(z % n);
    }

    bool Chance(uint32_t percent) { return Below(100) < percent; }

private:
    uint64_t state_;
};

struct Subject {
    std::string id;
    int32_t hours;
    std::string roomType;
    int32_t block;
};

struct ClassType {
    std::string id;
    std::vector<Subject> subjects;
};

// Grades 1-3, 4-6 and 7-9.
std::vector<ClassType> Catalogue()
{
    return {
        {"Indskoling",
         {{"Dansk_ind", 9, homeRoomType, 1},
          {"Matematik_ind", 5, homeRoomType, 1},
          {"Engelsk_ind", 2, homeRoomType, 1},
          {"Natur_ind", 2, homeRoomType, 1},
          {"Kristendom_ind", 1, homeRoomType, 1},
          {"Idræt_ind", 2, "Gymnastiksal", 2},
          {"Musik_ind", 2, "Musiklokale", 1},
          {"Billedkunst", 2, "Billedkunstlokale", 2},
          {"Klassenstid_ind", 1, homeRoomType, 1}}},
        {"Mellemtrin",
         {{"Dansk_mel", 7, homeRoomType, 1},
          {"Matematik_mel", 5, homeRoomType, 1},
          {"Engelsk_mel", 3, homeRoomType, 1},
          {"Natur_mel", 2, "Fysiklokale", 2},
          {"Historie_mel", 2, homeRoomType, 1},
          {"Idræt_mel", 2, "Gymnastiksal", 2},
          {"Musik_mel", 2, "Musiklokale", 1},
          {"Håndværk", 2, "Sløjdlokale", 2},
          {"Madkundskab", 2, "Skolekøkken", 2},
          {"Klassenstid_mel", 1, homeRoomType, 1}}},
        {"Udskoling",
         {{"Dansk_uds", 6, homeRoomType, 2},
          {"Matematik_uds", 5, homeRoomType, 1},
          {"Engelsk_uds", 3, homeRoomType, 1},
          {"Tysk", 3, homeRoomType, 1},
          {"Historie_uds", 2, homeRoomType, 1},
          {"Samfundsfag", 2, homeRoomType, 1},
          {"Fysik", 2, "Fysiklokale", 2},
          {"Biologi", 2, "Fysiklokale", 2},
          {"Idræt_uds", 2, "Gymnastiksal", 2},
          {"Klassenstid_uds", 1, homeRoomType, 1}}},
    };
}

// Moves one weekly hour between two single-hour home-room subjects of each
// class type, so that seeds differ in their hour profiles but not in load.
void VaryHours(std::vector<ClassType>& types, Random& random)
{
    for (ClassType& type : types) {
        std::vector<Subject*> movable;
        for (Subject& s : type.subjects)
            if (s.roomType == homeRoomType && s.block == 1)
                movable.push_back(&s);
        Subject* from = movable[random.Below(static_cast<uint32_t>(movable.size()))];
        Subject* to = movable[random.Below(static_cast<uint32_t>(movable.size()))];
        if (from != to && from->hours >= 3) {
            --from->hours;
            ++to->hours;
        }
    }
}

// Fills every class type's week by adding hours to its home-room subjects in
// turn. A subject keeps to one lesson a day, so one that would need more
// hours than the days becomes a subject of double lessons.
void FillWeek(std::vector<ClassType>& types, int32_t week, int32_t days)
{
    for (ClassType& type : types) {
        int32_t total = 0;
        std::vector<Subject*> homeRoom;
        for (Subject& s : type.subjects) {
            total += s.hours;
            if (s.roomType == homeRoomType)
                homeRoom.push_back(&s);
        }
        for (size_t i = 0, full = 0; total < week && full < homeRoom.size(); ++i) {
            Subject& s = *homeRoom[i % homeRoom.size()];
            if (s.hours + 1 > days * s.block && s.block == 1)
                s.block = 2;
            if (s.hours + 1 > days * s.block) {
                ++full;
                continue;
            }
            full = 0;
            ++s.hours;
            ++total;
        }
    }
}

std::vector<std::string> TeacherNames(Random& random)
{
    std::vector<std::string> names{"Anne",   "Bjørn",   "Carsten", "Dorthe", "Erik",  "Frida",  "Gorm",   "Hanne",
                                   "Ida",    "Jørgen",  "Karen",   "Lærke",  "Mads",  "Nanna",  "Ole",    "Pia",
                                   "Rasmus", "Søren",   "Tove",    "Ulla",   "Vagn",  "Wenche", "Yrsa",   "Åse",
                                   "Bente",  "Claus",   "Ditte",   "Egon",   "Finn",  "Grethe", "Henrik", "Inge",
                                   "Jens",   "Kirsten", "Leif",    "Merete", "Niels", "Oda",    "Poul",   "Ruth"};
    for (size_t i = names.size() - 1; i > 0; --i)
        std::swap(names[i], names[random.Below(static_cast<uint32_t>(i + 1))]);
    return names;
}

struct Teacher {
    std::string id;
    size_t type = 0;
    int32_t cap = 0; // weekly hours
    int32_t load = 0;
    std::vector<std::string> subjects;        // in the order they were given
    std::map<std::string, int32_t> classesIn; // subject -> classes
};

struct Relation {
    size_t classIndex;
    size_t subjectIndex;
    std::string subject;
    std::string teacher;
};

// A teacher already teaching the subject takes the next class while there is
// room in the week; otherwise a colleague of the same class type with fewer
// than three subjects may, or a new teacher is hired.
class Staffing {
public:
    // cells: the hours of the school's week.
    Staffing(Random& random, int32_t cells) : random_(random), names_(TeacherNames(random)), cells_(cells) {}

    Teacher& For(size_t type, const Subject& subject)
    {
        for (Teacher& t : teachers_)
            if (t.classesIn.count(subject.id) > 0 && t.load + subject.hours <= t.cap)
                return Give(t, subject);
        std::vector<Teacher*> colleagues;
        for (Teacher& t : teachers_)
            if (t.type == type && t.subjects.size() < 3 && t.load + subject.hours <= t.cap)
                colleagues.push_back(&t);
        if (!colleagues.empty() && random_.Chance(60))
            return Give(*colleagues[random_.Below(static_cast<uint32_t>(colleagues.size()))], subject);
        return Give(Hire(type), subject);
    }

    const std::vector<Teacher>& Teachers() const { return teachers_; }

private:
    Teacher& Give(Teacher& t, const Subject& subject)
    {
        if (t.classesIn[subject.id]++ == 0)
            t.subjects.push_back(subject.id);
        t.load += subject.hours;
        return t;
    }

    Teacher& Hire(size_t type)
    {
        // Room for 20 to 26 hours of a 40-hour week, more in a longer one.
        const size_t n = teachers_.size();
        std::string id = names_[n % names_.size()];
        if (n >= names_.size())
            id += std::to_string(n / names_.size() + 1);
        Teacher& teacher = teachers_.emplace_back();
        teacher.id = id;
        teacher.type = type;
        teacher.cap = (20 + static_cast<int32_t>(random_.Below(7))) * std::max(cells_, fullWeek) / fullWeek;
        return teacher;
    }

    Random& random_;
    std::vector<std::string> names_;
    int32_t cells_;
    std::vector<Teacher> teachers_;
};

// 1.a ... 9.z, then 1.a2 ... 9.z2 and on.
std::string ClassId(int32_t index)
{
    const int32_t track = index / 9;
    return std::to_string(1 + index % 9) + "." + static_cast<char>('a' + track % 26) +
           (track < 26 ? "" : std::to_string(track / 26 + 1));
}

size_t TypeOf(int32_t index) { return static_cast<size_t>(index % 9 / 3); }

std::string Numbered(const std::string& prefix, int32_t n) { return prefix + (n < 10 ? "0" : "") + std::to_string(n); }

} // namespace

SyntheticSchool::SyntheticSchool(uint64_t seed, int32_t classes, bool tight, int32_t days, int32_t hours)
    : planId_((tight ? "Stram" : "Syntetisk") + std::to_string(classes) + "_" + std::to_string(seed)), classes_(classes)
{
    if (classes < 1 || classes > maxClasses)
        throw std::invalid_argument("Skolens størrelse skal være 1 til " + std::to_string(maxClasses) + " hold");
    if (days < 1 || days > maksDage || hours < 0 || hours > maksTimer)
        throw std::invalid_argument("Ugen skal have 1 til " + std::to_string(maksDage) + " dage og 1 til " +
                                    std::to_string(maksTimer) + " timer om dagen");
    // A tight school's week: every class has a lesson in each of its hours.
    const int32_t hoursPerDay = hours > 0 ? hours : tight ? 6 : 8;
    const bool classicWeek = days == 5 && (hoursPerDay == 8 || (tight && hoursPerDay == 6));
    if (!classicWeek)
        planId_ += "_" + std::to_string(days) + "x" + std::to_string(hoursPerDay);
    Random random(seed);
    std::vector<ClassType> types = Catalogue();
    VaryHours(types, random);
    if (tight)
        FillWeek(types, days * hoursPerDay, days);
    else if (!classicWeek)
        FillWeek(types, days * hoursPerDay * 27 / fullWeek, days); // as full as the classic week
    const std::string distribution = "Fordeling_" + planId_;

    Add("Plan", {planId_, distribution, days, hoursPerDay});
    for (const ClassType& type : types) {
        for (const Subject& s : type.subjects) {
            Add("Fag", {s.id, s.hours, s.roomType});
            Add("Fagprofil", {type.id, s.id});
            Add("Fagliste", {s.id});
        }
    }

    // Classes, each in its own home room; with four or more classes one class
    // has none yet and a spare home room waits for it.
    std::map<std::string, int32_t> roomDemand;
    const int32_t openClass = classes >= 4 ? static_cast<int32_t>(random.Below(static_cast<uint32_t>(classes))) : -1;
    for (int32_t c = 0; c < classes; ++c) {
        const std::string id = ClassId(c);
        Add("Hold", {id, types[TypeOf(c)].id});
        Add("Holdliste", {id, distribution});
        Add("LokaleHoldRelation", {id, c == openClass ? noId : Numbered("A", c + 1), planId_});
        for (const Subject& s : types[TypeOf(c)].subjects)
            if (s.roomType != homeRoomType)
                roomDemand[s.roomType] += s.hours;
    }
    std::vector<std::pair<std::string, std::string>> rooms;
    for (int32_t r = 1; r <= classes + classes / 10; ++r)
        rooms.emplace_back(Numbered("A", r), homeRoomType);
    // Special rooms busy about three quarters of the week.
    const int32_t busyHours = days * hoursPerDay * 3 / 4;
    for (const auto& [type, hours] : roomDemand)
        for (int32_t r = 1; r <= (hours + busyHours - 1) / busyHours; ++r)
            rooms.emplace_back(type + std::to_string(r), type);
    for (const auto& [id, type] : rooms) {
        Add("Lokale", {id, type});
        Add("LokalePlan", {id, planId_});
    }
    rooms_ = static_cast<int32_t>(rooms.size());

    // Teachers, subject by subject over the classes of each type.
    Staffing staffing(random, days * hoursPerDay);
    std::vector<Relation> relations;
    for (size_t t = 0; t < types.size(); ++t) {
        for (size_t si = 0; si < types[t].subjects.size(); ++si) {
            const Subject& s = types[t].subjects[si];
            for (int32_t c = 0; c < classes; ++c) {
                if (TypeOf(c) != t)
                    continue;
                const Teacher& teacher = staffing.For(t, s);
                // A few relations are left for the fixed assignment; not in a tight school, where
                // its random choice of teacher could give one more hours than the week has.
                const bool open = random.Chance(4) && !tight;
                relations.push_back({static_cast<size_t>(c), si, s.id, open ? noId : teacher.id});
                ++lessons_;
                hours_ += s.hours;
            }
        }
    }
    std::sort(relations.begin(), relations.end(), [](const Relation& a, const Relation& b) {
        return a.classIndex != b.classIndex ? a.classIndex < b.classIndex : a.subjectIndex < b.subjectIndex;
    });
    for (const Relation& r : relations)
        Add("HoldLaererRelation", {ClassId(static_cast<int32_t>(r.classIndex)), r.subject, r.teacher, planId_});

    std::map<std::string, int32_t> blockOf;
    for (const ClassType& type : types)
        for (const Subject& s : type.subjects)
            blockOf[s.id] = s.block;
    for (const Teacher& t : staffing.Teachers()) {
        for (const std::string& subject : t.subjects)
            Add("LaererFagProfil", {t.id, subject, t.classesIn.at(subject), blockOf.at(subject), distribution});
        // Unavailable hours: a day off, or two single hours.
        const uint32_t kind = random.Below(100);
        // In a full week a day off would leave a busy teacher too few hours.
        const bool dayOffFits = !tight || t.load + hoursPerDay <= days * hoursPerDay - 2;
        if (kind < 20 && dayOffFits) {
            const int32_t day = static_cast<int32_t>(random.Below(days));
            for (int32_t hour = 0; hour < hoursPerDay; ++hour)
                Add("Tidsprioritet", {planId_, t.id, -3, day, hour});
        } else if (kind < 45) {
            const int32_t first = static_cast<int32_t>(random.Below(days * hoursPerDay));
            const int32_t second = (first + 1 + static_cast<int32_t>(random.Below(days * hoursPerDay - 1))) %
                                   (days * hoursPerDay);
            for (const int32_t cell : {first, second})
                Add("Tidsprioritet", {planId_, t.id, -3, cell / hoursPerDay, cell % hoursPerDay});
        }
    }
    teachers_ = static_cast<int32_t>(staffing.Teachers().size());
}

void SyntheticSchool::Add(const std::string& table, SqlParametre values)
{
    rows_.push_back({table, std::move(values)});
}

void SyntheticSchool::Write() const
{
    SqlKlasse sql(Datakilde::database);
    sql.StartTransaktion();
    for (const Row& row : rows_) {
        std::string statement = "insert into " + row.table + " values (";
        for (size_t i = 0; i < row.values.size(); ++i)
            statement += i == 0 ? "?" : ", ?";
        statement += ")";
        if (!sql.UdfoerSql(statement, row.values)) {
            sql.Rollback();
            throw DatabaseFejl("Rækken kunne ikke skrives i " + row.table);
        }
    }
    sql.Commit();
}
