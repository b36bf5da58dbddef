// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/pdftools.h"

#include <QProcess>

QString runTool(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString pdfInfo(const QString& pdf, const QString& field) {
    for (const QString& line : runTool(QStringLiteral("pdfinfo"), {pdf}).split(QLatin1Char('\n')))
        if (line.startsWith(field + QLatin1Char(':'))) return line.mid(field.size() + 1).trimmed();
    return {};
}

QString pdfText(const QString& pdf) {
    return runTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
}

QImage pdfPageImage(const QString& pdf, const QString& base, int dpi) {
    runTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"), QStringLiteral("-singlefile"),
             pdf, base});
    return QImage(base + QStringLiteral(".png"));
}
