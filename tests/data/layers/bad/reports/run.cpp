#include "reports/run.h"
#include "drawwin/forms/drawarea.h"
