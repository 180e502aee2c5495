#pragma once

#include <QColor>
#include <QString>
#include <string>

#include <memory>

#include "antenna/AntennaSource.h"
#include "core/Matching.h"
#include "losses/LossQ.h"
#include "tuners/search/TunerSearch.h"

// The main window's R_f and X_f texts, in Ohm as its last pass wrote them, handed over to
// a tuner.
struct FeedPointTexts {
    QString r_Ohm;
    QString x_Ohm;
};

// What the tuner windows and the sweep need from the main window.
class TunerHost {
public:
    virtual ~TunerHost() = default;

    virtual bool impedancePlaneMode() const = 0;
    virtual Network selectedNetwork() const = 0;
    // Writes the main window's frequency field; its change handling recalculates before
    // this returns.
    virtual void SetFrequencyText(const QString& text) = 0;
    // The click on a network's schematic: opens and feeds that tuner window when its
    // network is the selected one.
    virtual void SchematicClicked(TunerKind kind) = 0;
    // The tuning result strip above the sweep diagram: a mark at x, and keeping the old
    // strip in the upper one.
    virtual void MarkTuningStrip(float x, const QColor& color) = 0;
    virtual void RetireTuningStrip() = 0;
    // The antenna's source and inputs, for tuning at frequencies other than the one set; the
    // source may be used on another thread.
    virtual std::shared_ptr<const AntennaSource> sharedAntennaSource() const = 0;
    virtual AntennaInput antennaInput() const = 0;
    // The Qs of the parts and the transmitter's power, for what a tuner's banks lose.
    virtual LossQ lossQ() const = 0;
    virtual double transmitterPower_W() const = 0;
    // A sweep writes the frequency field step by step. The user's frequency is kept when it
    // starts and comes back, recalculated, when it ends or stops; meanwhile the settings file
    // gets the user's frequency, not the sweep's.
    virtual void KeepUserFrequency() = 0;
    virtual void RestoreUserFrequency() = 0;
    // A file problem of a tuner window that is closing, said in the main window.
    virtual void ReportFileProblem(const std::string& message) = 0;
    // The program is being ended from outside: nobody is there to answer a question.
    virtual bool endingSession() const = 0;
};
