#include "store/SListe.h"

#include "base/Besked.h"

#include <cmath>

void SListe::Nulstil() { antal_ = 0; }

bool SListe::Tilfoej(double x)
{
    if (antal_ >= kapacitet) {
        Besked().Spor("\nSListen er fyldt");
        return false;
    }
    x_[antal_++] = x;
    return true;
}

double SListe::Variationskoefficient() const
{
    if (antal_ == 0)
        return 0.0;
    double sum = 0.0;
    for (int32_t i = 0; i < antal_; ++i)
        sum += x_[i];
    const double middel = sum / antal_;
    double kvadrater = 0.0;
    for (int32_t i = 0; i < antal_; ++i)
        kvadrater += (x_[i] - middel) * (x_[i] - middel);
    const double spredning = antal_ > 1 ? std::sqrt(kvadrater / (antal_ - 1)) : 0.0;
    return middel == 0.0 ? 0.0 : spredning / middel * 100.0;
}
