#pragma once

#include "cli/KommandoLinje.h"

#include <functional>
#include <string>
#include <vector>

// Runs koer inside the Qt application object the command given by valg
// needs. brikken-cli and brikken-cli-pdf each link their own version.
// argumenter are the arguments as given: argv may have had a password
// hidden since.
int KoerIProgram(char** argv, const std::vector<std::string>& argumenter, const kommandoLinje::Valg& valg,
                 const std::function<int()>& koer);
