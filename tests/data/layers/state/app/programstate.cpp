#include "reports/steps.h"

constexpr StateEntry programState[] = {
    {"steps", [] { steps().reset(); }},
    {"counter", nullptr},
};
