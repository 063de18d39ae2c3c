#pragma once

#include "fuldfoerelse/Fuldfoerelse.h"

// A completion that gives up sooner than the program's, to keep tests quick
// under the sanitizers.
inline const Fuldfoerelsesvalg hurtigFuldfoerelse{
    .froe = 1, .maksSkridt = 200000, .maksUdenFremskridt = 3000, .maksUdenPlacering = 1000};
