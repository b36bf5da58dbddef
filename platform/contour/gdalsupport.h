// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <gdal.h>
#include <memory>

// Small helpers for calling GDAL: drivers registered once, data sets closed on scope exit, option
// lists, and GDAL's own error printing kept quiet while a failure is turned into our error.
namespace contour {

// Registers GDAL's drivers on first use.
void ensureGdal();

struct GdalCloser {
    void operator()(void* ds) const;
};

class GdalDataset {
public:
    GdalDataset() = default;
    explicit GdalDataset(GDALDatasetH ds) : ds_(ds) {}
    GDALDatasetH get() const { return ds_.get(); }
    explicit operator bool() const { return bool(ds_); }

private:
    std::unique_ptr<void, GdalCloser> ds_;
};

// Opens a file that GDAL reads (flags as GDALOpenEx takes them); an empty handle when it cannot.
GdalDataset openGdal(const QString& path, unsigned flags);

class CplOptions {
public:
    CplOptions() = default;
    CplOptions(const CplOptions&) = delete;
    CplOptions& operator=(const CplOptions&) = delete;
    ~CplOptions();
    void set(const char* name, const QString& value);
    char** list() const { return list_; }

private:
    char** list_ = nullptr;
};

// GDAL reports nothing on stderr while one of these lives; the last message stays readable.
class QuietGdal {
public:
    QuietGdal();
    ~QuietGdal();
    QuietGdal(const QuietGdal&) = delete;
    QuietGdal& operator=(const QuietGdal&) = delete;
};

// Raises 432 with what, and GDAL's last message when it has one.
[[noreturn]] void raiseGdalFailure(const QString& what);

} // namespace contour
