#pragma once

#include <cstdint>
#include <ostream>

// Millisecond stopwatch on the wall clock, counted from program start.
class Stopur {
public:
    void Start();
    void Stop();
    void Tid(double& sekunder) const;
    // The time between Start and Stop.
    double Sekunder() const;

    // Milliseconds since the program started.
    static int32_t Tik();

private:
    int32_t start_ = 0;
    int32_t stop_ = 0;
};

std::ostream& operator<<(std::ostream& ud, const Stopur& ur);
