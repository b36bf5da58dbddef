// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <sys/resource.h>

// Faults of a full disk for writer tests.

// While it lives, no file of this process may grow past limit bytes: a write beyond fails as it does
// on a disk that fills up part way (the signal the system would send is ignored meanwhile).
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 limit);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

// A small tmpfs of its own (needs the right to mount; ok() is false where it cannot be had).
class SmallDisk {
public:
    explicit SmallDisk(qint64 bytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    bool ok() const { return mounted_; }
    QString path() const; // with closing "/"
    QString file(const QString& name) const { return path() + name; }
    qint64 freeBytes() const;
    // Takes all but keep bytes of the free space with a file of its own.
    void fillLeaving(qint64 keep);

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
};

// Runs save in a child process killed after step k = 1, 2, ... of its writes (qtext::saveStepHook), then
// afterKill(k), until a save runs to its end; gives the number of steps, -1 when the save failed.
int KillAtEachStep(const std::function<void()>& save, const std::function<void(int)>& afterKill);
