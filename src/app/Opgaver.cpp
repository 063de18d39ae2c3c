#include "app/Opgaver.h"

#include "app/Vorivazi.h"

Genereringsopgave::Genereringsopgave(Vorivazi& vorivazi, const Genereringsvalg& valg, bool genereret)
    : vorivazi_(vorivazi), valg_(valg), genereret_(genereret)
{
}

bool Genereringsopgave::Naeste()
{
    if (begyndt_)
        return vorivazi_.GenereringsTrin();
    begyndt_ = true;
    lykkedes_ = vorivazi_.BegyndGenerering(valg_.frekvens, valg_.styrke, valg_.dage, valg_.timer, genereret_ ? 1 : 0,
                                           valg_.skrivebeskyttet);
    return lykkedes_;
}

Fremskridt Genereringsopgave::Status() const
{
    const int32_t planlagt = vorivazi_.SumTimer();
    const int32_t lagt = vorivazi_.AntalLektionerIalt();
    return {lagt, planlagt, "Lagt " + std::to_string(lagt) + " af " + std::to_string(planlagt) + " timer"};
}

void Genereringsopgave::Afslut(bool stoppet)
{
    if (stoppet)
        vorivazi_.StopGenerering();
}

AutoGenereringsopgave::AutoGenereringsopgave(Vorivazi& vorivazi, const Genereringsvalg& valg, bool genereret)
    : vorivazi_(vorivazi), valg_(valg), genereret_(genereret), koersler_(vorivazi.AutoTimer())
{
}

bool AutoGenereringsopgave::Naeste()
{
    if (koersel_ && koersel_->Naeste())
        return true;
    if (koersel_) {
        // A run that got through its first phases counts, and the next one goes on from it.
        genereret_ = genereret_ || koersel_->Lykkedes();
        nogenLykkedes_ = nogenLykkedes_ || koersel_->Lykkedes();
        koersel_.reset();
        ++timer_;
        return timer_ <= koersler_;
    }
    if (timer_ > koersler_)
        return false;
    Genereringsvalg valg = valg_;
    valg.timer = timer_;
    koersel_ = std::make_unique<Genereringsopgave>(vorivazi_, valg, genereret_);
    return true;
}

Fremskridt AutoGenereringsopgave::Status() const
{
    return {Faerdige(), koersler_,
            "Kørsel " + std::to_string(std::min(timer_, koersler_)) + " af " + std::to_string(koersler_)};
}

void AutoGenereringsopgave::Afslut(bool stoppet)
{
    if (stoppet && koersel_) {
        koersel_->Afslut(true);
        nogenLykkedes_ = nogenLykkedes_ || koersel_->Lykkedes();
        genereret_ = genereret_ || koersel_->Lykkedes();
    }
}

Fuldfoerelsesopgave::Fuldfoerelsesopgave(Vorivazi& vorivazi, int64_t skive, const std::atomic<bool>* stop)
    : vorivazi_(vorivazi), fuldfoerelse_(vorivazi.NyFuldfoerelse({.stop = stop})), skive_(skive)
{
}

bool Fuldfoerelsesopgave::Naeste() { return fuldfoerelse_ && fuldfoerelse_->Koer(skive_); }

Fremskridt Fuldfoerelsesopgave::Status() const
{
    if (!fuldfoerelse_)
        return {};
    // The gaps from where it began to the best found, as the summary at the end gives them.
    const Maal& foer = fuldfoerelse_->Foer();
    const Maal& bedste = fuldfoerelse_->Bedste();
    const auto fraTil = [](int32_t fra, int32_t til) { return std::to_string(fra) + "→" + std::to_string(til); };
    return {fuldfoerelse_->Skridt(), Fuldfoerelsesvalg{}.maksSkridt,
            "Mangler " + std::to_string(bedste.manglende) + " timer, mellemtimer hold " +
                fraTil(foer.holdHuller, bedste.holdHuller) + ", lærere " +
                fraTil(foer.laererHuller, bedste.laererHuller)};
}

void Fuldfoerelsesopgave::Afslut(bool stoppet)
{
    if (!fuldfoerelse_)
        return;
    if (stoppet)
        fuldfoerelse_->Stoppet(std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count());
    // Stopped or done, the best timetables found go back into the plan.
    linje_ = vorivazi_.AfslutFuldfoerelse(*fuldfoerelse_);
}

bool Fuldfoerelsesopgave::Forbedret() const { return fuldfoerelse_ && fuldfoerelse_->Forbedret(); }
