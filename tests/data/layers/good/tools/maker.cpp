#include "app/startup.h"
#include <QWidget>
