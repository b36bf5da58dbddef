#include "state.h"
#include "../drawcmd/page.h"
