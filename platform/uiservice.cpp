// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uiservice.h"

#include "platform/filenames.h"

#include <QFileInfo>
#include <QStringList>
#include <cstdio>

namespace vb {
QList<int> Buttons(int style) {
    switch (style & 7) {
    case OKCancel: return {OK, Cancel};
    case AbortRetryIgnore: return {Abort, Retry, Ignore};
    case YesNoCancel: return {Yes, No, Cancel};
    case YesNo: return {Yes, No};
    case RetryCancel: return {Retry, Cancel};
    default: return {OK};
    }
}

int DefaultAnswer(int style) {
    const QList<int> set = Buttons(style);
    const int i = (style >> 8) & 3;
    return i < set.size() ? set[i] : set.first();
}
} // namespace vb

namespace filedialog {
QString FilterExtension(const QString& filter, int index) {
    // "Desc (*.a)|*.a|Desc (*.b;*.c)|*.b;*.c|": descriptions and patterns alternate.
    const QStringList parts = filter.split(u'|');
    const int at = 2 * index + 1;
    if (index < 0 || at >= parts.size()) return {};
    for (const QString& p : parts[at].split(u';')) {
        const QString pattern = p.trimmed();
        if (!pattern.startsWith(QLatin1String("*."))) continue;
        const QString ext = pattern.mid(2);
        if (!ext.isEmpty() && !ext.contains(u'*') && !ext.contains(u'?')) return ext;
    }
    return {};
}

QString WithExtension(const QString& path, const QString& filter, int index, const QString& defaultExt) {
    if (path.isEmpty() || qfile::NameOf(path).contains(u'.')) return path;
    QString ext = FilterExtension(filter, index);
    if (ext.isEmpty()) ext = defaultExt.startsWith(u'.') ? defaultExt.mid(1) : defaultExt;
    return ext.isEmpty() ? path : path + u'.' + ext;
}
} // namespace filedialog

QString UiService::FileDialog(const FileDialogRequest& request) { return FileDialogWithType(request).path; }

FileDialogChoice UiService::FileDialogWithType(const FileDialogRequest& request) {
    FileDialogChoice c = chooseFile(request);
    if (!request.save) return c;
    c.path = filedialog::CompletedName(c.path, request.filter, c.filterIndex, request.defaultExt,
                                       request.overwritePrompt ? request.title : std::optional<QString>());
    return c;
}

QString filedialog::CompletedName(const QString& path, const QString& filter, int index, const QString& defaultExt,
                                  const std::optional<QString>& askTitle) {
    const QString completed = WithExtension(path, filter, index, defaultExt);
    // The dialog asked about the name it returned; a file under the completed name has not been asked
    // about yet.
    if (completed != path && askTitle && QFileInfo::exists(qfile::Resolve(completed)) &&
        !AskToReplace(completed, *askTitle))
        return {};
    return completed;
}

bool AskToReplace(const QString& path, const QString& dialogTitle) {
    return ui().MsgBox(qfile::NameOf(path) + QStringLiteral(" already exists.\r\nDo you want to replace it?"),
                       vb::YesNo | vb::Exclamation | vb::DefaultButton2,
                       dialogTitle.isEmpty() ? titleEmpty : dialogTitle) == vb::Yes;
}

FileDialogChoice UiService::chooseFile(const FileDialogRequest&) { return {}; }

std::optional<PrinterSetupChoice> UiService::PrinterDialog(const PrinterSetupChoice&) { return std::nullopt; }
std::optional<int> UiService::ColorDialog(int) { return std::nullopt; }
std::optional<FontChoice> UiService::FontDialog(const FontChoice&, int) { return std::nullopt; }

namespace {
class QuietUi : public UiService {
public:
    // Unattended, every box takes its default button, so that no question destroys data unasked.
    int MsgBox(const QString& text, int style, const QString&) override {
        std::fprintf(stderr, "qmar2002: %s\n", qPrintable(text));
        return vb::DefaultAnswer(style);
    }
    std::optional<QString> InputBox(const QString&, const QString&, const QString& def) override {
        return def;
    }
};

QuietUi quiet;
UiService* current = &quiet;
} // namespace

QString defaultMsgTitle() { return QStringLiteral("Quillmare 2002"); }

UiService& ui() { return *current; }

void setUi(UiService* service) { current = service ? service : &quiet; }

void warn(const QString& text) { ui().MsgBox(text, vb::Exclamation, titleEmpty); }
