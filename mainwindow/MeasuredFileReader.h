#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <atomic>
#include <memory>
#include <vector>

#include "antenna/MeasuredSource.h"

class QThread;

// A file read for use: its table, or one line saying why there is none.
struct MeasuredFileResult {
    std::optional<MeasuredAntenna> antenna;
    std::string fault;
};

// Reads a measured file on a thread of its own, so that a file of a million points leaves
// the window responsive; tells its progress while it reads. One file at a time: a new one
// replaces the one being read, whose result is dropped.
class MeasuredFileReader : public QObject {
    Q_OBJECT
public:
    MeasuredFileReader();
    ~MeasuredFileReader() override;

    void Start(const QString& path);
    bool reading() const { return thread_ != nullptr; }

signals:
    void progress(const QString& path, int percent);
    void done(const QString& path, const MeasuredFileResult& result);

private:
    void Finished();

    struct Job {
        QString path;
        std::atomic<int> percent{0};
        MeasuredFileResult result;
    };
    std::shared_ptr<Job> job_;
    QThread* thread_ = nullptr;
    // Replaced before they ended: waited for at the end.
    std::vector<QThread*> abandoned_;
    QTimer poll_;
};
