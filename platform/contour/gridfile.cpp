// SPDX-License-Identifier: GPL-3.0-or-later
// Grid files as GeoTIFF: one band of 64-bit floats with the nodata value, so every value and the
// blank mark come back bit for bit. The exact limits ride along as metadata, since the geotransform
// (cell edges and size) would only give them back to rounding.
#include "platform/contour/contourgrid.h"
#include "platform/contour/gdalsupport.h"
#include "platform/filenames.h"
#include "platform/qmerror.h"
#include "platform/textfile.h"

#include <cpl_conv.h>
#include <gdal.h>

#include <QFileInfo>
#include <algorithm>
#include <atomic>
#include <cmath>

namespace {

using contour::QuietGdal;

const char* const LimitKeys[4] = {"GRID_XMIN", "GRID_XMAX", "GRID_YMIN", "GRID_YMAX"};

// The geotransform of one axis, for other programs: the cell size and the outer edge of the nodes'
// cells, positive and finite whatever the limits (equal, reversed, tiny or near the end of the
// double range), so the file always opens. Our reader takes the exact limits from the metadata.
struct Axis {
    double low, high, cell; // outer edges and cell size
};

Axis axis(double a, double b, int n) {
    const double lo = std::min(a, b), hi = std::max(a, b);
    double cell = n > 1 ? hi / (n - 1) - lo / (n - 1) : 1.0; // no overflow near the range's ends
    if (!(cell > 0) || !std::isfinite(cell)) cell = 1;
    Axis x{lo - cell / 2, hi + cell / 2, cell};
    if (!std::isfinite(x.low)) x.low = lo;
    if (!std::isfinite(x.high)) x.high = hi;
    return x;
}

bool finiteLimits(const ContourGrid& g) {
    return std::isfinite(g.xMin) && std::isfinite(g.xMax) && std::isfinite(g.yMin) && std::isfinite(g.yMax);
}

// The shortest text that reads back as the same double, the sign of a zero included.
QByteArray limitText(double v) {
    if (v == 0 && std::signbit(v)) return "-0";
    return QByteArray::number(v, 'g', 17);
}

} // namespace

void writeGridFile(const QString& path, const ContourGrid& grid) {
    if (grid.nx < 1 || grid.ny < 1 || grid.z.size() != size_t(grid.nx) * size_t(grid.ny))
        raiseError(qmerr::EngineCallFailed, QStringLiteral("the grid has no nodes"));
    // What the reader would refuse is not written.
    if (qint64(grid.nx) * grid.ny > MaxGridNodes)
        raiseError(qmerr::EngineCallFailed, QStringLiteral("a grid of more than %1 nodes").arg(MaxGridNodes));
    if (!finiteLimits(grid))
        raiseError(qmerr::EngineCallFailed, QStringLiteral("the grid's limits are not numbers"));
    // GDAL writes into memory; the bytes then go to disk through the one file writer, so a failed
    // write never leaves half a grid file.
    static std::atomic<int> serial{0};
    const QByteArray mem = QStringLiteral("/vsimem/qmar_grid_%1.tif").arg(serial++).toUtf8();
    QuietGdal quiet;
    GDALDatasetH ds = GDALCreate(GDALGetDriverByName("GTiff"), mem.constData(), grid.nx, grid.ny, 1,
                                 GDT_Float64, nullptr);
    if (!ds) raiseError(qmerr::EngineCallFailed, QString::fromUtf8(CPLGetLastErrorMsg()));
    // Rows run from the top down, as most programs expect; the reader turns them by this sign.
    const Axis x = axis(grid.xMin, grid.xMax, grid.nx), y = axis(grid.yMin, grid.yMax, grid.ny);
    double gt[6] = {x.low, x.cell, 0, y.high, 0, -y.cell};
    GDALSetGeoTransform(ds, gt);
    const double limits[4] = {grid.xMin, grid.xMax, grid.yMin, grid.yMax};
    for (int k = 0; k < 4; ++k)
        GDALSetMetadataItem(ds, LimitKeys[k], limitText(limits[k]).constData(), nullptr);
    GDALRasterBandH band = GDALGetRasterBand(ds, 1);
    GDALSetRasterNoDataValue(band, grid.nodata);
    // Rasters run from the top row down; ours from the lowest y up.
    bool ok = true;
    for (int r = 0; r < grid.ny && ok; ++r) {
        const double* src = grid.z.data() + size_t(grid.ny - 1 - r) * size_t(grid.nx);
        ok = GDALRasterIO(band, GF_Write, 0, r, grid.nx, 1, const_cast<double*>(src), grid.nx, 1,
                          GDT_Float64, 0, 0) == CE_None;
    }
    CPLErrorReset();
    GDALClose(ds);
    ok = ok && CPLGetLastErrorType() < CE_Failure;
    vsi_l_offset length = 0;
    GByte* buf = VSIGetMemFileBuffer(mem.constData(), &length, TRUE);
    const QByteArray bytes = buf ? QByteArray(reinterpret_cast<const char*>(buf), qsizetype(length)) : QByteArray();
    CPLFree(buf);
    if (!ok || bytes.isEmpty())
        raiseError(
            qmerr::EngineCallFailed,
            QStringLiteral("the grid could not be encoded: %1").arg(QString::fromUtf8(CPLGetLastErrorMsg())));
    qtext::WriteBytes(path, bytes);
}

ContourGrid readGridFile(const QString& path) {
    const QString real = qfile::Resolve(path);
    if (path.isEmpty() || !QFileInfo(real).isFile())
        raiseError(qmerr::EngineCallFailed, QStringLiteral("grid file not found: %1").arg(path));
    const char* const drivers[] = {"GTiff", nullptr};
    QuietGdal quiet;
    const contour::GdalDataset file(GDALOpenEx(real.toUtf8().constData(), GDAL_OF_RASTER | GDAL_OF_READONLY,
                                               drivers, nullptr, nullptr));
    if (!file) raiseError(qmerr::EngineCallFailed, QStringLiteral("not a grid file: %1").arg(path));
    GDALDatasetH ds = file.get();

    ContourGrid g;
    g.nx = GDALGetRasterXSize(ds);
    g.ny = GDALGetRasterYSize(ds);
    double gt[6] = {0, 1, 0, 0, 0, -1};
    GDALGetGeoTransform(ds, gt); // without one, GDAL's default
    const auto damaged = [&](const QString& what) {
        raiseError(qmerr::EngineCallFailed, QStringLiteral("not a grid file: %1: %2").arg(path, what));
    };
    if (GDALGetRasterCount(ds) < 1 || g.nx < 1 || g.ny < 1) damaged(QStringLiteral("no nodes"));
    // The header is checked before anything is allocated: a file of a few bytes may claim any size,
    // and GDAL reads every sample of a pixel (each a band, complex ones two) to give one band's.
    const qint64 samples = GDALDataTypeIsComplex(GDALGetRasterDataType(GDALGetRasterBand(ds, 1))) ? 2 : 1;
    if (qint64(g.nx) * g.ny > MaxGridNodes / GDALGetRasterCount(ds) / samples)
        damaged(QStringLiteral("more than %1 values").arg(MaxGridNodes));
    if (!std::all_of(gt, gt + 6, [](double v) { return std::isfinite(v); }) || gt[2] != 0 || gt[4] != 0 ||
        !(gt[1] > 0) || gt[5] == 0)
        damaged(QStringLiteral("no usable geotransform"));
    const bool topDown = gt[5] < 0;
    const double dx = gt[1], dy = std::abs(gt[5]);
    g.xMin = gt[0] + dx / 2;
    g.xMax = g.xMin + (g.nx - 1) * dx;
    g.yMin = topDown ? gt[3] + gt[5] * g.ny + dy / 2 : gt[3] + dy / 2;
    g.yMax = g.yMin + (g.ny - 1) * dy;
    double* limits[4] = {&g.xMin, &g.xMax, &g.yMin, &g.yMax};
    for (int k = 0; k < 4; ++k) {
        bool ok = false;
        const double v = QByteArray(GDALGetMetadataItem(ds, LimitKeys[k], nullptr)).toDouble(&ok);
        if (ok && std::isfinite(v)) *limits[k] = v;
    }

    if (!finiteLimits(g)) damaged(QStringLiteral("limits beyond the range of numbers"));

    GDALRasterBandH band = GDALGetRasterBand(ds, 1);
    int hasNodata = 0;
    const double nodata = GDALGetRasterNoDataValue(band, &hasNodata);
    if (hasNodata && !std::isnan(nodata)) g.nodata = nodata;
    g.z.resize(size_t(g.nx) * size_t(g.ny));
    for (int r = 0; r < g.ny; ++r) {
        double* dst = g.z.data() + size_t(topDown ? g.ny - 1 - r : r) * size_t(g.nx);
        if (GDALRasterIO(band, GF_Read, 0, r, g.nx, 1, dst, g.nx, 1, GDT_Float64, 0, 0) != CE_None)
            raiseError(qmerr::EngineCallFailed, QStringLiteral("the grid file cannot be read: %1").arg(path));
    }
    // A file from elsewhere may mark blanks with NaN, which no comparison finds: use our mark.
    for (double& v : g.z)
        if (std::isnan(v)) v = g.nodata;
    return g;
}
