// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

// The one text-file reader and writer. Written lines end in CR LF; readers accept CR LF, LF or CR.
// Text is read as UTF-8 when the bytes are valid UTF-8 (a leading byte-order mark dropped), else as
// Latin-1. It is written as Latin-1 when every character fits and those bytes read back as the same
// text, else as UTF-8, so every text written reads back exactly. Every write goes beside the target
// first and replaces it only when every byte is on disk: a failed write leaves the old file.
namespace qtext {

QString Decode(const QByteArray& bytes);
QByteArray Encode(const QString& text);

// Splits at CR LF, LF or CR. A final line end does not make an extra empty line.
QStringList SplitLines(const QString& text);

// The file's lines; raises error 53 when it cannot be opened.
QStringList ReadLines(const QString& path);
// The file's bytes as they are; raises error 53 when it cannot be read.
QByteArray ReadBytes(const QString& path);

// A large file's bytes for one reading pass, read into one buffer made at the file's size (no
// growing, no second copy); raises as ReadBytes. A file that is empty or not a plain file is read as
// ReadBytes reads it.
class WholeFile {
public:
    explicit WholeFile(const QString& path);
    ~WholeFile();
    WholeFile(const WholeFile&) = delete;
    WholeFile& operator=(const WholeFile&) = delete;
    QByteArrayView bytes() const { return capacity_ > 0 ? QByteArrayView(data_, size_) : QByteArrayView(copy_); }

private:
    QByteArray copy_;
    char* data_ = nullptr;
    size_t capacity_ = 0;
    qsizetype size_ = 0;
};

// Writes the lines, each followed by CR LF, whole or not at all. Raises error 61 when the disk takes
// not all of it, error 75 when the file cannot be created or put in place.
void WriteLines(const QString& path, const QStringList& lines);
// Writes raw bytes whole or not at all; raises as WriteLines.
void WriteBytes(const QString& path, const QByteArray& bytes);

// A write held back: the bytes are on disk beside the target when it is made (raising as WriteBytes),
// and replace the target only at commit(). Dropped uncommitted, it leaves the old file as it was, so
// a change that must go together with another one needs no writing back of old bytes.
//
// The pending file is "<name>.qmpending-<pid>-<n>" beside its target, locked while its save runs.
// Before each save its folder is recovered (RemoveLeftovers), so pending files of killed saves go.
// A file's bytes handed over piece by piece: each goes to disk as it comes.
using ByteSink = std::function<void(QByteArrayView)>;

class PendingFile {
public:
    PendingFile(const QString& path, const QByteArray& bytes);
    // The bytes made by produce, which hands them to its sink in pieces; what produce raises drops
    // the file.
    PendingFile(const QString& path, const std::function<void(const ByteSink&)>& produce);
    PendingFile(const QString& path, const QStringList& lines);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;
    void commit(); // raises error 75 when the file cannot be put in place

private:
    friend class PendingSet;
    void putInPlace(bool keepLock);
    QString path_;    // as the caller named it, for messages
    QString target_;  // the file replaced
    QString pending_; // the file written
    int fd_ = -1;     // open and locked until the file is in place or dropped
};

// Files that belong together (a drawing and its bitmaps, a run file and its data file) replaced as
// one set. commit() first puts a note naming them beside them (in the program folder when they lie
// in several folders); the files then replace their targets in the order added, the main file last,
// and the note goes. Each old file is kept as a pending file of its own target until the last new
// one is in place: a failure part-way puts the old ones back, and raises naming the main file. A
// save killed part-way leaves the note, and the recovery of its folder completes the set from it: a
// reader finds the old set or the new one.
class PendingSet {
public:
    void add(const QString& path, const QByteArray& bytes);
    void add(const QString& path, const QStringList& lines);
    void add(const QString& path, const std::function<void(const ByteSink&)>& produce);
    void commit(); // raises as PendingFile::commit

private:
    std::vector<std::unique_ptr<PendingFile>> files_;
};

// The recovery of a folder, run at start-up for the program and data folders, before a file of
// another folder is opened, and before each save: completes the sets killed saves left (the notes of
// the program folder, then those of folder), then removes the pending files in folder that belong to
// no running save. Only what a save of ours writes is touched: each line pair of a note must be a
// pending file "<target>.qmpending-<pid>-<n>" and exactly its target, absolute and normalised, plain
// files (or gone), in the note's folder (any folder for the program folder's notes). A note that
// breaks this is renamed "<note>.bad" with one message and nothing it names is moved. No link,
// folder or FIFO is ever opened, renamed or removed.
void RemoveLeftovers(const QString& folder);

// Test seams: saveStepHook is called after each step of a save (a pending file made, its bytes on
// disk, a set's note in place, an old file set aside, a file put in place, the note gone), so that a
// test can stop the program there; renameFaultHook is asked before each rename of a save or a
// recovery, and a non-zero answer is the error number that rename fails with.
std::function<void()>& saveStepHook();
std::function<int()>& renameFaultHook();

// Sequential reading with the classic end-of-file rules: next() past the end raises error 62.
class LineReader {
public:
    explicit LineReader(const QString& path); // raises error 53 when the file cannot be opened
    explicit LineReader(QStringList lines) : lines_(std::move(lines)) {}
    bool atEnd() const { return pos_ >= lines_.size(); }
    QString next();
    int lineNumber() const { return int(pos_); } // 1-based number of the line read last

private:
    QStringList lines_;
    qsizetype pos_ = 0;
};

} // namespace qtext
