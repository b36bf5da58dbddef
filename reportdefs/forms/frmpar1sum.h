// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reportdefs/forms/reportform.h"
#include "reportdefs/par1sumfile.h"

class QLabel;
class QPushButton;

// The parameter summary definition: up to 200 chosen parameters (by number; the grid only shows
// their names), up to nine sources and the report information rows. Parameters change only through
// the list and Delete; sources and information rows are taken from the grids when saved.
class frmPar1Sum : public ReportForm {
    Q_OBJECT
public:
    frmPar1Sum();

    QLabel* Label1 = nullptr; // "Master Parameter List"
    QLabel* Label2 = nullptr; // "Master Source List"
    QLabel* Label3 = nullptr; // "Chosen Parameters"
    SpreadGrid* SS = nullptr;
    QLabel* Label4 = nullptr; // "Chosen Sources"
    SpreadGrid* SS2 = nullptr;
    QLabel* Label5 = nullptr; // "Report Information"
    SpreadGrid* SS3 = nullptr;
    QPushButton* Command1 = nullptr; // Edit Notes
    QPushButton* Command2 = nullptr; // Edit Mode

    void List1_Click();
    void List2_Click();
    void mnuDelete_Click() override;
    void Command1_Click();
    void Command2_Click();
    void SS2_Click();
    void SS3_Click();

    // Shows the definition variables on the form.
    void FillPar1Form();

protected:
    void SetupGrids() override;
    QList<SpreadGrid*> Grids() const override;
    QList<SpreadGrid*> TypedGrids() const override;
    void GridChange(SpreadGrid* grid) override;
    void ClearForm() override;
    void ClearDefinition() override;
    std::function<void()> LoadDefinition(const QString& path) override;
    void FillForm() override;
    bool WriteDefinition(const QString& path) override;
    int ItemCount() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void enterInSS3();
};
