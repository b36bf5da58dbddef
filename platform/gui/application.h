// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QString>

// The program's application object. It holds the last trap: an exception that a handler lets escape
// ends at the event loop, is shown with the program's message ("Error 7 in ..." for lack of memory,
// a QmError's own number, 5 for any other) naming where it came from, and the program goes on.
class Application : public QApplication {
public:
    Application(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};

// Where an escaped exception is said to come from: the receiver's window and the receiver's own
// name ("DrawArea.mnuOpenDrawing"); the class name for either when it has no name.
QString EscapedFrom(const QObject* receiver);
