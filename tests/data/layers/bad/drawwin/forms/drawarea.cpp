#include "drawwin/forms/drawarea.h"
#include "app/startup.h"
