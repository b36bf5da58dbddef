#include "platform/contour/doc.h"
#include "platform/gui/plotwindow.h"
