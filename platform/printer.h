// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QPrinter;

// The system printer every print goes to: the default printer until the user picks another; tests
// point it at a PDF file.
QPrinter& SystemPrinter();
