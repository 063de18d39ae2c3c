#pragma once

#include <array>
#include <cstdint>
#include <string>

// A fixed-capacity table of ids; ids beyond the capacity are left out.
template <int32_t Kapacitet>
class Navnetabel {
public:
    bool Tilfoej(const std::string& id)
    {
        if (antal_ == Kapacitet)
            return false;
        navne_[antal_++] = id;
        return true;
    }
    void Ryd()
    {
        navne_.fill({});
        antal_ = 0;
    }
    int32_t Antal() const { return antal_; }
    // Entries past the count are empty.
    const std::string& operator[](int32_t i) const
    {
        static const std::string tom;
        return i >= 0 && i < antal_ ? navne_[i] : tom;
    }

private:
    std::array<std::string, Kapacitet> navne_{};
    int32_t antal_ = 0;
};
