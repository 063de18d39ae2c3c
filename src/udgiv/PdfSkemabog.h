#pragma once

#include "store/Skemabog.h"

#include <string>

// The timetables as one PDF book of A4 landscape pages: first the whole
// school at a glance (every class on one page, every teacher on the next),
// then one page per class, teacher and room. Text stays text, so the book can
// be searched and copied from. Needs a running QGuiApplication for its fonts;
// an earlier file is replaced only by a complete book. False with the reason.
bool SkrivPdfSkemabog(const Skemabog& bog, const std::string& fil, std::string& fejl);
