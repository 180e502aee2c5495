// The analysis window's File menu: a picture of what it shows, and the report on paper or
// as a PDF file.
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>

#include "analysis/Analysis.h"
#include "analysis/AnalysisFiles.h"
#include "analysis/FrequencyPlots.h"
#include "platform/Controls.h"
#include "platform/FileDialogs.h"
#include "platform/TextFile.h"

namespace {

// A picture of any size up to a poster: beyond that the image would take gigabytes.
constexpr int kLargestSide = 10000;

// The size of a PNG picture; none when the user cancels.
std::optional<QSize> AskPictureSize(QWidget* parent, QSize size) {
    QDialog dialog(parent);
    dialog.setObjectName("PictureSize");
    dialog.setWindowTitle("Picture size");
    auto* form = new QFormLayout(&dialog);
    auto spin = [&](const char* name, int value) {
        auto* box = new QSpinBox;
        box->setObjectName(name);
        box->setRange(100, kLargestSide);
        box->setSuffix(" px");
        box->setValue(value);
        return box;
    };
    QSpinBox* width = spin("PictureWidth", size.width());
    QSpinBox* height = spin("PictureHeight", size.height());
    form->addRow("Width:", width);
    form->addRow("Height:", height);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return QSize(width->value(), height->value());
}

}  // namespace

void Analysis::SavePicture() {
    const QString chosen = AskFileName(
        this, {true, "Save picture", "PNG pictures (*.png);;SVG pictures (*.svg)", "analysis.png"});
    if (chosen.isEmpty()) return;
    const bool svg = chosen.endsWith(".svg", Qt::CaseInsensitive);
    QSize size = findChild<QSplitter*>("AnalysisSplitter")->size();
    if (!svg) {
        const std::optional<QSize> asked = AskPictureSize(this, size);
        if (!asked) return;
        size = *asked;
    }
    const PicturePainter paint = WindowPicture(scene_, frequencyPlots());
    const QByteArray bytes = svg ? SvgBytes(size, windowTitle(), paint) : PngBytes(size, 1, paint);
    WriteFile(chosen, bytes, "the picture");
}

void Analysis::PrintReport() {
    QPrinter printer;
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle("Print report");
    if (dialog.exec() != QDialog::Accepted) return;
    printer.setResolution(96);
    PaintReport(printer, MakeReportText(scene_.setup, ReportDate(), scene_.shown), scene_);
}

void Analysis::ExportReport() {
    const QString chosen = AskFileName(
        this, {true, "Export report as PDF", "PDF files (*.pdf)", "analysis-report.pdf"});
    if (chosen.isEmpty()) return;
    WriteFile(chosen, ReportPdf(MakeReportText(scene_.setup, ReportDate(), scene_.shown), scene_),
              "the report");
}

void Analysis::WriteFile(const QString& chosen, const QByteArray& bytes, const QString& what) {
    const std::string path = QFile::encodeName(chosen).toStdString();
    const FileResult written = bytes.isEmpty()
                                   ? FileProblem(path, "the picture is too large to be made")
                                   : WriteFileAtomically(path, bytes.toStdString());
    if (written.ok()) {
        statusBar()->showMessage(QString("Saved %1 to %2").arg(what, chosen), 5000);
        return;
    }
    ReportOnStandardError(written.error);
    QMessageBox::warning(this, windowTitle(),
                         QString("Orvane could not save %1 to %2: %3.")
                             .arg(what, chosen, QString::fromStdString(written.reason)));
}
