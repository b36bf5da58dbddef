#include "app/forms/frmmain.h"
#include "platform/gui/box.h"
#include <QWidget>
