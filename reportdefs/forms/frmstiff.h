// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reportdefs/forms/reportform.h"
#include "reportdefs/stifffile.h"

class QLabel;
class QPushButton;

// The Stiff diagram definition: the sampling episodes, two sets of up to eight parameters and five
// sources, and the report titles. Picks from the master lists and Delete Parameter act on the active
// set (StiffActiveSet), which a click in a set's grid chooses; parameters reach a set only by picks.
class frmStiff : public ReportForm {
    Q_OBJECT
public:
    frmStiff();

    QLabel* Label1 = nullptr; // "Master Parameter List"
    QLabel* Label2 = nullptr; // "Master Source List"
    QLabel* lblSet1 = nullptr; // "SET 1"
    QLabel* lblSet2 = nullptr; // "SET 2"
    QLabel* lblPar1 = nullptr; // "Chosen Parameters"
    QLabel* lblSrc1 = nullptr; // "Chosen Sources"
    QLabel* lblPar2 = nullptr;
    QLabel* lblSrc2 = nullptr;
    QLabel* Label3 = nullptr; // "Sampling Episodes"
    QLabel* Label4 = nullptr; // "Report Information"
    SpreadGrid* SS1 = nullptr; // set 1: parameter names
    SpreadGrid* SS2 = nullptr; // set 1: sources
    SpreadGrid* SS3 = nullptr; // set 2: parameter names
    SpreadGrid* SS4 = nullptr; // set 2: sources
    SpreadGrid* SS5 = nullptr; // one episode a row: start, end
    SpreadGrid* SS6 = nullptr; // the title rows
    QPushButton* Command1 = nullptr; // Edit Mode
    QPushButton* Command2 = nullptr; // Edit Notes

    void List1_Click();
    void List2_Click();
    void mnuDelete_Click() override;
    void Command1_Click();
    void Command2_Click();
    void SS1_Click();
    void SS2_Click();
    void SS3_Click();
    void SS4_Click();
    void SS5_Click();
    void SS6_Click();

    // Shows the definition variables on the form.
    void FillStiffForm();
    // The six grids as they stand.
    StiffGrids GridsOnForm() const;

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
    void BeforeRun(const QString& where) override;

private:
    int activeSet() const;
    void setActiveSet(int set);
    void showActiveSet();
};
