// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reportdefs/datecontourfile.h"
#include "reportdefs/forms/reportform.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

// The date contour definition: up to four parameters, the sources with their map positions, the
// report information, map rows 1..7 and the general notes, which the form keeps in its own notes
// box. It shares the date summary's variables; map rows 8..14 are carried through unseen.
class frmDateContour : public ReportForm {
    Q_OBJECT
public:
    frmDateContour();

    QLabel* Label1 = nullptr; // "Master Parameter List"
    QLabel* Label2 = nullptr; // "Master Source List"
    QLabel* Label3 = nullptr; // "Chosen Parameter(s)"
    SpreadGrid* SS1 = nullptr; // parameter names
    QLabel* Label4 = nullptr; // "Chosen Sources"
    SpreadGrid* SS2 = nullptr; // source, X, Y
    QLabel* Label5 = nullptr; // "Report Information"
    SpreadGrid* SS3 = nullptr;
    QLabel* Label6 = nullptr; // "Map Information"
    SpreadGrid* SS4 = nullptr; // row 4 the gridding method, row 5 the scale type
    QLabel* Label7 = nullptr; // "Notes"
    QPlainTextEdit* Text1 = nullptr; // the general notes, one line each
    QPushButton* Command1 = nullptr; // Edit Mode

    void List1_Click();
    void List2_Click();
    void mnuDelete_Click() override;
    void Command1_Click();
    void SS2_Click();
    void SS3_Click();
    void SS4_Click();
    void Text1_Change();

    // Shows the definition variables on the form.
    void FillDateContourForm();

protected:
    void SetupGrids() override;
    QList<SpreadGrid*> Grids() const override;
    QList<SpreadGrid*> TypedGrids() const override;
    void ClearForm() override;
    void ClearDefinition() override;
    std::function<void()> LoadDefinition(const QString& path) override;
    void FillForm() override;
    bool WriteDefinition(const QString& path) override;
    int ItemCount() override;
    void Closing() override;

private:
    void sizeGrids();
    DateContourGrids GridsOnForm() const;
    void setNotesText(const QString& text);
};
