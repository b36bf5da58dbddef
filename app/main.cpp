// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms/frmdatagrid.h"
#include "drawwin/forms/drawarea.h"
#include "platform/gui/forms.h"
#include "platform/gui/guiui.h"
#include "platform/progfolder.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmare 2002"));
    GuiUi gui;
    setUi(&gui);
    if (!SeedProgramFolder()) {
        QMessageBox::critical(nullptr, QStringLiteral("Quillmare 2002"),
                              QStringLiteral("The program folder %1 cannot be created.").arg(ProgramFolder()));
        return 1;
    }
    RegisterDrawingWindow();
    frmDatAGrid& main = forms::form<frmDatAGrid>();
    main.Form_Load();
    main.show();
    const int rc = app.exec();
    forms::unloadAll();
    setUi(nullptr);
    return rc;
}
