#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The ids of one kind in the order they were added.
class Navnetabel {
public:
    void Tilfoej(const std::string& id) { navne_.push_back(id); }
    void Ryd() { navne_.clear(); }
    int32_t Antal() const { return static_cast<int32_t>(navne_.size()); }
    // Entries past the count are empty.
    const std::string& operator[](int32_t i) const
    {
        static const std::string tom;
        return i >= 0 && i < Antal() ? navne_[static_cast<size_t>(i)] : tom;
    }

private:
    std::vector<std::string> navne_;
};
