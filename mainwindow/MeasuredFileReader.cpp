#include "mainwindow/MeasuredFileReader.h"

#include <QFile>
#include <QThread>
#include <algorithm>

namespace {

// How often the status line hears how far the reading is.
constexpr int kProgressInterval_ms = 100;

}  // namespace

MeasuredFileReader::MeasuredFileReader() {
    poll_.setInterval(kProgressInterval_ms);
    connect(&poll_, &QTimer::timeout, this,
            [this] { emit progress(job_->path, job_->percent.load()); });
}

MeasuredFileReader::~MeasuredFileReader() {
    // A thread holds only its job and ends when the file is read, which is bounded.
    if (thread_) abandoned_.push_back(thread_);
    for (QThread* thread : abandoned_) {
        thread->disconnect(this);
        thread->wait();
        delete thread;
    }
}

void MeasuredFileReader::Start(const QString& path) {
    if (thread_) {
        QThread* old = thread_;
        old->disconnect(this);
        abandoned_.push_back(old);
        connect(old, &QThread::finished, this, [this, old] {
            abandoned_.erase(std::find(abandoned_.begin(), abandoned_.end(), old));
            old->deleteLater();
        });
        thread_ = nullptr;
    }
    auto job = std::make_shared<Job>();
    job->path = path;
    job_ = job;
    thread_ = QThread::create([job] {
        const std::string path = QFile::encodeName(job->path).toStdString();
        ImpedanceFileRead read =
            ReadImpedanceFile(path, [&job](int percent) { job->percent = percent; });
        // The table is made here too: a million points are no work for the window.
        if (read.file) {
            job->result.antenna = MeasuredFrom(std::move(*read.file), path);
        } else {
            job->result.fault = std::move(read.fault);
        }
    });
    connect(thread_, &QThread::finished, this, &MeasuredFileReader::Finished);
    poll_.start();
    thread_->start();
}

void MeasuredFileReader::Finished() {
    poll_.stop();
    thread_->deleteLater();
    thread_ = nullptr;
    const std::shared_ptr<Job> job = job_;
    emit done(job->path, job->result);
}
