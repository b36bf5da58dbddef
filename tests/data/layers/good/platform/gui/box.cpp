#include "platform/gui/box.h"
#include <QtWidgets/QDialog>
#include <qmessagebox.h>
