#pragma once

#include <filesystem>
#include <string>

// A file that appears under its name only when it is complete: it is written
// under a temporary name in the same folder and renamed over the target at
// the end, so a failure (a full disk, a folder without write access) leaves
// an earlier file of that name as it was. An unfinished temporary file is
// removed.
class AtomiskFil {
public:
    explicit AtomiskFil(std::filesystem::path maal);
    ~AtomiskFil();
    AtomiskFil(const AtomiskFil&) = delete;
    AtomiskFil& operator=(const AtomiskFil&) = delete;

    const std::filesystem::path& Maal() const { return maal_; }
    // Where to write; the writer may also open it itself.
    const std::filesystem::path& Midlertidig() const { return midlertidig_; }

    // Writes the whole content to the temporary file.
    bool Skriv(const std::string& indhold, std::string& fejl);
    // Renames the written temporary file over the target.
    bool Fuldfoer(std::string& fejl);

    // The whole round for one text: write, then rename.
    static bool SkrivHele(const std::filesystem::path& maal, const std::string& indhold, std::string& fejl);

private:
    std::filesystem::path maal_;
    std::filesystem::path midlertidig_;
    bool fuldfoert_ = false;
};
