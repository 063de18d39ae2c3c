#pragma once

#include "store/Skemabog.h"

#include <map>
#include <string>

class Vorivazi;

// Publishing the open plan's timetables for teachers, classes and the office:
// a PDF book, a folder of web pages or a spreadsheet file.
enum class Udgivelsesform { pdf, html, csv };

// Drawing the PDF book needs Qt's GUI module, which only the programs that
// draw pages link; they hand their writer over at start.
using PdfBogSkriver = bool (*)(const Skemabog& bog, const std::string& fil, std::string& fejl);
void SaetPdfBogSkriver(PdfBogSkriver skriver);

// "#rrggbb" for every subject placed in the open plan: the colours of the
// published forms, so a view shows a subject as the book does.
std::map<std::string, std::string> FagFarver(Vorivazi& vorivazi);

// Every class, teacher and room timetable of the open plan, read once.
Skemabog SamlSkemabog(Vorivazi& vorivazi);

// Writes the form to the file (the folder for web pages) and tells the user
// where the files went, or why they could not be written and what became of
// the earlier files (udgiv/AtomiskFil).
bool Udgiv(Vorivazi& vorivazi, Udgivelsesform form, const std::string& sti);
