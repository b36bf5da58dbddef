// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class MemoBox;
class QLabel;
class QListWidget;
class QPushButton;

// The report notes editor: general notes and the notes of each item of the current definition, for
// the notes kind in ReportCode. It stores into ReportNotes itself, as the boxes show the lines.
class frmWellNotes : public QDialog {
    Q_OBJECT
public:
    frmWellNotes();
    QLabel* lblList;
    QListWidget* List1;
    QLabel* Label1; // "General Notes"
    MemoBox* MemoGenNotes;
    QLabel* lblType;
    MemoBox* memoSourceNotes;
    QPushButton* cmdAdj1; // narrower
    QPushButton* cmdAdj2; // wider
    QPushButton* Command5; // reset
    QLabel* Label2;       // " rt. margin"
    QPushButton* Command1; // OK
    QPushButton* Command3; // Cancel
    QPushButton* Command2; // Help

    void Form_Load();
    void List1_Click();
    void Command1_Click();
    void Command3_Click();
    void Command2_Click();
    void cmdAdj1_Click();
    void cmdAdj2_Click();
    void Command5_Click();
    void MemoGenNotes_Change();
    void memoSourceNotes_Change();

    int16_t notesChanged() const { return m_notesChanged; }
    int16_t currentItem() const { return m_current; }

private:
    void applyWidth();
    void selectCurrent();
    int m_kind = 0;
    int m_help = 0;
    int16_t m_notesChanged = 0;
    int16_t m_current = 1;
};
