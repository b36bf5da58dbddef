// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QTextEdit>

// A multi-line notes box that knows the lines it shows. It wraps its text at a fixed width in twips,
// whatever the window's size, so the lines it shows are the lines the notes store and print. Every
// hard line break (Enter, or a line break in pasted text) starts a new paragraph.
class MemoBox : public QTextEdit {
    Q_OBJECT
public:
    static constexpr int TwipsPerPixel = 15;
    static constexpr int PointSize = 8; // the size the notes print at

    explicit MemoBox(const QString& name, QWidget* parent = nullptr);

    // The width the text wraps at; the box grows by its frame and scroll bar.
    void setBoxWidthTwips(int twips);
    int boxWidthTwips() const { return m_twips; }
    int wrapWidthPixels() const;
    // The font family; the size stays at PointSize.
    void setFontName(const QString& family);

    // The whole text, paragraphs joined by CR LF. setText takes CR LF, LF or CR.
    QString text() const;
    void setText(const QString& text);
    // The lines the box shows, in order, as laid out now (a wrapped line keeps its trailing blank);
    // an empty box shows none.
    QStringList displayedLines() const;

signals:
    // Any change of the text, typed or set.
    void Change();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void applyWidth();
    int m_twips = 3500;
};

// Text2Wrap32 reads its boxes through here: kind 1 and 2 are the notes editor's general and item
// boxes. ServedMemo gives a served box's whole text and displayed lines; the notes editor hands it
// to the project's core as projectHooks().memoBox. A box that is gone, or a kind never served,
// gives false, and Text2Wrap32 reports its error.
void ServeMemo(int kind, MemoBox* box);
bool ServedMemo(int kind, QString& text, QStringList& displayedLines);
