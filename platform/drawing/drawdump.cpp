// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drawing/drawdump.h"

#include "platform/drawing/drawmodel.h"

namespace draw {

namespace {

QString quoted(const QString& s) {
    QString out = s;
    out.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    out.replace(QLatin1Char('"'), QLatin1String("\\\""));
    out.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    out.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

QString size(const QImage& image) {
    return image.isNull() ? QStringLiteral("none")
                          : QStringLiteral("%1x%2").arg(image.width()).arg(image.height());
}

QString fill(const Style& s) {
    switch (s.fill) {
    case FillMode::None:
        return QStringLiteral("none");
    case FillMode::Solid:
        return QString::number(s.fillColor);
    case FillMode::Picture:
        break;
    }
    return QStringLiteral("picture:") + size(s.fillPicture);
}

} // namespace

QString dumpObject(const DrawObject& o) {
    QString line = QStringLiteral("%1 %2 frame=%3,%4,%5,%6")
                       .arg(o.id)
                       .arg(kindName(o.kind))
                       .arg(o.x1)
                       .arg(o.y1)
                       .arg(o.x2)
                       .arg(o.y2);
    if (o.angle != 0) line += QStringLiteral(" angle=") + QString::number(o.angle);
    const Style& s = o.style;
    if (o.kind == Polyline || o.kind == Polygon) {
        QStringList pts;
        for (const QPoint& v : o.vertices)
            pts << QStringLiteral("%1,%2").arg(v.x()).arg(v.y());
        line += QStringLiteral(" vertices=") + pts.join(QLatin1Char(';'));
    }
    if (o.kind != Text && o.kind != Bitmap)
        line += QStringLiteral(" line=%1,%2,%3").arg(s.lineStyle).arg(s.lineWidth).arg(s.lineColor);
    if (o.kind != Text && o.kind != Bitmap && o.kind != Line && o.kind != Polyline)
        line += QStringLiteral(" fill=") + fill(s);
    if (o.kind == Text) {
        line += QStringLiteral(" text=") + quoted(o.text);
        line += QStringLiteral(" font=%1,%2,%3,%4")
                    .arg(quoted(s.fontName))
                    .arg(QString::number(s.textHeight))
                    .arg(QString::number(s.textAngle))
                    .arg(s.textAlign);
        if (s.textBold) line += QStringLiteral(",bold");
        if (s.textItalic) line += QStringLiteral(",italic");
        if (s.textUnderline) line += QStringLiteral(",underline");
        if (s.textStrikeout) line += QStringLiteral(",strikeout");
        line += QStringLiteral(" color=%1").arg(s.textColor);
    }
    if (o.kind == Bitmap) line += QStringLiteral(" picture=") + size(o.picture);
    if (!o.tags.isEmpty()) {
        QStringList t;
        for (const auto& [k, v] : o.tags)
            t << k + QLatin1Char('=') + v;
        line += QStringLiteral(" tags={") + t.join(QLatin1Char(';')) + QLatin1Char('}');
    }
    if (o.selected) line += QStringLiteral(" selected");
    if (o.group) line += QStringLiteral(" group=%1").arg(o.group);
    return line;
}

QStringList dumpDrawing(const DrawModel& model) {
    QStringList lines;
    lines.reserve(model.count());
    for (int i = 0; i < model.count(); ++i)
        lines << dumpObject(model.at(i));
    return lines;
}

} // namespace draw
