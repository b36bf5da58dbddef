// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/textfile.h"

#include "platform/filenames.h"
#include "platform/progfolder.h"
#include "platform/qmerror.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>
#include <cerrno>
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

int pendingCount = 0;

void step() {
    if (saveStepHook()) saveStepHook()();
}

QByteArray nativeName(const QString& path) { return QFile::encodeName(path); }

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

void syncFolder(const QString& path) {
    const int fd = ::open(nativeName(qfile::FolderOf(path)).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Removes a file of no running save: its save held it locked, and the lock went with the process.
void removeUnlocked(const QString& path) {
    const QByteArray native = nativeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) ::unlink(native.constData());
    ::close(fd);
}

// The note of a killed set: its files (pending, target, one a line each) are all on disk, so the
// set is completed in its order. A live set keeps its note locked.
void completeKilledSet(const QString& note) {
    const QByteArray native = nativeName(note);
    const int fd = ::open(native.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        QFile f;
        if (f.open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) {
            const QList<QByteArray> lines = f.readAll().split('\n');
            for (qsizetype i = 0; i + 1 < lines.size(); i += 2)
                if (::access(lines[i].constData(), F_OK) == 0) ::rename(lines[i].constData(), lines[i + 1].constData());
        }
        ::unlink(native.constData());
    }
    ::close(fd);
}

void completeKilledSetsIn(const QString& folder) {
    const QStringList notes = QDir(folder).entryList({NotePrefix + u'*'}, QDir::Files | QDir::Hidden);
    for (const QString& n : notes)
        if (isOwnTag(QStringView(n).mid(NotePrefix.size()))) completeKilledSet(folder + n);
}

// A set's note lies beside its main file: the run file's in the program folder, a drawing's beside
// it. Those are completed before a save beside them can take their pending files for dead ones.
void completeKilledSets(const QString& folder) {
    completeKilledSetsIn(ProgramFolder());
    if (folder != ProgramFolder()) completeKilledSetsIn(folder);
}

// Pending files in folder of the target named name ("" for every target).
void removePending(const QString& folder, const QString& name) {
    const QString pattern = (name.isEmpty() ? QStringLiteral("*") : name) + PendingMark + u'*';
    QString target;
    for (const QString& f : QDir(folder).entryList({pattern}, QDir::Files | QDir::Hidden | QDir::System))
        if (isPendingName(f, &target) && (name.isEmpty() || target == name)) removeUnlocked(folder + f);
}

// A new pending file beside target, locked. A cleaner that took it before the lock has unlinked it:
// then another name.
int openPending(const QString& target, QString& pending) {
    struct stat old {};
    const bool exists = ::stat(nativeName(target).constData(), &old) == 0;
    if (exists && (S_ISDIR(old.st_mode) || ::access(nativeName(target).constData(), W_OK) != 0)) return -1;
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

} // namespace

std::function<void()>& saveStepHook() {
    static std::function<void()> hook;
    return hook;
}

void RemoveLeftovers(const QString& folder) {
    const QString f = folder.endsWith(u'/') ? folder : folder + u'/';
    completeKilledSets(f);
    removePending(f, QString());
}

PendingFile::PendingFile(const QString& path, const QStringList& lines)
    : PendingFile(path, linesText(lines)) {}

PendingFile::PendingFile(const QString& path, const QByteArray& bytes)
    : PendingFile(path, [&bytes](const ByteSink& put) { put(bytes); }) {}

PendingFile::PendingFile(const QString& path, const std::function<void(const ByteSink&)>& produce)
    : path_(path), target_(writeTarget(path)) {
    completeKilledSets(qfile::FolderOf(target_));
    removePending(qfile::FolderOf(target_), qfile::NameOf(target_));
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
    if (::rename(nativeName(pending_).constData(), nativeName(target_).constData()) != 0) {
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
    if (files.size() == 1) return files.front()->commit();
    QByteArray list;
    for (const auto& f : files)
        list += nativeName(f->pending_) + '\n' + nativeName(f->target_) + '\n';
    // The note stays locked until the set is in place, so that no other start takes it for a
    // killed one.
    PendingFile note(qfile::FolderOf(files.back()->target_) + NotePrefix + ownTag(), list);
    note.putInPlace(true);
    const QByteArray noteName = nativeName(note.target_);
    try {
        for (const auto& f : files)
            f->commit();
    } catch (const QmError&) {
        ::unlink(noteName.constData()); // nothing left to complete: what is not in place is gone
        throw;
    }
    ::unlink(noteName.constData());
    ::close(std::exchange(note.fd_, -1));
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
