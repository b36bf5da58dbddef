// SPDX-License-Identifier: GPL-3.0-or-later
#include "project/windowhooks.h"
#include "reportdefs/forms/frmwellnotes.h"

#include "platform/gui/controls.h"
#include "platform/gui/helpviewer.h"
#include "platform/gui/memobox.h"
#include "platform/uiservice.h"
#include "project/helpers.h"
#include "project/modgw.h"
#include "reportdefs/forms/reportform.h"
#include "reportdefs/notesedit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>

using namespace notesedit;

namespace {

// The lines a box shows now, as Text2Wrap32 stores them.
Wrapped wrap(int box) {
    Text2Wrap32(box);
    return TakeWrapped(modgw());
}

QLabel* label(const QString& name, const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

} // namespace

frmWellNotes::frmWellNotes() {
    setObjectName(QStringLiteral("frmWellNotes"));
    setWindowTitle(QStringLiteral("Well Summary Notes"));
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setAccessibleName(QStringLiteral("List1"));
    lblList = label(QStringLiteral("lblList"), QString(), this);
    lblList->setBuddy(List1);
    MemoGenNotes = new MemoBox(QStringLiteral("MemoGenNotes"), this);
    Label1 = label(QStringLiteral("Label1"), QStringLiteral("General Notes"), this);
    Label1->setBuddy(MemoGenNotes);
    memoSourceNotes = new MemoBox(QStringLiteral("memoSourceNotes"), this);
    lblType = label(QStringLiteral("lblType"), QString(), this);
    lblType->setBuddy(memoSourceNotes);
    cmdAdj1 = NamedButton(this, QStringLiteral("cmdAdj1"), QStringLiteral("<"));
    cmdAdj1->setToolTip(QStringLiteral("Narrower notes boxes"));
    cmdAdj2 = NamedButton(this, QStringLiteral("cmdAdj2"), QStringLiteral(">"));
    cmdAdj2->setToolTip(QStringLiteral("Wider notes boxes"));
    Command5 = NamedButton(this, QStringLiteral("Command5"), QStringLiteral("reset"));
    Label2 = label(QStringLiteral("Label2"), QStringLiteral(" rt. margin"), this);
    Command1 = NamedButton(this, QStringLiteral("Command1"), QStringLiteral("OK"));
    Command1->setDefault(true);
    Command3 = NamedButton(this, QStringLiteral("Command3"), QStringLiteral("Cancel"));
    Command2 = NamedButton(this, QStringLiteral("Command2"), QStringLiteral("Help"));

    // Room for the 30 lines a notes box holds.
    for (MemoBox* box : {MemoGenNotes, memoSourceNotes})
        box->setMinimumHeight(box->fontMetrics().lineSpacing() * 30 + 2 * box->frameWidth() + 8);
    List1->setFixedWidth(170);
    for (QPushButton* b : {cmdAdj1, cmdAdj2})
        b->setFixedWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("MM")) + 24);

    auto* margin = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(cmdAdj1), static_cast<QWidget*>(cmdAdj2),
                       static_cast<QWidget*>(Command5), static_cast<QWidget*>(Label2)})
        margin->addWidget(w);
    margin->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {Command1, Command3, Command2})
        buttons->addWidget(b);
    auto* lay = new QGridLayout(this);
    lay->addWidget(lblList, 0, 0);
    lay->addWidget(Label1, 0, 1);
    lay->addWidget(lblType, 0, 2);
    lay->addWidget(List1, 1, 0);
    lay->addWidget(MemoGenNotes, 1, 1, Qt::AlignLeft);
    lay->addWidget(memoSourceNotes, 1, 2, Qt::AlignLeft);
    lay->addLayout(margin, 2, 1, 1, 2);
    lay->addLayout(buttons, 3, 0, 1, 3);
    lay->setColumnStretch(3, 1);
    lay->setRowStretch(1, 1);

    // The boxes are what Text2Wrap32 reads.
    ServeMemo(1, MemoGenNotes);
    ServeMemo(2, memoSourceNotes);
    projectHooks().memoBox = ServedMemo;

    connect(List1, &QListWidget::currentRowChanged, this, &frmWellNotes::List1_Click);
    connect(Command1, &QPushButton::clicked, this, &frmWellNotes::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &frmWellNotes::Command3_Click);
    connect(Command2, &QPushButton::clicked, this, &frmWellNotes::Command2_Click);
    connect(cmdAdj1, &QPushButton::clicked, this, &frmWellNotes::cmdAdj1_Click);
    connect(cmdAdj2, &QPushButton::clicked, this, &frmWellNotes::cmdAdj2_Click);
    connect(Command5, &QPushButton::clicked, this, &frmWellNotes::Command5_Click);
    connect(MemoGenNotes, &MemoBox::Change, this, &frmWellNotes::MemoGenNotes_Change);
    connect(memoSourceNotes, &MemoBox::Change, this, &frmWellNotes::memoSourceNotes_Change);
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, &frmWellNotes::Command2_Click);
    Form_Load();
}

void frmWellNotes::applyWidth() {
    const int twips = BoxTwips(modgw().TextAdjust[6]);
    MemoGenNotes->setBoxWidthTwips(twips);
    memoSourceNotes->setBoxWidthTwips(twips);
}

void frmWellNotes::selectCurrent() {
    const QSignalBlocker block(List1);
    List1->setCurrentRow(m_current - 1);
}

void frmWellNotes::Form_Load() {
    trap(QStringLiteral("Form_Load"), [&] {
        ModGW& m = modgw();
        applyWidth();
        adjustSize();
        if (const QScreen* s = screen()) {
            const QRect a = s->geometry();
            move((a.width() - width()) / 2, (a.height() - height()) / 2);
        }
        m_kind = NotesKindOf(m.ReportCode);
        if (const auto t = TextsOf(m_kind)) {
            setWindowTitle(t->caption);
            lblList->setText(t->listLabel);
            lblType->setText(t->typeLabel);
            m_help = t->helpContext;
        }
        {
            const QSignalBlocker block(List1);
            List1->addItems(ItemsOf(m, m_kind));
        }
        MemoGenNotes->setText(GeneralTextOf(m.ReportNotes));
        MemoGenNotes->setFontName(m.DefaultFont);
        memoSourceNotes->setText(ItemTextOf(m.ReportNotes, 1));
        memoSourceNotes->setFontName(m.DefaultFont);
        m_current = 1;
        selectCurrent();
        m_notesChanged = 0;
    });
}

void frmWellNotes::List1_Click() {
    trap(QStringLiteral("List1_Click"), [&] {
        const int picked = List1->currentRow() + 1;
        if (picked < 1 || picked == m_current) return;
        ModGW& m = modgw();
        const int16_t changed = m_notesChanged;
        const Wrapped general = wrap(1);
        if (general.count > ReportNotesBlock::MaxLines) {
            warn(GeneralTooLongText());
            selectCurrent();
            return;
        }
        const Wrapped item = wrap(2);
        const Store r = StoreOnSwitch(m.ReportNotes, m_current, general, item);
        // What the switch stored stays even after Cancel: the definition has changed.
        if (changed) m.ReportDirty = 1;
        if (r != Store::Done) {
            const QListWidgetItem* entry = List1->item(m_current - 1);
            warn(TogetherOnSwitchText(entry ? entry->text() : QString()));
        }
        if (r == Store::ItemTooLong) {
            selectCurrent();
            return;
        }
        m_current = int16_t(picked);
        memoSourceNotes->setText(ItemTextOf(m.ReportNotes, m_current));
        m_notesChanged = changed;
    });
}

void frmWellNotes::Command1_Click() {
    trap(QStringLiteral("Command1_Click"), [&] {
        ModGW& m = modgw();
        const Wrapped general = wrap(1);
        if (general.count > ReportNotesBlock::MaxLines) {
            warn(GeneralTooLongText());
            return;
        }
        const Wrapped item = wrap(2);
        const Store r = StoreOnOk(m.ReportNotes, m_current, general, item);
        // The general lines are stored even when the item's are refused.
        if (m_notesChanged) m.ReportDirty = 1;
        if (r != Store::Done) {
            warn(TogetherOnOkText());
            return;
        }
        accept();
    });
}

void frmWellNotes::Command3_Click() {
    trap(QStringLiteral("Command3_Click"), [&] { reject(); });
}

void frmWellNotes::Command2_Click() {
    trap(QStringLiteral("Command2_Click"),
         [&] { modgw().HelpResult = WinHelpA(this, modgw().HelpFile, help::HELP_CONTEXT, m_help); });
}

void frmWellNotes::cmdAdj1_Click() {
    trap(QStringLiteral("cmdAdj1_Click"), [&] {
        modgw().TextAdjust[6] = Narrower(modgw().TextAdjust[6]);
        applyWidth();
    });
}

void frmWellNotes::cmdAdj2_Click() {
    trap(QStringLiteral("cmdAdj2_Click"), [&] {
        modgw().TextAdjust[6] = Wider(modgw().TextAdjust[6]);
        applyWidth();
    });
}

void frmWellNotes::Command5_Click() {
    trap(QStringLiteral("Command5_Click"), [&] {
        modgw().TextAdjust[6] = 0;
        applyWidth();
    });
}

void frmWellNotes::MemoGenNotes_Change() { m_notesChanged = 1; }

void frmWellNotes::memoSourceNotes_Change() { m_notesChanged = 1; }
