#include "nec/Runner.h"

#include <signal.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <string_view>

#include "nec/Deck.h"
#include "platform/TextFile.h"

namespace {

// Enough rods for going back and forth between a few geometries while a field is spun.
constexpr std::size_t kKeptOutcomes = 64;
// A report of the deck is about 0.4 MB; anything far larger is not one.
constexpr std::uintmax_t kLargestReport = 16 * 1024 * 1024;

QString Fault(const QString& what) {
    return "NEC-2: " + what;
}

}  // namespace

struct NecRunner::Run {
    NecRod rod;
    QTemporaryDir folder;
    // A child of the runner, so that it is reaped even when its run is abandoned.
    QProcess* process = nullptr;

    QString deckPath() const { return folder.filePath("rod.nec"); }
    QString reportPath() const { return folder.filePath("rod.out"); }
};

bool NecAvailable() {
    return !QStandardPaths::findExecutable(kNecPackage).isEmpty();
}

NecRunner::NecRunner(QObject* parent) : QObject(parent) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] {
        Finish({{},
                Fault(QString("nec2c took longer than %1 s and was stopped")
                          .arg(QString::number(timeout_ms_ / 1000.0)))});
    });
}

NecRunner::~NecRunner() {
    Abandon();
    // Killed processes not yet reaped: they end at once, and are not left behind.
    for (QProcess* process : findChildren<QProcess*>()) process->waitForFinished();
}

const NecOutcome* NecRunner::request(const NecRod& rod) {
    if (const NecOutcome* known = Cached(rod)) return known;
    if (run_ && run_->rod == rod) return nullptr;
    Abandon();
    const NecDeck deck = WriteNecDeck(rod.length_m, rod.diameter_mm, rod.segmentDivisor);
    if (!deck.fault.empty()) return Store(rod, {{}, QString::fromStdString(deck.fault)});
    const QString program = QStandardPaths::findExecutable(kNecPackage);
    if (program.isEmpty()) {
        return Unavailable(Fault("nec2c is not installed (Debian package nec2c)"));
    }
    Start(rod, deck.text, program);
    if (run_) return nullptr;
    // Ended at once: no folder or deck, or nec2c could not be started.
    const NecOutcome* known = Cached(rod);
    return known ? known : &unavailable_;
}

const NecOutcome* NecRunner::Cached(const NecRod& rod) const {
    for (const auto& [known, outcome] : outcomes_) {
        if (known == rod) return &outcome;
    }
    return nullptr;
}

const NecOutcome* NecRunner::Store(const NecRod& rod, NecOutcome outcome) {
    if (outcomes_.size() == kKeptOutcomes) outcomes_.pop_front();
    outcomes_.emplace_back(rod, std::move(outcome));
    return &outcomes_.back().second;
}

const NecOutcome* NecRunner::Unavailable(const QString& fault) {
    unavailable_ = {{}, fault};
    return &unavailable_;
}

void NecRunner::Start(const NecRod& rod, const std::string& deck, const QString& program) {
    auto run = std::make_unique<Run>();
    run->rod = rod;
    if (!run->folder.isValid()) {
        Unavailable(Fault("no temporary folder (" + run->folder.errorString() + ")"));
        return;
    }
    QFile deckFile(run->deckPath());
    const qint64 size = static_cast<qint64>(deck.size());
    if (!deckFile.open(QIODevice::WriteOnly) || deckFile.write(deck.data(), size) != size ||
        !deckFile.flush()) {
        Unavailable(Fault("the deck could not be written (" + deckFile.errorString() + ")"));
        return;
    }
    deckFile.close();

    QProcess* process = new QProcess(this);
    run->process = process;
    // A group of its own, so that ending the run ends whatever nec2c (or a wrapper) started.
    process->setChildProcessModifier([] { ::setpgid(0, 0); });
    process->setWorkingDirectory(run->folder.path());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    connect(process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart) return;
        Finish({{}, Fault("nec2c could not be started (" + run_->process->errorString() + ")")});
    });
    connect(process, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        if (status == QProcess::CrashExit) {
            Finish({{}, Fault("nec2c crashed")});
        } else if (code != 0) {
            Finish({{}, Fault(QString("nec2c failed with exit code %1").arg(code))});
        } else {
            Finish(ReadReport());
        }
    });
    const QStringList arguments = {"-i", run->deckPath(), "-o", run->reportPath()};
    run_ = std::move(run);
    timer_.start(timeout_ms_);
    process->start(program, arguments);
}

NecOutcome NecRunner::ReadReport() const {
    // Only a regular file of the run's private folder is read, and never more of it than a
    // report can be: a FIFO there would block, a link could lead to a device without end.
    std::string text;
    const FileResult read = ReadFileBytes(QFile::encodeName(run_->reportPath()).toStdString(), text,
                                          kLargestReport, Links::Refuse);
    if (!read.ok()) {
        return {{},
                Fault("nec2c wrote no report that can be read (" +
                      QString::fromStdString(read.reason) + ")")};
    }
    NecSweep sweep = ReadNecSweep(text);
    return {std::move(sweep.points), QString::fromStdString(sweep.fault)};
}

void NecRunner::Finish(NecOutcome outcome) {
    Store(run_->rod, std::move(outcome));
    Abandon();
    emit finished();
}

void NecRunner::Abandon() {
    timer_.stop();
    if (!run_) return;
    QProcess* process = run_->process;
    process->disconnect(this);
    if (process->state() == QProcess::NotRunning) {
        process->deleteLater();
    } else {
        connect(process, &QProcess::finished, process, &QObject::deleteLater);
        if (const qint64 leader = process->processId(); leader > 0) {
            ::kill(-static_cast<pid_t>(leader), SIGKILL);
        }
        process->kill();
    }
    run_.reset();
}
