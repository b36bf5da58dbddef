// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uiservice.h"

#include <cstdio>

namespace {
class QuietUi : public UiService {
public:
    int MsgBox(const QString& text, int style, const QString&) override {
        std::fprintf(stderr, "qmar2002: %s\n", qPrintable(text));
        switch (style & 7) {
        case vb::AbortRetryIgnore: return vb::Abort;
        case vb::YesNoCancel:
        case vb::YesNo: return vb::Yes;
        case vb::RetryCancel: return vb::Retry;
        default: return vb::OK;
        }
    }
    std::optional<QString> InputBox(const QString&, const QString&, const QString& def) override {
        return def;
    }
    QString FileDialog(const FileDialogRequest&) override { return {}; }
};

QuietUi quiet;
UiService* current = &quiet;
} // namespace

QString defaultMsgTitle() { return QStringLiteral("Quillmare 2002"); }

UiService& ui() { return *current; }

void setUi(UiService* service) { current = service ? service : &quiet; }

void warn(const QString& text) { ui().MsgBox(text, vb::Exclamation, titleEmpty); }
