#include "app/startup.h"
#include "drawwin/forms/area.h"
#include <QMainWindow>
