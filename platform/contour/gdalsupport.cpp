// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/contour/gdalsupport.h"

#include "platform/contour/contourdoc.h"

#include <cpl_error.h>
#include <cpl_string.h>
#include <mutex>
#include <ogr_api.h>

namespace contour {

void ensureGdal() {
    static std::once_flag once;
    std::call_once(once, [] { GDALAllRegister(); });
}

void GdalCloser::operator()(void* ds) const {
    if (ds) GDALClose(static_cast<GDALDatasetH>(ds));
}

GdalDataset openGdal(const QString& path, unsigned flags) {
    ensureGdal();
    QuietGdal quiet;
    return GdalDataset(GDALOpenEx(path.toUtf8().constData(), flags, nullptr, nullptr, nullptr));
}

CplOptions::~CplOptions() {
    CSLDestroy(list_);
}

void CplOptions::set(const char* name, const QString& value) {
    list_ = CSLSetNameValue(list_, name, value.toUtf8().constData());
}

QuietGdal::QuietGdal() {
    ensureGdal();
    CPLPushErrorHandler(CPLQuietErrorHandler);
    CPLErrorReset();
}

QuietGdal::~QuietGdal() {
    CPLPopErrorHandler();
}

void raiseGdalFailure(const QString& what) {
    const QString msg = QString::fromUtf8(CPLGetLastErrorMsg());
    raiseCallFailed(msg.isEmpty() ? what : what + QStringLiteral(": ") + msg);
}

} // namespace contour
