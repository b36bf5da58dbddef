// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/contour/basemap.h"

#include "platform/contour/contourdoc.h"
#include "platform/contour/gdalsupport.h"
#include "platform/drawing/drawcodecs.h"
#include "platform/filenames.h"
#include "platform/qmerror.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <ogr_api.h>

namespace contour {

namespace {

Ring points(OGRGeometryH g) {
    Ring r;
    const int n = OGR_G_GetPointCount(g);
    r.reserve(size_t(n));
    for (int i = 0; i < n; ++i)
        r.emplace_back(OGR_G_GetX(g, i), OGR_G_GetY(g, i));
    return r;
}

void collect(OGRGeometryH g, BaseMapData& out) {
    if (!g) return;
    switch (wkbFlatten(OGR_G_GetGeometryType(g))) {
    case wkbPoint:
        out.points.emplace_back(OGR_G_GetX(g, 0), OGR_G_GetY(g, 0));
        return;
    case wkbLineString:
    case wkbLinearRing:
        if (OGR_G_GetPointCount(g) >= 2) out.lines.push_back(points(g));
        return;
    case wkbPolygon:
        for (int i = 0; i < OGR_G_GetGeometryCount(g); ++i) {
            Ring r = points(OGR_G_GetGeometryRef(g, i));
            if (r.size() >= 3) out.rings.push_back(std::move(r));
        }
        return;
    default:
        // Multi-part geometries and collections: their parts.
        for (int i = 0; i < OGR_G_GetGeometryCount(g); ++i)
            collect(OGR_G_GetGeometryRef(g, i), out);
    }
}

bool readVector(GDALDatasetH ds, BaseMapData& out) {
    for (int l = 0; l < GDALDatasetGetLayerCount(ds); ++l) {
        OGRLayerH layer = GDALDatasetGetLayer(ds, l);
        OGR_L_ResetReading(layer);
        while (OGRFeatureH f = OGR_L_GetNextFeature(layer)) {
            if (OGRGeometryH g = OGR_F_GetGeometryRef(f)) {
                // Arcs and curves as the short straight pieces the drawing can hold.
                OGRGeometryH linear = OGR_G_GetLinearGeometry(g, 0, nullptr);
                collect(linear, out);
                OGR_G_DestroyGeometry(linear);
            }
            OGR_F_Destroy(f);
        }
    }
    return !out.lines.empty() || !out.rings.empty() || !out.points.empty();
}

QImage rasterPicture(GDALDatasetH ds) {
    const int w = GDALGetRasterXSize(ds), h = GDALGetRasterYSize(ds), bands = GDALGetRasterCount(ds);
    if (w <= 0 || h <= 0 || bands <= 0) return {};
    QImage img(w, h, bands >= 4 ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    const int channels = bands >= 4 ? 4 : 3;
    std::vector<uint8_t> plane(size_t(w) * size_t(h));
    for (int c = 0; c < channels; ++c) {
        GDALRasterBandH band = GDALGetRasterBand(ds, bands >= 3 ? c + 1 : 1);
        if (bands >= 3 || c == 0) {
            GDALColorTableH table = GDALGetRasterColorTable(band);
            if (bands < 3 && table) {
                std::vector<int> index(plane.size());
                if (GDALRasterIO(band, GF_Read, 0, 0, w, h, index.data(), w, h, GDT_Int32, 0, 0) != CE_None)
                    return {};
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x) {
                        const GDALColorEntry* e = GDALGetColorEntry(table, index[size_t(y) * w + x]);
                        img.setPixel(x, y, e ? qRgb(e->c1, e->c2, e->c3) : qRgb(255, 255, 255));
                    }
                return img;
            }
            if (GDALGetRasterDataType(band) == GDT_Byte) {
                if (GDALRasterIO(band, GF_Read, 0, 0, w, h, plane.data(), w, h, GDT_Byte, 0, 0) != CE_None)
                    return {};
            } else {
                // Other values stretched over the grey scale.
                std::vector<double> v(plane.size());
                if (GDALRasterIO(band, GF_Read, 0, 0, w, h, v.data(), w, h, GDT_Float64, 0, 0) != CE_None)
                    return {};
                const auto [lo, hi] = std::minmax_element(v.begin(), v.end());
                const double span = *hi - *lo;
                for (size_t i = 0; i < v.size(); ++i)
                    plane[i] = uint8_t(span > 0 ? std::lround((v[i] - *lo) / span * 255) : 128);
            }
        }
        for (int y = 0; y < h; ++y) {
            uint8_t* line = img.scanLine(y);
            for (int x = 0; x < w; ++x)
                line[x * channels + c] = plane[size_t(y) * w + x];
        }
    }
    return img;
}

QRectF extentOf(const BaseMapData& d) {
    double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
    auto take = [&](QPointF p) {
        x0 = std::min(x0, p.x());
        y0 = std::min(y0, p.y());
        x1 = std::max(x1, p.x());
        y1 = std::max(y1, p.y());
    };
    for (const Ring& r : d.lines)
        std::for_each(r.begin(), r.end(), take);
    for (const Ring& r : d.rings)
        std::for_each(r.begin(), r.end(), take);
    std::for_each(d.points.begin(), d.points.end(), take);
    // A drawing with no width or no height gets the other as both, so that it can be fitted.
    double w = x1 - x0, h = y1 - y0;
    if (w <= 0 && h <= 0) w = h = 1;
    if (w <= 0) w = h;
    if (h <= 0) h = w;
    return QRectF((x0 + x1) / 2 - w / 2, (y0 + y1) / 2 - h / 2, w, h);
}

} // namespace

BaseMapData readBaseMap(const QString& path) {
    const QString file = qfile::Resolve(path);
    if (path.isEmpty() || !QFileInfo(file).isFile())
        raiseCallFailed(QStringLiteral("file not found: ") + path);
    BaseMapData out;
    if (GdalDataset vec = openGdal(file, GDAL_OF_VECTOR); vec && readVector(vec.get(), out)) {
        out.extent = extentOf(out);
        if (std::isfinite(out.extent.width()) && std::isfinite(out.extent.height())) return out;
        raiseCallFailed(QStringLiteral("coordinates out of range in ") + path);
    }
    out = BaseMapData{};
    GdalDataset raster = openGdal(file, GDAL_OF_RASTER);
    try {
        out.picture = draw::readImageFile(file);
    } catch (const QmError& e) { // no picture Qt reads: perhaps a raster only GDAL reads
        if (e.number() != qmerr::DamagedFile) throw;
    }
    if (out.picture.isNull() && raster) out.picture = rasterPicture(raster.get());
    if (out.picture.isNull()) raiseCallFailed(QStringLiteral("not a map or picture file: ") + path);
    out.extent = QRectF(0, 0, out.picture.width(), out.picture.height());
    double t[6];
    if (raster && GDALGetGeoTransform(raster.get(), t) == CE_None && t[2] == 0 && t[4] == 0) {
        const double w = std::fabs(t[1]) * out.picture.width(), h = std::fabs(t[5]) * out.picture.height();
        if (w > 0 && h > 0)
            out.extent = QRectF(std::min(t[0], t[0] + t[1] * out.picture.width()),
                                std::min(t[3], t[3] + t[5] * out.picture.height()), w, h);
    }
    return out;
}

} // namespace contour
