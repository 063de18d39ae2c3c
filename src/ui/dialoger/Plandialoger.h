#pragma once

#include <functional>
#include <string>
#include <vector>

class QWidget;
class Skoledatatjeneste;

// The questions before a plan is copied or imported, and the answer after.
namespace plandialoger {

// Asks for the plan to copy, the new id and whether the lessons come along; true when a plan was made.
// While the database is write-protected nothing is asked, only why not. The
// copy takes the lessons the database holds: before they are copied,
// `gemteLektioner(plan)` may save the plan's unsaved ones or give up (false).
bool KopierPlan(QWidget* foraelder, const Skoledatatjeneste& skoledata,
                const std::function<bool(const std::string&)>& gemteLektioner);
// Asks for a timetable file of the free XML format and the new plan's id;
// what could not be carried over is written to the log window too.
bool ImporterFet(QWidget* foraelder, const Skoledatatjeneste& skoledata);

// The lines of a message box, one per line after a line break; a long list
// is cut after twenty with the number left out.
std::string Opremsning(const std::vector<std::string>& linjer);

} // namespace plandialoger
