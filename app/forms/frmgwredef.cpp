// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms/frmgwredef.h"

#include "platform/gui/spreadgrid.h"
#include "platform/gui/controls.h"
#include "platform/qmerror.h"
#include "platform/uiservice.h"
#include "project/modgw.h"
#include "project/sampledbops.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

frmGWRedef::frmGWRedef() {
    setObjectName(QStringLiteral("frmGWRedef"));
    setWindowTitle(QStringLiteral("Redefine Quillmare Database"));
    SS = new SpreadGrid(QStringLiteral("SS"), this);
    SS->setMaxCols(2);
    SS->setColumnHeader(1, QStringLiteral("New Param."));
    SS->setColumnHeader(2, QStringLiteral("Comes From"));
    SS->setColWidth(1, 14);
    SS->setColWidth(2, 14);
    Label1 = new QLabel(
        QStringLiteral("NOTE:  After your database is redefined, a copy of the old format is saved "
                       "as 'TEMP.MDB.'  To restore the data as it was, you can replace the new "
                       ".MDB file with 'TEMP.MDB'"),
        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Command1 = NamedButton(this, QStringLiteral("Command1"), QStringLiteral("OK"));
    Command1->setDefault(true);
    Command2 = NamedButton(this, QStringLiteral("Command2"), QStringLiteral("Cancel"));

    auto* lay = new QGridLayout(this);
    lay->addWidget(SS, 0, 0, 3, 1);
    lay->addWidget(Command1, 0, 1);
    lay->addWidget(Command2, 1, 1);
    lay->addWidget(Label1, 3, 0, 1, 2);
    lay->setRowStretch(2, 1);
    resize(460, 420);

    connect(Command1, &QPushButton::clicked, this, &frmGWRedef::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmGWRedef::Command2_Click);
    Form_Load();
}

void frmGWRedef::Form_Load() {
    if (const QScreen* s = screen()) {
        const QRect a = s->geometry();
        move(int((a.width() - width()) * 0.5), int((a.height() - height()) * 0.35));
    }
    const ModGW& m = modgw();
    SS->setMaxRows(m.NewParamCount);
    for (int i = 1; i <= m.NewParamCount; ++i) {
        SS->setText(i, 1, m.NewParamNames[i]);
        for (int j = 1; j <= m.OldParamCount; ++j)
            if (m.OldParamNames[j] == m.NewParamNames[i]) {
                SS->setText(i, 2, m.OldParamNames[j]);
                break;
            }
    }
    // Only "Comes From" is the user's to edit.
    SS->setColumnLocked(1, true);
    SS->setActiveCell(1, 2);
}

void frmGWRedef::Command1_Click() {
    ModGW& m = modgw();
    SS->commitEdit(); // a cell still open for editing counts
    QStringList names;
    for (int i = 1; i <= m.NewParamCount; ++i) {
        m.OldParamNames[i] = SS->text(i, 2).trimmed();
        names << m.OldParamNames[i];
    }
    m.OldParamCount = m.NewParamCount;
    try {
        if (const auto missing = FirstUnknownField(m.DatabaseFile, names)) {
            warn(QStringLiteral("Parameter '%1' was not found in Database").arg(*missing));
            return;
        }
    } catch (const QmError& e) {
        ReportDbFault(e, QStringLiteral("Command1_Click"));
        return;
    }
    m.RedefineConfirmed = -1;
    accept();
}

void frmGWRedef::Command2_Click() {
    modgw().RedefineConfirmed = 0;
    reject();
}
