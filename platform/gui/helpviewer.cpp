// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gui/helpviewer.h"

#include "platform/gui/forms.h"
#include "platform/progfolder.h"

#include <QDialog>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {
QPointer<QDialog>& viewer() {
    static QPointer<QDialog> v;
    return v;
}
QString& shown() {
    static QString s;
    return s;
}
} // namespace

int WinHelpA(QWidget* owner, const QString&, int command, int data) {
    if (command == help::HELP_QUIT) {
        if (viewer()) viewer()->deleteLater();
        viewer() = nullptr;
        shown().clear();
        return 1;
    }
    const QString folder = ProgramFolder() + QStringLiteral("help/");
    QString page = folder + QStringLiteral("index.html");
    if (command == help::HELP_CONTEXT && QFileInfo::exists(folder + QString::number(data) + ".html"))
        page = folder + QString::number(data) + ".html";
    if (!QFileInfo::exists(page)) return 0;
    if (!viewer()) {
        auto* dlg = new QDialog(owner, Qt::Window);
        dlg->setWindowTitle(QStringLiteral("Quillmare 2002 Help"));
        dlg->setAttribute(Qt::WA_DeleteOnClose);
        auto* browser = new QTextBrowser(dlg);
        browser->setObjectName(QStringLiteral("HelpText"));
        browser->setAccessibleName(QStringLiteral("HelpText"));
        browser->setOpenLinks(true);
        auto* lay = new QVBoxLayout(dlg);
        lay->addWidget(browser);
        dlg->resize(560, 480);
        forms::fitToScreen(*dlg); // frame and title bar on the screen, where it can be moved
        viewer() = dlg;
    }
    auto* browser = viewer()->findChild<QTextBrowser*>();
    browser->setSource(QUrl::fromLocalFile(page));
    shown() = QFileInfo(page).fileName();
    viewer()->show();
    viewer()->raise();
    return 1;
}

QString HelpPageShown() { return viewer() ? shown() : QString(); }
