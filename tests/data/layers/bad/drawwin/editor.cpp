#include "drawwin/editor.h"
#include "../app/startup.h"
