#include "platform/gui/box.h"
#include "drawcmd/printdrawing.h"
