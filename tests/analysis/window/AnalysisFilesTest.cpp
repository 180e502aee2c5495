// Pictures and the report from the analysis window's File menu.
#include <gtest/gtest.h>

#include <QProcess>
#include <QSpinBox>
#include <QXmlStreamReader>

#include "analysis/Analysis.h"
#include "platform/FileDialogs.h"
#include "tests/analysis/window/ReadBack.h"
#include "tests/mainwindow/FormAccess.h"
#include "tests/support/OrdinaryUser.h"
#include "tests/support/Pixels.h"

namespace {

void Choose(Analysis& analysis, const QString& text) {
    for (const QMenu* menu : analysis.findChildren<QMenu*>()) {
        if (QAction* action = MenuAction(*menu, text)) {
            action->trigger();
            return;
        }
    }
    ADD_FAILURE() << "no menu entry " << text.toStdString();
}

// Answers the picture size question with this size as soon as it is asked.
void AnswerSize(QSize size) {
    QTimer::singleShot(0, [size] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_TRUE(dialog && dialog->objectName() == "PictureSize");
        dialog->findChild<QSpinBox*>("PictureWidth")->setValue(size.width());
        dialog->findChild<QSpinBox*>("PictureHeight")->setValue(size.height());
        static_cast<QDialog*>(dialog)->accept();
    });
}

}  // namespace

TEST(AnalysisFiles, PicturesOfAnySizeAndTheReportWithEveryNetwork) {
    MainWindow w;
    Analysis& analysis = w.form.ShowAnalysis();
    QCoreApplication::processEvents();
    QString answer;
    SetFileAsker([&answer](const FileQuestion&) { return answer; });

    for (const QSize size : {QSize(640, 480), QSize(2400, 1200)}) {
        answer = w.dir.path() + "/analysis.png";
        AnswerSize(size);
        Choose(analysis, "Save picture...");
        const QImage picture(answer);
        EXPECT_EQ(picture.size(), size);
        EXPECT_GT(ColoursOf(picture).size(), 50u) << "a chart and plots, not an empty page";
    }

    answer = w.dir.path() + "/analysis.svg";
    Choose(analysis, "Save picture...");
    EXPECT_EQ(SvgProblem(answer), "");

    answer = w.dir.path() + "/report.pdf";
    Choose(analysis, "Export report as PDF...");
    EXPECT_EQ(PdfPages(answer), 2);
    const QString text = PdfText(answer);
    for (const char* network : {"HP-CL", "HP-LC", "HP-CLC", "LP-CL", "LP-LC", "LP-CLC"}) {
        EXPECT_TRUE(text.contains(network)) << network;
    }
    EXPECT_TRUE(text.contains("HP-CL matched at 7.100 MHz: SWR <= 2 from 7.0"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("Antenna source: closed-form model of the rod"));

    // A folder that cannot be written: the user is told, and nothing is left there.
    QDir().mkpath(w.dir.path() + "/locked");
    QFile::setPermissions(w.dir.path() + "/locked", QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    answer = w.dir.path() + "/locked/report.pdf";
    AsOrdinaryUser([&] {
        Answerer told(QMessageBox::Ok);
        Choose(analysis, "Export report as PDF...");
        EXPECT_TRUE(told.asked.startsWith("Orvane could not save the report to "))
            << told.asked.toStdString();
        EXPECT_EQ(w.dir.entries("locked"), QStringList());
    });
    SetFileAsker(nullptr);
}
