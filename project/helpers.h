// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// Small text helpers used all over the program.

// s without its first n characters; n <= 0 gives s, n > length raises error 5 (invalid argument).
QString StrTail(const QString& s, int n);

// Splits text at CR LF into modgw().TextLines; TextLineCount leaves out trailing blank lines.
// A 201st line reports "Error 9 in Text2Array." and leaves TextLineCount as it was.
void Text2Array(QString text);

// The lines a notes box of the given font and width shows for text: each hard line break starts a new
// line, and longer lines wrap at word boundaries as the box wraps them.
QStringList WrapLikeMemo(const QString& text, const QFont& font, int widthPx);

// Stores the displayed lines in TextLines, marking each line that ends at a hard break with U+00B6.
// text uses CR LF (or LF) as its line breaks.
void Text2Wrap32(const QString& text, const QStringList& displayedLines);

// The same for one of the notes editor's two boxes (1 general notes, 2 item notes), reached through
// projectHooks().memoBox; a box that is not available reports "Error 9 in Text2Wrap32.".
void Text2Wrap32(int kind);

// The notes' line-end mark.
inline constexpr QChar Pilcrow = QChar(0x00B6);
