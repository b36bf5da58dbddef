// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/printer.h"

#include <QPrinter>

QPrinter& SystemPrinter() {
    static QPrinter* printer = new QPrinter(QPrinter::HighResolution); // lives as long as the program
    return *printer;
}
