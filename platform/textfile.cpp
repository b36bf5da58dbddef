// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/textfile.h"

#include "platform/filenames.h"
#include "platform/progfolder.h"
#include "platform/qmerror.h"
#include "platform/uiservice.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>
#include <cerrno>
#include <optional>
#include <utility>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qtext {

QString Decode(const QByteArray& bytes) {
    // The mark is dropped here, once: a second one is text.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString s = utf8.decode(bytes);
    if (!utf8.hasError()) {
        if (s.startsWith(QChar(0xFEFF))) s.remove(0, 1);
        return s;
    }
    return QString::fromLatin1(bytes);
}

namespace {
// The reader drops one leading mark, so a text that begins with U+FEFF gets one more in front.
QByteArray utf8(const QString& text) {
    QByteArray b = text.toUtf8();
    if (text.startsWith(QChar(0xFEFF))) b.prepend("\xEF\xBB\xBF");
    return b;
}
} // namespace

QByteArray Encode(const QString& text) {
    bool plain = true;
    for (QChar c : text) {
        if (c.unicode() > 0xFF) return utf8(text);
        if (c.unicode() > 0x7F) plain = false;
    }
    const QByteArray latin1 = text.toLatin1();
    // Latin-1 bytes that happen to be valid UTF-8 would read back as other text.
    if (plain || Decode(latin1) == text) return latin1;
    return utf8(text);
}

QStringList SplitLines(const QString& text) {
    QStringList out;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            out << text.mid(start, i - start);
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') ++i;
            start = i + 1;
        }
    }
    if (start < n) out << text.mid(start);
    return out;
}

QStringList ReadLines(const QString& path) {
    QFile f(qfile::Resolve(path));
    if (path.isEmpty() || !f.open(QIODevice::ReadOnly)) raiseError(qmerr::FileNotFound, path);
    return SplitLines(Decode(f.readAll()));
}

QByteArray ReadBytes(const QString& path) {
    QFile f(qfile::Resolve(path));
    if (path.isEmpty() || !f.open(QIODevice::ReadOnly)) raiseError(qmerr::FileNotFound, path);
    QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) raiseError(qmerr::FileNotFound, path);
    return bytes;
}

WholeFile::WholeFile(const QString& path) {
    const int fd = path.isEmpty() ? -1 : ::open(QFile::encodeName(qfile::Resolve(path)).constData(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (fd >= 0 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
        // Large pages: a page fault for every few kilobytes of a large buffer costs more than the
        // reading pass. Plain reads, not a mapping of the file: a file cut short or a medium gone
        // while it is read must end in an error, not stop the program.
        const size_t size = size_t(st.st_size);
        void* p = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p != MAP_FAILED) {
            ::madvise(p, size, MADV_HUGEPAGE);
            data_ = static_cast<char*>(p);
            capacity_ = size;
            while (size_t(size_) < size) {
                const ssize_t got = ::read(fd, data_ + size_, size - size_t(size_));
                if (got < 0 && errno == EINTR) continue;
                if (got < 0) {
                    ::close(fd);
                    raiseError(qmerr::FileNotFound, path);
                }
                if (got == 0) break; // shorter than when it was measured: what is there is read
                size_ += got;
            }
        }
    }
    if (fd >= 0) ::close(fd);
    if (capacity_ > 0) return;
    copy_ = ReadBytes(path);
    size_ = copy_.size();
}

WholeFile::~WholeFile() {
    if (capacity_ > 0) ::munmap(data_, capacity_);
}

namespace {
QByteArray linesText(const QStringList& lines) {
    QString text;
    for (const QString& l : lines) {
        text += l;
        text += QLatin1String("\r\n");
    }
    return Encode(text);
}

int writeErrorNumber(int err) {
    return err == ENOSPC || err == EDQUOT || err == EFBIG ? qmerr::DiskFull : qmerr::PathFileAccess;
}
} // namespace

// ---- pending files

namespace {

const QLatin1String PendingMark(".qmpending-");
const QLatin1String NotePrefix("qmcommit-");
// A note names two paths a file; no set of ours comes near this.
constexpr off_t MaxNoteBytes = 1 << 20;

int pendingCount = 0;

void step() {
    if (saveStepHook()) saveStepHook()();
}

QByteArray nativeName(const QString& path) { return QFile::encodeName(path); }

int renameFile(const QString& from, const QString& to) {
    if (renameFaultHook())
        if (const int fault = renameFaultHook()()) return errno = fault, -1;
    return ::rename(nativeName(from).constData(), nativeName(to).constData());
}

// "-<pid>-<n>": the part every pending file and note name ends in.
QString ownTag() { return QStringLiteral("%1-%2").arg(::getpid()).arg(++pendingCount); }

bool isOwnTag(QStringView tail) {
    const qsizetype dash = tail.indexOf(u'-');
    if (dash <= 0 || dash == tail.size() - 1) return false;
    for (qsizetype i = 0; i < tail.size(); ++i)
        if (i != dash && !tail[i].isDigit()) return false;
    return true;
}

// Whether name is a pending file ("<target>.qmpending-<pid>-<n>"); target gets the target's name.
bool isPendingName(const QString& name, QString* target = nullptr) {
    const qsizetype at = name.lastIndexOf(PendingMark);
    if (at <= 0 || !isOwnTag(QStringView(name).mid(at + PendingMark.size()))) return false;
    if (target) *target = name.left(at);
    return true;
}

bool isNoteName(const QString& name) {
    return name.startsWith(NotePrefix) && isOwnTag(QStringView(name).mid(NotePrefix.size()));
}

// What lies at path, not following a link: 0 when nothing does.
mode_t kindAt(const QString& path) {
    struct stat st {};
    return ::lstat(nativeName(path).constData(), &st) == 0 ? st.st_mode & S_IFMT : 0;
}

// The folder as the notes spell it: absolute, links resolved, with its closing "/"; "" when it is
// not there.
QString canonicalFolder(const QString& folder) {
    const QString c = folder.isEmpty() ? folder : QFileInfo(qfile::Absolute(folder)).canonicalFilePath();
    return c.isEmpty() ? c : c.endsWith(u'/') ? c : c + u'/';
}

void syncFolder(const QString& path) {
    const int fd = ::open(nativeName(qfile::FolderOf(path)).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// A plain file of path opened without waiting (a FIFO or a link is never opened); -1 when there is none.
int openPlain(const QString& path) {
    if (kindAt(path) != S_IFREG) return -1;
    const int fd = ::open(nativeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    struct stat st {};
    if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Removes a file of no running save: its save held it locked, and the lock went with the process.
void removeUnlocked(const QString& path) {
    const int fd = openPlain(path);
    if (fd < 0) return;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) ::unlink(nativeName(path).constData());
    ::close(fd);
}

// The pairs of a note when every one is what a save of ours writes: a pending file and exactly its
// target, absolute and normalised, both plain files (or gone), in the note's folder. The program
// folder's notes also name files of other folders: a set spread over folders keeps its note there.
std::optional<QStringList> notePairs(const QByteArray& text, const QString& folder, bool anyFolder) {
    if (!text.endsWith('\n')) return std::nullopt;
    QStringList lines;
    for (const QByteArray& l : text.chopped(1).split('\n')) lines << QFile::decodeName(l);
    if (lines.size() % 2 != 0) return std::nullopt;
    for (qsizetype i = 0; i < lines.size(); i += 2) {
        const QString &pending = lines[i], &target = lines[i + 1];
        QString named;
        if (!pending.startsWith(u'/') || QDir::cleanPath(pending) != pending ||
            !isPendingName(pending, &named) || named != target || isNoteName(qfile::NameOf(target)))
            return std::nullopt;
        if (!anyFolder && qfile::FolderOf(target) != folder) return std::nullopt;
        for (const QString& f : {pending, target})
            if (const mode_t kind = kindAt(f); kind != 0 && kind != S_IFREG) return std::nullopt;
    }
    return lines;
}

// A note that is not ours is put out of the way, once, and nothing it names is touched.
void setAside(const QString& note) {
    const QString bad = note + QStringLiteral(".bad");
    ::rename(nativeName(note).constData(), nativeName(bad).constData());
    ui().MsgBox(QStringLiteral("The note %1 of an unfinished save names files this program did not write. "
                               "It was set aside as %2 and no file was changed.")
                    .arg(note, qfile::NameOf(bad)));
}

// The note of a killed set: its pending files replace their targets in its order. A live set keeps
// its note locked.
void completeKilledSet(const QString& note, const QString& folder, bool anyFolder) {
    if (kindAt(note) != S_IFREG) return setAside(note);
    const int fd = openPlain(note);
    if (fd < 0) return;
    struct stat st {};
    QByteArray text;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(fd, &st) != 0) return void(::close(fd));
    if (st.st_size <= MaxNoteBytes) {
        QFile f;
        if (f.open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) text = f.readAll();
    }
    const std::optional<QStringList> pairs = notePairs(text, folder, anyFolder);
    if (!pairs) {
        ::close(fd);
        return setAside(note);
    }
    for (qsizetype i = 0; i < pairs->size(); i += 2)
        if (kindAt((*pairs)[i]) == S_IFREG) renameFile((*pairs)[i], (*pairs)[i + 1]);
    syncFolder(note);
    ::unlink(nativeName(note).constData());
    ::close(fd);
}

void completeKilledSetsIn(const QString& folder, bool anyFolder) {
    const QStringList notes =
        QDir(folder).entryList({NotePrefix + u'*'}, QDir::AllEntries | QDir::Hidden | QDir::System);
    for (const QString& n : notes)
        if (isNoteName(n)) completeKilledSet(folder + n, folder, anyFolder);
}

// Pending files in folder of no running save.
void removePending(const QString& folder) {
    const QDir::Filters kinds = QDir::Files | QDir::Hidden | QDir::System;
    for (const QString& f : QDir(folder).entryList({u'*' + PendingMark + u'*'}, kinds))
        if (isPendingName(f)) removeUnlocked(folder + f);
}

// A new pending file beside target, locked. A cleaner that took it before the lock has unlinked it:
// then another name.
int openPending(const QString& target, QString& pending) {
    struct stat old {};
    const bool exists = ::stat(nativeName(target).constData(), &old) == 0;
    if (exists && (!S_ISREG(old.st_mode) || ::access(nativeName(target).constData(), W_OK) != 0)) return -1;
    for (int tries = 0; tries < 100; ++tries) {
        pending = target + PendingMark + ownTag();
        const int fd = ::open(nativeName(pending).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return -1;
        }
        struct stat st {};
        if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &st) == 0 && st.st_nlink > 0) {
            // The new file keeps what the old one allowed.
            if (exists) ::fchmod(fd, old.st_mode & 07777);
            return fd;
        }
        ::close(fd);
    }
    return -1;
}

QString writeTarget(const QString& path) {
    QString target = qfile::ForWriting(path);
    // A link is followed: the file it names is replaced, the link stays.
    const QFileInfo info(target);
    if (info.isSymLink()) target = info.symLinkTarget();
    return target;
}

// An old file a set replaces, kept as a pending file of its own target (locked, so that no
// cleaner takes it) until the whole new set is in place.
struct OldFile {
    QString target;
    QString kept = {}; // "" when there was no old file
    int fd = -1;
    bool placed = false; // the new file took the target
};

} // namespace

std::function<void()>& saveStepHook() {
    static std::function<void()> hook;
    return hook;
}

std::function<int()>& renameFaultHook() {
    static std::function<int()> hook;
    return hook;
}

void RemoveLeftovers(const QString& folder) {
    const QString f = canonicalFolder(folder), program = canonicalFolder(ProgramFolder());
    if (f.isEmpty()) return;
    // A set spread over folders has its note in the program folder: it goes first, before its
    // pending files here can be taken for dead ones.
    if (!program.isEmpty()) completeKilledSetsIn(program, true);
    if (f != program) completeKilledSetsIn(f, false);
    removePending(f);
}

PendingFile::PendingFile(const QString& path, const QStringList& lines)
    : PendingFile(path, linesText(lines)) {}

PendingFile::PendingFile(const QString& path, const QByteArray& bytes)
    : PendingFile(path, [&bytes](const ByteSink& put) { put(bytes); }) {}

PendingFile::PendingFile(const QString& path, const std::function<void(const ByteSink&)>& produce)
    : path_(path), target_(writeTarget(path)) {
    RemoveLeftovers(qfile::FolderOf(target_));
    fd_ = openPending(target_, pending_);
    if (fd_ < 0) raiseError(qmerr::PathFileAccess, path);
    step();
    int failure = 0;
    off_t written = 0;
    const ByteSink put = [&](QByteArrayView bytes) {
        const char* p = bytes.data();
        qsizetype left = bytes.size();
        while (left > 0 && !failure) {
            const ssize_t n = ::write(fd_, p, size_t(left));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                failure = writeErrorNumber(n < 0 ? errno : ENOSPC);
            } else {
                p += n;
                left -= n;
            }
        }
        // The disk starts on each piece while the next is made, so that the check below waits less.
        if (!failure && !bytes.isEmpty()) ::sync_file_range(fd_, written, bytes.size(), SYNC_FILE_RANGE_WRITE);
        written += bytes.size();
    };
    try {
        produce(put);
    } catch (...) {
        ::unlink(nativeName(pending_).constData());
        ::close(std::exchange(fd_, -1));
        throw;
    }
    // Checked here, with the space some file systems only claim when the data goes to disk: a
    // failure found only at commit() would come after other files of the set were replaced.
    if (!failure && ::fsync(fd_) != 0 && errno != EINVAL && errno != EROFS) failure = writeErrorNumber(errno);
    if (failure) {
        ::unlink(nativeName(pending_).constData());
        ::close(fd_);
        fd_ = -1;
        raiseError(failure, path);
    }
    step();
}

PendingFile::~PendingFile() {
    if (fd_ < 0) return;
    ::unlink(nativeName(pending_).constData());
    ::close(fd_);
}

void PendingFile::putInPlace(bool keepLock) {
    if (fd_ < 0) raiseError(qmerr::PathFileAccess, path_);
    if (renameFile(pending_, target_) != 0) {
        ::unlink(nativeName(pending_).constData());
        ::close(fd_);
        fd_ = -1;
        raiseError(qmerr::PathFileAccess, path_);
    }
    syncFolder(target_);
    if (!keepLock) {
        ::close(fd_);
        fd_ = -1;
    }
    step();
}

void PendingFile::commit() { putInPlace(false); }

void PendingSet::add(const QString& path, const QByteArray& bytes) {
    files_.push_back(std::make_unique<PendingFile>(path, bytes));
}

void PendingSet::add(const QString& path, const QStringList& lines) { add(path, linesText(lines)); }

void PendingSet::add(const QString& path, const std::function<void(const ByteSink&)>& produce) {
    files_.push_back(std::make_unique<PendingFile>(path, produce));
}

void PendingSet::commit() {
    std::vector<std::unique_ptr<PendingFile>> files = std::move(files_);
    if (files.empty()) return;
    if (files.size() == 1) return files.front()->commit();
    // Faults are told by the file the user saved, the main one, never by the set's inner files.
    const QString saved = files.back()->path_;
    // The note names each file as recovery checks it: absolute, in its folder's own spelling. It lies
    // beside the files, or in the program folder when they are spread over folders.
    QByteArray list;
    QString folder;
    for (const auto& f : files) {
        const QString at = canonicalFolder(qfile::FolderOf(f->target_));
        const QString name = qfile::NameOf(f->target_);
        list += nativeName(at + qfile::NameOf(f->pending_)) + '\n' + nativeName(at + name) + '\n';
        folder = folder.isEmpty() || folder == at ? at : canonicalFolder(ProgramFolder());
    }
    // The note stays locked until the set is in place, so that no other start takes it for a
    // killed one.
    std::unique_ptr<PendingFile> note;
    try {
        note = std::make_unique<PendingFile>(folder + NotePrefix + ownTag(), list);
        note->putInPlace(true);
    } catch (const QmError& e) {
        raiseError(e.number(), saved);
    }
    const QByteArray noteName = nativeName(note->target_);
    // From here the note completes the set after a kill. A failure in this process puts the old
    // files back instead, so that the set on disk is the old one whole.
    std::vector<OldFile> old;
    old.reserve(files.size());
    bool failed = false;
    for (const auto& f : files) {
        OldFile o{f->target_};
        if (kindAt(f->target_) != 0) {
            o.kept = f->target_ + PendingMark + ownTag();
            o.fd = openPlain(f->target_);
            if (o.fd >= 0) ::flock(o.fd, LOCK_EX | LOCK_NB);
            if (renameFile(f->target_, o.kept) != 0) {
                if (o.fd >= 0) ::close(o.fd);
                failed = true;
                break;
            }
            step();
        }
        old.push_back(o);
        try {
            f->putInPlace(false);
        } catch (const QmError&) {
            failed = true;
            break;
        }
        old.back().placed = true;
    }
    // Newest first, so that each target gets back the file it had.
    for (auto o = old.rbegin(); failed && o != old.rend(); ++o) {
        if (!o->kept.isEmpty()) renameFile(o->kept, o->target);
        else if (o->placed) ::unlink(nativeName(o->target).constData());
    }
    ::unlink(noteName.constData());
    syncFolder(note->target_);
    ::close(std::exchange(note->fd_, -1));
    for (const OldFile& o : old) {
        if (!failed && !o.kept.isEmpty()) ::unlink(nativeName(o.kept).constData());
        if (o.fd >= 0) ::close(o.fd);
    }
    if (failed) raiseError(qmerr::PathFileAccess, saved);
    step();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    PendingFile(path, bytes).commit();
}

void WriteLines(const QString& path, const QStringList& lines) {
    WriteBytes(path, linesText(lines));
}

LineReader::LineReader(const QString& path) : lines_(ReadLines(path)) {}

QString LineReader::next() {
    if (atEnd()) raiseError(qmerr::PastEndOfFile);
    return lines_[pos_++];
}

} // namespace qtext
