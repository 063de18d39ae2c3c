#pragma once

#include "cli/KommandoLinje.h"

#include <functional>

// Runs koer inside the Qt application object the command given by valg
// needs. brikken-cli and brikken-cli-pdf each link their own version.
int KoerIProgram(char** argv, const kommandoLinje::Valg& valg, const std::function<int()>& koer);
