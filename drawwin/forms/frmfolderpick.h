// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QFileSystemModel;
class QLineEdit;
class QPushButton;
class QTreeView;

// "Select a Folder": a folder tree opened on PickedFolder, the chosen path (which may also be typed)
// and a new folder made inside it. OK leaves the path in DialogFileName, Cancel and the close box "".
class frmFolderPick : public QDialog {
    Q_OBJECT
public:
    frmFolderPick(); // runs Form_Load

    QTreeView* FolderTreeview1 = nullptr; // folders only
    QLineEdit* Text1 = nullptr;           // the selected folder's path
    QLineEdit* Text2 = nullptr;           // "New Folder Name"
    QPushButton* Command4 = nullptr;      // "Create New Folder"
    QPushButton* Command1 = nullptr;      // OK
    QPushButton* Command2 = nullptr;      // "Cancel"

    void Form_Load();
    void FolderTreeview1_FolderSelected(const QString& path);
    void Command1_Click();
    void Command2_Click();
    void Command4_Click();

    // The tree's selected folder, "" for none.
    QString SelectedPath() const;
    void setSelectedPath(const QString& path);

protected:
    void reject() override; // Escape and the close box: Cancel

private:
    QFileSystemModel* folders_ = nullptr;
};
