#pragma once

#include <filesystem>
#include <string>
#include <unistd.h>

// Makes a fresh empty folder the working folder for a scope (file mode reads
// and writes relative to it) and removes it afterwards.
class MidlertidigMappe {
public:
    MidlertidigMappe() : forrige_(std::filesystem::current_path())
    {
        std::string skabelon = (std::filesystem::temp_directory_path() / "brikken_mappe_XXXXXX").string();
        sti_ = ::mkdtemp(skabelon.data());
        std::filesystem::current_path(sti_);
    }
    ~MidlertidigMappe()
    {
        std::error_code ec;
        std::filesystem::current_path(forrige_, ec);
        std::filesystem::remove_all(sti_, ec);
    }
    MidlertidigMappe(const MidlertidigMappe&) = delete;
    MidlertidigMappe& operator=(const MidlertidigMappe&) = delete;

    const std::filesystem::path& Sti() const { return sti_; }

private:
    std::filesystem::path forrige_;
    std::filesystem::path sti_;
};
