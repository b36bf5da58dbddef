// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gui/memobox.h"

#include "platform/gui/controls.h"

#include <QAbstractTextDocumentLayout>
#include <QKeyEvent>
#include <QMimeData>
#include <QPointer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <array>

namespace {

constexpr int Margin = 2; // between the frame and the text

// Every kind of line break becomes one paragraph break.
QString plainBreaks(QString t) {
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(u'\r', u'\n');
    t.replace(QChar::LineSeparator, u'\n');
    t.replace(QChar::ParagraphSeparator, u'\n');
    return t;
}

} // namespace

MemoBox::MemoBox(const QString& name, QWidget* parent) : QTextEdit(parent) {
    setObjectName(name);
    setAccessibleName(name);
    setAcceptRichText(false);
    setTabChangesFocus(true);
    CtrlTabLeaves(this);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setLineWrapMode(QTextEdit::FixedPixelWidth);
    // A scroll bar that came and went would change the room for the text.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    document()->setDocumentMargin(Margin);
    setFontName(QString());
    connect(this, &QTextEdit::textChanged, this, &MemoBox::Change);
}

int MemoBox::wrapWidthPixels() const { return std::max(1, qRound(m_twips / double(TwipsPerPixel))); }

void MemoBox::setBoxWidthTwips(int twips) {
    m_twips = twips;
    applyWidth();
}

void MemoBox::applyWidth() {
    const int px = wrapWidthPixels();
    setLineWrapColumnOrWidth(px + 2 * Margin);
    setFixedWidth(px + 2 * Margin + 2 * frameWidth() + verticalScrollBar()->sizeHint().width());
}

void MemoBox::setFontName(const QString& family) {
    QFont f = family.isEmpty() ? font() : QFont(family);
    f.setPointSize(PointSize);
    setFont(f);
    document()->setDefaultFont(f);
    applyWidth();
}

QString MemoBox::text() const {
    QStringList paras;
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next())
        paras << b.text().replace(QChar::LineSeparator, QLatin1String("\r\n"));
    return paras.join(QLatin1String("\r\n"));
}

void MemoBox::setText(const QString& text) { setPlainText(plainBreaks(text)); }

QStringList MemoBox::displayedLines() const {
    QStringList out;
    if (document()->isEmpty()) return out;
    document()->documentLayout()->documentSize(); // lays out what is not laid out yet
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
        const QString t = b.text();
        const QTextLayout* l = b.layout();
        if (!l || l->lineCount() == 0) {
            out << t;
            continue;
        }
        for (int i = 0; i < l->lineCount(); ++i) {
            const QTextLine line = l->lineAt(i);
            QString s = t.mid(line.textStart(), line.textLength());
            if (s.endsWith(QChar::LineSeparator)) s.chop(1);
            out << s;
        }
    }
    return out;
}

void MemoBox::keyPressEvent(QKeyEvent* e) {
    // Shift+Enter would make a soft break inside the paragraph; the notes know only hard breaks.
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && (e->modifiers() & Qt::ShiftModifier)) {
        QKeyEvent plain(e->type(), e->key(), e->modifiers() & ~Qt::ShiftModifier, e->text());
        QTextEdit::keyPressEvent(&plain);
        return;
    }
    QTextEdit::keyPressEvent(e);
}

void MemoBox::insertFromMimeData(const QMimeData* source) {
    if (source && source->hasText()) {
        insertPlainText(plainBreaks(source->text()));
        return;
    }
    QTextEdit::insertFromMimeData(source);
}

// ---- Text2Wrap32's boxes

namespace {
std::array<QPointer<MemoBox>, 3>& served() {
    static std::array<QPointer<MemoBox>, 3> boxes;
    return boxes;
}
} // namespace

void ServeMemo(int kind, MemoBox* box) {
    if (kind < 1 || kind > 2) return;
    served()[kind] = box;
}

bool ServedMemo(int kind, QString& text, QStringList& displayedLines) {
    if (kind < 1 || kind > 2 || !served()[kind]) return false;
    const MemoBox& b = *served()[kind];
    text = b.text();
    displayedLines = b.displayedLines();
    return true;
}
