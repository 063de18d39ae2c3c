#include "regler/Placeringsregler.h"

const char* HindringsTekst(Hindring hindring)
{
    switch (hindring) {
    case Hindring::ingen:
        return "ledig";
    case Hindring::udenforPlanen:
        return "uden for planen";
    case Hindring::foerFoersteTime:
        return "før dagens første time";
    case Hindring::efterSidsteTime:
        return "efter dagens sidste time";
    case Hindring::fastlaast:
        return "lektionen er fastlåst";
    case Hindring::ingenLaerer:
        return "ingen lærer";
    case Hindring::manglerLokale:
        return "intet lokale at bruge";
    case Hindring::laererUtilgaengelig:
        return "lærer utilgængelig";
    case Hindring::laererOptaget:
        return "lærer optaget";
    case Hindring::intetLokale:
        return "intet lokale";
    case Hindring::holdOptaget:
        return "holdet optaget";
    case Hindring::fagSammeDag:
        return "faget samme dag";
    }
    return "";
}
