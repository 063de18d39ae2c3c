#pragma once

#include "db/Datakilde.h"
#include "store/Stack.h"

#include <cstdint>
#include <memory>
#include <string>

class SqlKlasse;

// The plan catalogue: the ids of all plans, and the row of one plan.
class Plan {
public:
    explicit Plan(Datakilde tilstand);
    ~Plan();
    Plan(const Plan&) = delete;
    Plan& operator=(const Plan&) = delete;

    // Pushes every plan id in result order, so the stack hands them back in
    // ascending order. True when there was at least one plan.
    bool HentPlanliste(stack<std::string>& planer);
    // The plan's subject-hour distribution and its numbers of day columns and
    // hour rows; true only when the plan exists and all three were read.
    bool FindPlan(const std::string& planId, std::string& tff, int32_t& kolonner, int32_t& raekker);
    // "tom" marks a teacher or room not yet assigned, so a real one of that id
    // cannot be told apart from none. The message to refuse the plan with, or "".
    std::string TomtIdFejl(const std::string& planId, const std::string& tff);

private:
    std::unique_ptr<SqlKlasse> sql_;
    Datakilde tilstand_;
};
