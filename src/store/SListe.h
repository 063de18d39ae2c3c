#pragma once

#include <array>
#include <cstdint>

// A small list of samples with their coefficient of variation; a grid adds
// the length of each of its days.
class SListe {
public:
    static constexpr int32_t kapacitet = 100;

    void Nulstil();
    // False (and a note in the trace) when the list is full.
    bool Tilfoej(double x);
    // Sample standard deviation over the mean, in percent; 0 without samples
    // or with a mean of 0.
    double Variationskoefficient() const;

    int32_t Antal() const { return antal_; }

private:
    int32_t antal_ = 0;
    std::array<double, kapacitet> x_{};
};
