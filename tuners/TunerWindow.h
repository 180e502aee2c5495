#pragma once

#include <QColor>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/Checked.h"
#include "core/Matching.h"
#include "tuners/TunerHost.h"
#include "tuners/search/SweepTuneRows.h"
#include "tuners/search/TunerSearch.h"
#include "tuners/search/TunerState.h"

class QLabel;
class QLineEdit;
class QPushButton;
class LabWindow;
class Shape;
class SweepResults;
class TunerWindows;

// What sets one tuner window apart from the others, apart from its banks.
struct TunerLooks {
    TunerKind kind;
    const char* formName;
    const char* caption;
    Network schematic;
    const char* banksHeading;  // Label5
    const char* rateCaption;   // Label17, the operations per second
    const char* opsCaption;    // Label15
    const char* timeCaption;   // Label16
    // For the tooltips: the network from the transmitter to the antenna, and the lamp's
    // colours after the search's red.
    const char* networkTip;
    const char* lampTip;
    // Bank values typed in are offered for the settings file when the window closes; the
    // window without this has a button that saves them.
    bool offersToKeepBanks;
};

// A simulated automatic tuner: antenna values handed over from the main window, two switched
// banks, the TUNE search with its displays and indicator, and the SWEEP button. The banks
// and their fields come from the subclass.
//
// The window is created once and never deleted while the program runs: closing only hides
// it and marks it unloaded, so a search or sweep still on the stack meets a living window
// and sees that it was closed. Showing it again starts from the design-time texts.
class TunerWindow : public QWidget, public TunerSite {
    Q_OBJECT
public:
    TunerWindow(const TunerLooks& looks, TunerHost& host, TunerWindows& all);

    TunerKind kind() const { return looks_.kind; }
    bool isLoaded() const { return loaded_; }

    // Shows the window, loading it first when it is not open, then takes over the main
    // window's frequency, R_f and X_f texts; no R_f and X_f when its last pass failed.
    void Open(const QString& f_MHz, const std::optional<FeedPointTexts>& feed);

    // TUNE. Runs the whole search before it returns; a click while this window's search
    // runs is ignored.
    void Command1_Click();
    // SWEEP: starts a sweep of the main window's network, or stops the running one.
    void Command32_Click();

    // After the search: the caption reads "TUNE" again and the indicator shows the best.
    bool tuneIdle() const;
    // The last TUNE searched to its end, rather than being refused or abandoned.
    bool tuned() const { return tuned_; }
    QColor indicatorColour() const;
    bool searching() const { return runGeneration_ != 0 && runGeneration_ == generation_; }
    const TunerState& tuning() const { return state_; }

    // A whole sweep of this tuner ended: the window compares its searches with every bank
    // setting and offers the results for export.
    void SweepFinished(std::vector<SweepTuneRow> rows, double sweepSeconds);
    // A new sweep starts: the last one's results go, a comparison still running stops.
    void DropSweepResults();

    // The SWEEP button back to idle; `enabled` decides whether a sweep can be started.
    void ResetSweepButton(bool enabled);
    void SetSweepIdleColour();

    // The network code of this window's running sweep, 0 when none; setting it to 0 from
    // anywhere stops that sweep at its next step.
    int16_t sweepCode = 0;

    // The tuning's view of the window; the subclass gives the bank values of a setting.
    AntennaFields Antenna() const override;
    void Show(const TunerDisplay& display) override;
    void Yield() override;
    bool Abandoned() const override { return !searching() || !loaded_; }

protected:
    // TUNE start: the banks as the fields give them, or nothing with the reason in
    // `refusal`.
    virtual std::optional<BankSetup> PrepareRun(std::string& refusal) = 0;
    // Recomputes the derived bank fields (totals or largest values).
    virtual void ShowBankLimits() = 0;
    // Hooks for the HP-CL window's sweep-time average.
    virtual void SweepStarting() {}
    virtual void TuneFinished() {}
    virtual void ResetState() {}

    // Controls placed by the subclasses; text boxes keep their design-time text for the next
    // loading, and those tied to a settings key are filled from the file when shown.
    QLineEdit* AddField(const QString& name, const QRect& geometry, const QString& text,
                        const QColor& back);
    QLabel* AddLabel(const QString& name, const QRect& geometry, const QString& caption,
                     const QColor& back = {});
    void BindSettingsKey(const std::string& key, QLineEdit* field);
    void ShowStatus(const QString& text);
    // A settings file that cannot be read or written: said in the window and on stderr.
    void ReportFileProblem(const std::string& message);

    QLineEdit *Text1, *Text14;
    QPushButton* Command32 = nullptr;

private:
    void BuildCommonControls();
    // "Compare searches" beside TUNE, and the lab it opens.
    void BuildLab(int y);
    // What the found setting's parts lose with the main window's Qs and power, in a few lines
    // below TUNE.
    void BuildLossLine();
    void ShowLosses();
    void SetToolTips();
    void Load();
    // The bank fields from the settings file: when the window is first shown and when it
    // is restored.
    void Form_Resize();
    // The rules of a repaint, applied each time the window is shown.
    void Form_Paint();
    void Form_QueryUnload();
    // The bank texts as loaded or written, to tell the user's edits from them.
    void KeepBankTexts();
    // Asks whether the bank values the user typed in go into their keys of the settings file.
    void OfferToKeepBanks();

    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

    const TunerLooks& looks_;
    TunerHost& host_;
    TunerWindows& all_;

    QLineEdit *Text2, *Text3, *Text10, *Text11, *Text12, *Text13, *Text15;
    QLineEdit *Text16, *Text17, *Text18;
    QLabel* Label19;
    QLabel* statusLine_;
    QLabel* lossLine_;
    SweepResults* sweepResults_;
    LabWindow* lab_;
    QPushButton* Command1;
    Shape* Shape1;

    std::vector<std::pair<QLineEdit*, QString>> designTexts_;
    std::vector<std::pair<std::string, QLineEdit*>> settingsKeys_;
    std::vector<QString> keptBankTexts_;
    // The user typed into a field tied to a settings key since the window was loaded.
    bool banksEdited_ = false;

    // Window state, zero for a newly loaded window.
    bool loaded_ = false;
    // The main window handed over no antenna values and none were typed in since.
    bool antennaMissing_ = false;
    bool tuned_ = false;
    // Counts the loadings; a search belongs to the loading it started in.
    uint32_t generation_ = 0;
    // Loading of the innermost search on the stack, 0 when none.
    uint32_t runGeneration_ = 0;
    TunerState state_;
};
