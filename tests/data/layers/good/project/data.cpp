#include "project/data.h"
// #include "app/startup.h"
/* Not yet:
#include "drawwin/state.h"
#include <QWidget>
*/
#include "dl_dxf.h"
#include <QAction>
#include <QPrinter>
