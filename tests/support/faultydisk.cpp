// SPDX-License-Identifier: GPL-3.0-or-later
#include "faultydisk.h"

#include "platform/textfile.h"

#include <QFile>
#include <csignal>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

FileSizeLimit::FileSizeLimit(qint64 limit) {
    getrlimit(RLIMIT_FSIZE, &previous_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit l = previous_;
    l.rlim_cur = rlim_t(limit);
    setrlimit(RLIMIT_FSIZE, &l);
}

FileSizeLimit::~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousHandler_);
}

SmallDisk::SmallDisk(qint64 bytes) {
    if (!dir_.isValid()) return;
    const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0700";
    mounted_ =
        ::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", 0, options.constData()) == 0;
}

SmallDisk::~SmallDisk() {
    if (mounted_) ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
}

QString SmallDisk::path() const {
    return dir_.path() + QStringLiteral("/");
}

qint64 SmallDisk::freeBytes() const {
    struct statvfs s {};
    if (::statvfs(QFile::encodeName(dir_.path()).constData(), &s) != 0) return 0;
    return qint64(s.f_bavail) * qint64(s.f_frsize);
}

void SmallDisk::fillLeaving(qint64 keep) {
    QFile f(file(QStringLiteral(".filler")));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) return;
    const qint64 take = freeBytes() - keep;
    if (take > 0) f.write(QByteArray(take, 'f'));
}

int KillAtEachStep(const std::function<void()>& save, const std::function<void(int)>& afterKill) {
    for (int k = 1;; ++k) {
        if (const pid_t child = ::fork(); child != 0) {
            int status = 0;
            ::waitpid(child, &status, 0);
            if (!WIFSIGNALED(status)) return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? k - 1 : -1;
            afterKill(k);
            continue;
        }
        int done = 0;
        qtext::saveStepHook() = [&] { (++done == k) && ::raise(SIGKILL); };
        try {
            save();
        } catch (...) {
            ::_exit(2);
        }
        ::_exit(0);
    }
}
