// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gui/guiui.h"

#include "platform/filenames.h"
#include "platform/gui/fontdialog.h"
#include "platform/gui/forms.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>

namespace {
QWidget* parentWindow() { return QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                                                                    : QApplication::activeWindow(); }

// A box whose title the program leaves empty carries the program's name, so that it says whose it is.
QString shownTitle(const QString& title) {
    return title.isEmpty() || title == titleEmpty ? defaultMsgTitle() : title;
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
    for (const int r : vb::Buttons(style)) {
        switch (r) {
        case vb::Cancel: buttons.append({QMessageBox::Cancel, r}); break;
        case vb::Abort: buttons.append({QMessageBox::Abort, r}); break;
        case vb::Retry: buttons.append({QMessageBox::Retry, r}); break;
        case vb::Ignore: buttons.append({QMessageBox::Ignore, r}); break;
        case vb::Yes: buttons.append({QMessageBox::Yes, r}); break;
        case vb::No: buttons.append({QMessageBox::No, r}); break;
        default: buttons.append({QMessageBox::Ok, r}); break;
        }
    }
    QMessageBox::StandardButtons set;
    for (const B& b : buttons) set |= b.b;
    box.setStandardButtons(set);
    const int answer = vb::DefaultAnswer(style);
    for (const B& b : buttons)
        if (b.r == answer) box.setDefaultButton(b.b);
    const int pressed = box.exec();
    for (const B& b : buttons)
        if (pressed == b.b) return b.r;
    // Closed by its close box: the cancel answer where there is one.
    for (const B& b : buttons)
        if (b.r == vb::Cancel) return vb::Cancel;
    return buttons.first().r;
}

std::optional<QString> GuiUi::InputBox(const QString& prompt, const QString& title, const QString& def) {
    QInputDialog dlg(parentWindow());
    dlg.setWindowTitle(shownTitle(title));
    dlg.setLabelText(prompt);
    dlg.setTextValue(def);
    forms::fitToScreen(dlg);
    if (dlg.exec() != QDialog::Accepted) return std::nullopt;
    return dlg.textValue();
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

namespace {
// The dialog completes a name typed without an extension with the chosen type's before it asks
// about replacing a file, so that it asks about the file that will be written.
class ClassicFileDialog : public QFileDialog {
public:
    ClassicFileDialog(QWidget* parent, const FileDialogRequest& r, const QStringList& filters)
        : QFileDialog(parent, r.title, qfile::Normalize(r.initDir), filters.join(QStringLiteral(";;"))),
          request_(r), filters_(filters) {}
    int filterIndex() const { return std::max(0, int(filters_.indexOf(selectedNameFilter()))); }
    void accept() override {
        if (acceptMode() == AcceptSave) {
            const QString ext = filedialog::FilterExtension(request_.filter, filterIndex());
            setDefaultSuffix(ext.isEmpty() ? request_.defaultExt : ext);
        }
        QFileDialog::accept();
    }

private:
    FileDialogRequest request_;
    QStringList filters_;
};
} // namespace

FileDialogChoice GuiUi::chooseFile(const FileDialogRequest& r) {
    const QString filter = qtFilterFromClassic(r.filter);
    const QStringList filters = filter.isEmpty() ? QStringList() : filter.split(QStringLiteral(";;"));
    ClassicFileDialog dlg(parentWindow(), r, filters);
    dlg.setAcceptMode(r.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(r.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!r.defaultExt.isEmpty()) dlg.setDefaultSuffix(r.defaultExt);
    if (!r.overwritePrompt) dlg.setOption(QFileDialog::DontConfirmOverwrite);
    if (r.filterIndex > 0 && r.filterIndex < filters.size()) dlg.selectNameFilter(filters[r.filterIndex]);
    if (!r.fileName.isEmpty()) dlg.selectFile(qfile::Normalize(r.fileName));
    forms::fitToScreen(dlg);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    return {dlg.selectedFiles().first(), dlg.filterIndex()};
}

std::optional<PrinterSetupChoice> GuiUi::PrinterDialog(const PrinterSetupChoice& current) {
    // The dialog works on a printer of its own: the system printer takes the choice only once the
    // caller has matched the name.
    const QPrinterInfo info = QPrinterInfo::printerInfo(current.printerName);
    QPrinter printer(info.isNull() ? QPrinterInfo::defaultPrinter() : info, QPrinter::HighResolution);
    printer.setCopyCount(std::max(1, current.copies));
    printer.setPageOrientation(current.orientation);
    printer.setPageSize(QPageSize(current.paperSize));
    // No printer chosen (none installed, or a file before): the dialog opens on "Print to File (PDF)".
    if (current.printerName.isEmpty()) {
        if (!current.outputFile.isEmpty()) printer.setOutputFileName(current.outputFile);
        printer.setOutputFormat(QPrinter::PdfFormat);
    }
    QPrintDialog dlg(&printer, parentWindow());
    dlg.setWindowTitle(QStringLiteral("Print Setup"));
    dlg.setOption(QAbstractPrintDialog::PrintToFile, true);
    dlg.setOption(QAbstractPrintDialog::PrintSelection, false);
    dlg.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dlg.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dlg.exec() != QDialog::Accepted) return std::nullopt;
    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
    return PrinterSetupChoice{toFile ? QString() : printer.printerName(), printer.copyCount(),
                              printer.pageLayout().orientation(), printer.pageLayout().pageSize().id(),
                              toFile ? printer.outputFileName() : QString()};
}

std::optional<int> GuiUi::ColorDialog(int current) {
    QColorDialog dlg(QColor(current & 0xFF, (current >> 8) & 0xFF, (current >> 16) & 0xFF), parentWindow());
    // Qt's own dialog, so that it runs in the program's modal loop and on the accessibility bus.
    dlg.setOption(QColorDialog::DontUseNativeDialog);
    if (forms::showModal(dlg) != QDialog::Accepted) return std::nullopt;
    const QColor c = dlg.selectedColor();
    if (!c.isValid()) return std::nullopt;
    return c.red() + 256 * c.green() + 65536 * c.blue();
}

std::optional<FontChoice> GuiUi::FontDialog(const FontChoice& current, int) {
    ::FontDialog dlg(current, parentWindow());
    if (forms::showModal(dlg) != QDialog::Accepted) return std::nullopt;
    return dlg.choice();
}
