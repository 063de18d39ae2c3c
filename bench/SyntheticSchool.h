#pragma once

#include "base/Uge.h"
#include "db/SqlKlasse.h"

#include <cstdint>
#include <string>
#include <vector>

// A made-up school for measurements: the rows of one plan in the planning
// database, the same for the same seed and size. The size is the number of
// classes (1 ... maxClasses); every class has 9 or 10 subjects, so a school
// of 150 classes has about 1,450 lessons to place.
//
// It has three class types with subject profiles of 26 to 28 weekly hours,
// special rooms (sports hall, music, art, science, crafts, kitchen) sized to
// about three quarters of their demand, double lessons in the subjects that
// use them, teachers with room for 20 to 26 hours and one to three subjects, some
// teachers' unavailable hours, and a few relations left open ("tom") for the
// fixed assignment of home rooms and teachers to complete.
class SyntheticSchool {
public:
    static constexpr int32_t maxClasses = 2000;

    // One row of a table: the values in the table's column order.
    struct Row {
        std::string table;
        SqlParametre values;
    };

    // Throws std::invalid_argument for a size outside 1 ... maxClasses or a
    // week outside the program's. A tight school has 6 hours a day unless told
    // otherwise, and every class uses all its hours; another school has 8 hours
    // a day and fills about 27 of every 40 hours of its week. hours 0: that default.
    SyntheticSchool(uint64_t seed, int32_t classes, bool tight = false, int32_t days = 5, int32_t hours = 0);

    const std::string& PlanId() const { return planId_; }
    const std::vector<Row>& Rows() const { return rows_; }

    int32_t Classes() const { return classes_; }
    int32_t Teachers() const { return teachers_; }
    int32_t Rooms() const { return rooms_; }
    // Class-subject rows: the lessons to place.
    int32_t Lessons() const { return lessons_; }
    // Lesson hours to place.
    int32_t Hours() const { return hours_; }

    // Inserts every row through the connected database in one transaction.
    // Throws DatabaseFejl when a statement is rejected (rolled back).
    void Write() const;

private:
    void Add(const std::string& table, SqlParametre values);

    std::string planId_;
    std::vector<Row> rows_;
    int32_t classes_ = 0;
    int32_t teachers_ = 0;
    int32_t rooms_ = 0;
    int32_t lessons_ = 0;
    int32_t hours_ = 0;
};
