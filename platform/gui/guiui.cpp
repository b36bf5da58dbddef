// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gui/guiui.h"

#include "platform/filenames.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

namespace {
QWidget* parentWindow() { return QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                                                                    : QApplication::activeWindow(); }

QString shownTitle(const QString& title) {
    if (title == titleEmpty) return QStringLiteral(" ");
    return title.isEmpty() ? defaultMsgTitle() : title;
}
} // namespace

int GuiUi::MsgBox(const QString& text, int style, const QString& title) {
    QMessageBox box(parentWindow());
    box.setWindowTitle(shownTitle(title));
    box.setText(text);
    switch (style & 0x70) {
    case vb::Critical: box.setIcon(QMessageBox::Critical); break;
    case vb::Question: box.setIcon(QMessageBox::Question); break;
    case vb::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case vb::Information: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    struct B { QMessageBox::StandardButton b; int r; };
    QList<B> buttons;
    switch (style & 7) {
    case vb::OKCancel: buttons = {{QMessageBox::Ok, vb::OK}, {QMessageBox::Cancel, vb::Cancel}}; break;
    case vb::AbortRetryIgnore:
        buttons = {{QMessageBox::Abort, vb::Abort}, {QMessageBox::Retry, vb::Retry}, {QMessageBox::Ignore, vb::Ignore}};
        break;
    case vb::YesNoCancel:
        buttons = {{QMessageBox::Yes, vb::Yes}, {QMessageBox::No, vb::No}, {QMessageBox::Cancel, vb::Cancel}};
        break;
    case vb::YesNo: buttons = {{QMessageBox::Yes, vb::Yes}, {QMessageBox::No, vb::No}}; break;
    case vb::RetryCancel: buttons = {{QMessageBox::Retry, vb::Retry}, {QMessageBox::Cancel, vb::Cancel}}; break;
    default: buttons = {{QMessageBox::Ok, vb::OK}}; break;
    }
    QMessageBox::StandardButtons set;
    for (const B& b : buttons) set |= b.b;
    box.setStandardButtons(set);
    box.setDefaultButton(buttons.first().b);
    const int pressed = box.exec();
    for (const B& b : buttons)
        if (pressed == b.b) return b.r;
    // Closed by its close box: the cancel answer where there is one.
    for (const B& b : buttons)
        if (b.r == vb::Cancel) return vb::Cancel;
    return buttons.first().r;
}

std::optional<QString> GuiUi::InputBox(const QString& prompt, const QString& title, const QString& def) {
    bool ok = false;
    const QString s = QInputDialog::getText(parentWindow(), shownTitle(title), prompt, QLineEdit::Normal, def, &ok);
    if (!ok) return std::nullopt;
    return s;
}

QString qtFilterFromClassic(const QString& classic) {
    const QStringList parts = classic.split(u'|', Qt::SkipEmptyParts);
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString desc = parts[i];
        const QString pattern = QString(parts[i + 1]).replace(u';', u' ');
        if (!desc.contains(u'(')) desc += QStringLiteral(" (") + pattern + u')';
        else desc = desc.left(desc.indexOf(u'(')).trimmed() + QStringLiteral(" (") + pattern + u')';
        out << desc;
    }
    return out.join(QStringLiteral(";;"));
}

QString GuiUi::FileDialog(const FileDialogRequest& r) {
    QFileDialog dlg(parentWindow(), r.title, qfile::Normalize(r.initDir), qtFilterFromClassic(r.filter));
    dlg.setAcceptMode(r.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(r.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!r.defaultExt.isEmpty()) dlg.setDefaultSuffix(r.defaultExt);
    if (!r.overwritePrompt) dlg.setOption(QFileDialog::DontConfirmOverwrite);
    if (!r.fileName.isEmpty()) dlg.selectFile(qfile::Normalize(r.fileName));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    return dlg.selectedFiles().first();
}
