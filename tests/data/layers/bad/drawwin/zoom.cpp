#include "drawwin/zoom.h"
#include "drawwin/forms/drawarea.h"
