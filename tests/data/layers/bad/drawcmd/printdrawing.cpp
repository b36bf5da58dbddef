#include "drawcmd/printdrawing.h"
#include "drawwin/drawwinstate.h"
