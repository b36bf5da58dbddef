// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <functional>

// Small text and file helpers used all over the program.

// True when the file can be opened for reading (bare names resolve in the program folder).
bool FileExists(const QString& path);
// True when a test file can be written into the folder and removed again.
bool FolderIsWritable(const QString& folder);
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

// The notes editor registers how to reach its two boxes (1 general notes, 2 item notes): the box's
// whole text and the lines it displays. Returns false when the box is not available.
using MemoProvider = std::function<bool(int kind, QString& text, QStringList& displayedLines)>;
void SetMemoProvider(MemoProvider provider);
void Text2Wrap32(int kind);

// The notes' line-end mark.
inline constexpr QChar Pilcrow = QChar(0x00B6);
