#pragma once

// Reading the analysis files back as another program would.

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QXmlStreamReader>

// Empty when the SVG file is well-formed XML that draws paths (curves or polylines); else
// what is wrong.
inline QString SvgProblem(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return "cannot read " + path;
    QXmlStreamReader xml(&file);
    int paths = 0;
    bool svg = false;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("svg")) svg = true;
        if (xml.name() == QLatin1String("path") || xml.name() == QLatin1String("polyline")) {
            ++paths;
        }
    }
    if (xml.hasError()) return xml.errorString();
    if (!svg) return "no svg element";
    return paths > 0 ? QString() : "no paths";
}

// What poppler-utils read from a PDF file.
inline QString Poppler(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline int PdfPages(const QString& path) {
    const QRegularExpressionMatch pages =
        QRegularExpression(R"(Pages:\s+(\d+))").match(Poppler("pdfinfo", {path}));
    return pages.hasMatch() ? pages.captured(1).toInt() : 0;
}

// The text, its words joined by single blanks whatever the layout.
inline QString PdfText(const QString& path) {
    return Poppler("pdftotext", {path, "-"}).simplified();
}
