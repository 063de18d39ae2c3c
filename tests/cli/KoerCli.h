#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

// Running the command-line program, and the tools that read its files, as a
// separate process.

struct Resultat {
    int status;
    std::string ud;
};

// A shell command line: its exit status and standard output.
inline Resultat koerKommando(const std::string& kommando)
{
    Resultat resultat{-1, ""};
    FILE* roer = popen(kommando.c_str(), "r");
    if (roer == nullptr)
        return resultat;
    std::array<char, 4096> buffer{};
    while (size_t n = fread(buffer.data(), 1, buffer.size(), roer))
        resultat.ud.append(buffer.data(), n);
    const int status = pclose(roer);
    resultat.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return resultat;
}

inline Resultat koerCli(const std::string& argumenter)
{
    return koerKommando(std::string(BRIKKEN_CLI) + " " + argumenter + " 2>/dev/null");
}

inline std::string citer(const std::string& tekst) { return "'" + tekst + "'"; }
