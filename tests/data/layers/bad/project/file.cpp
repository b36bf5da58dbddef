#include "project/file.h"

#include <QMessageBox>
#include <qwidget.h>
#include <QtWidgets>
#include <QtWidgets/QLabel>
#include <QPrintDialog>
#include <QtPrintSupport/QPrintPreviewDialog>
#include <QtPrintSupport/QPrinter>
#include <QAction>
