#pragma once

#include <QImage>
#include <QList>
#include <QMainWindow>
#include <QPointF>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "analysis/AnalysisHost.h"
#include "antenna/AntennaSource.h"
#include "antenna/MeasuredSource.h"
#include "core/Antenna.h"
#include "core/Matching.h"
#include "core/PartStress.h"
#include "losses/Losses.h"
#include "platform/TextFile.h"
#include "tuners/TunerHost.h"

class QAction;
class QButtonGroup;
class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QSettings;
class Analysis;
class NecRunner;
class ConvergedNecRuns;
class MeasuredFileReader;
struct MeasuredFileResult;
class PictureBox;
class StatusLine;
class TunerWindows;
class LossesDialog;
struct ImpedanceViews;
struct SweepDiagramInput;

// The main window: antenna inputs, results, the six matching networks and the diagrams.
// Constructing it runs the whole load sequence; closing it writes the inputs back.
// The controls sit on one design area of fixed size below the menu bar; where the screen
// is too small for it, the window opens smaller and the design scrolls.
class Form1 : public QMainWindow, public TunerHost, public AnalysisHost {
    Q_OBJECT
public:
    // Where the inputs come from and go to.
    enum class SettingsUse {
        File,   // the settings file: made valid at start, read, written back at close
        Given,  // no file is touched: the caller gives the values (pictures for files)
    };

    explicit Form1(SettingsUse use = SettingsUse::File);
    ~Form1() override;

    // Values of the main window's keys as a settings file holds them replace the inputs, and
    // one recalculation follows; a key without a value gives its field the design text.
    void ShowSettingsValues(const std::map<std::string, std::string>& values);

    // The sweep diagram and both impedance-plane views of `network`, drawn as the window
    // draws them at `ratio` device pixels per unit. For a hidden window: a shown one draws
    // at its screen's ratio.
    struct Pictures {
        QImage sweep, fine, coarse;
    };
    Pictures DrawPictures(Network network, qreal ratio);

    // The program is being ended from outside (a signal, the session): writes the inputs
    // back and closes; a write that fails is reported, but nobody is asked.
    void EndSession();

    // The program's own start: the view as the user left it (curve switches, ranges,
    // network, diagram type, efficiency unit, window position), kept again at close. A
    // window built without this starts from the design, whatever an earlier run kept.
    void KeepViewState();

    // Recalculates unless a spin button is held.
    void RecalculateIfIdle();
    // Reads every input, writes every result field and redraws the diagrams.
    void Recalculate();
    void DrawSweepDiagram();

    // Pause of every input change handler and of the spin-button repeat, in seconds.
    float repeatDelay = 0.15f;
    // A run of nec2c that takes longer is ended; a test may shorten it. A converged run of a
    // rod takes a few seconds on an idle machine.
    int necTimeout_ms = 30000;

    // Where the antenna's feed point comes from; the closed-form model until another is set.
    // Setting one recalculates.
    const AntennaSource& antennaSource() const { return *source_; }
    void SetAntennaSource(std::shared_ptr<const AntennaSource> source);

    // The choices of the Antenna menu, also for the command line. A measured file is used
    // as measured unless the bare-rod check is on; NEC-2 runs in the background.
    void UseClosedFormModel();
    void UseNecModel();
    void UseMeasuredAntenna(MeasuredAntenna antenna);
    // Reads the file in the background and uses it when it is read; a fault keeps the
    // source in use and is reported.
    void OpenMeasuredFile(const QString& path);

    // Completed recalculation passes, so that tests can count them.
    int recalculationCount() const { return recalculationCount_; }
    MatchLimits matchLimits() const override { return limits_; }

    // What the analysis window follows (View > Analysis, F8), made and shown on first use; the
    // tuners use the source and inputs too.
    Analysis& ShowAnalysis();
    std::shared_ptr<const AntennaSource> sharedAntennaSource() const override { return source_; }
    AntennaInput antennaInput() const override { return ReadAntennaInput(); }
    void SetFrequencyUndoably(double f_MHz) override;
    void UndoFrequencyChange() override;

    // What the tuner windows use.
    Network selectedNetwork() const override;
    bool impedancePlaneMode() const override;
    void SetFrequencyText(const QString& text) override;
    void SchematicClicked(TunerKind kind) override;
    void MarkTuningStrip(float x, const QColor& color) override;
    void RetireTuningStrip() override;
    LossQ lossQ() const override { return losses_; }
    double transmitterPower_W() const override;

    // The Qs of the parts the user builds with: kept between the program's own starts, and
    // a recalculation follows.
    void SetLossQ(const LossQ& q);
    void KeepUserFrequency() override;
    void RestoreUserFrequency() override;
    void ReportFileProblem(const std::string& message) override;
    bool endingSession() const override { return endingSession_; }

signals:
    // After every pass, also one that ends at a fault, and after a change of network.
    void resultsChanged();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct NetworkControls {
        QRadioButton* option = nullptr;
        PictureBox* picture = nullptr;
        QLabel* cLabel = nullptr;
        QLabel* c2Label = nullptr;
        QLabel* lLabel = nullptr;
        QLineEdit* c = nullptr;
        QLineEdit* c2 = nullptr;
        QLineEdit* l = nullptr;
    };

    void BuildDesignArea();
    void BuildMenuBar();
    void FitToScreen();
    void SetToolTips();
    void BuildInputs();
    void BuildResults();
    void BuildDiagramArea();
    void BuildImpedancePlaneFrame();
    void BuildSelections();
    void BuildNetworkBoxes();

    // The comparison with NEC-2.
    void BuildNecSwitch(QMenu& menu);
    void BuildAnalysisEntry(QMenu& menu);
    void UpdateNecAvailability();
    void NecSwitchToggled(bool on);
    void DrawNecComparison(const SweepDiagramInput& input, const ImpedanceViews& views);
    ConvergedNecRuns& NecRuns();

    // The antenna source: its menu, what the window shows of it.
    enum class AntennaChoice { Model, Nec2, Measured };
    void BuildAntennaMenu();
    void AskMeasuredFile();
    void MeasuredFileRead(const QString& path, const MeasuredFileResult& result);
    void BareRodToggled(bool on);
    void RememberRecentFile(const QString& path);
    void ShowRecentFiles();
    // Follows the rod with the NEC-2 source: a new rod's runs start, its values come later.
    void FollowNecRod(const AntennaInput& input);
    // Title, menu checks and the fields the source does not use.
    void ShowAntennaChoice();
    void ShowSourceNote(double f_MHz);
    // Outside the source's span: the result fields and networks empty.
    void ShowNoAntennaValues();
    void SaveAntennaState(QSettings& store) const;
    void RestoreAntennaState(QSettings& store);

    void SaveViewState() const;
    // The settings file made ready at start, and where a new one went said in the status line.
    void PrepareSettings();
    void LoadMainSettings();
    void FillMainFields(const std::map<std::string, std::string>& values);
    std::map<std::string, QString> MainFieldTexts() const;
    FileResult SaveMainSettings();
    // Whether to close although the inputs could not be saved: yes, no, or saved elsewhere.
    bool MayCloseUnsaved(const FileResult& failure);

    // The File menu.
    void BuildFileMenu();
    void OpenSettings();
    // True when the inputs were saved as a new file.
    bool SaveSettingsAs();
    void ExportSweepData();
    void ExportTouchstone();
    void SavePicture();
    void CopyResults();
    // A file the user asked for could not be written: status line, standard error and a box.
    void ReportFailedSave(const QString& what, const std::string& path, const FileResult& failure);
    // Whether a key pressed in a field goes to the menu rather than to the field: Ctrl+C
    // where the field has no selection, and the menu's other keys.
    bool KeyBelongsToMenu(QObject* watched, const QKeyEvent& key) const;

    // The inputs as a pass reads them from the fields.
    AntennaInput ReadAntennaInput() const;
    MatchLimits ReadMatchLimits() const;
    SweepDiagramInput DiagramInput() const;

    // Part stress of the last pass, per network box; none where a network has no solution
    // or the pass failed.
    void ShowPartStress();
    // What the parts' losses cost in the last pass: the status note of the selected network
    // and a line in each box's tooltip.
    void ShowLosses();

    // The Options menu and its "Losses" dialog.
    void BuildOptionsMenu();
    void OpenLossesDialog();
    void RestoreLossQ(const QSettings& store);
    // A frequency the model was not made for is computed all the same, with a word.
    void ShowModelCoverage(double frequency_MHz);

    // The read-out of the diagrams under the pointer, in the status line.
    void ReadOutSweep(double x);
    void ReadOutImpedance(PictureBox* view, double k, QPointF at);

    // Input fields and spin buttons.
    void ConnectInputHandlers();
    void InputChanged(std::size_t field);
    void MarkerChanged();
    void SpinButtonDown(int button);
    void RepeatSteps(int button);
    void StepOnce(int button);
    std::optional<std::size_t> InputIndex(const QObject* watched) const;
    void Text6_Click();
    void StoreMatchLimit(std::size_t field, double value);

    // The keyboard.
    void ConnectKeyboard();
    // Up, Down and Enter in an input field; false for other keys.
    bool InputKeyPressed(std::size_t field, const QKeyEvent& key);
    void KeyStep(std::size_t field, bool plus);
    // Ctrl+T: the tuner of the selected network, as a click on its schematic opens it.
    void OpenSelectedTuner();

    // Selections and display options.
    void ConnectSelectionHandlers();
    void NetworkOptionClicked(std::size_t index);
    void DiagramTypeClicked();
    void EfficiencyUnitClicked(QRadioButton* option);
    void ApplyEfficiencyUnitCaptions();
    void RangeButtonClicked(std::size_t column);
    void DiagramPressed(double x);
    void DiagramHovered(double x);
    // The diagrams follow their pixel ratio (a screen of another scale): one redraw after
    // all of them have changed.
    void QueueRedraw();

    void ApplyNetworkLabelColours();
    void WriteNetworkResults(const NetworkControls& controls, Network network,
                             const MatchValues& values);

    // Input fields with spin buttons, the frequency markers and their switch.
    QLineEdit *Text1, *Text2, *Text4, *Text8, *Text16, *Text17, *Text29, *Text33, *Text41, *Text43,
        *Text45;
    std::array<QLineEdit*, 11> inputs_{};   // in the order of kInputFields
    std::array<QLineEdit*, 10> markers_{};  // Text18 .. Text27
    QCheckBox* Check6;

    // Antenna results.
    QLineEdit *Text3, *Text5, *Text6, *Text7, *Text9, *Text10, *Text15, *Text42, *Text44;
    QLabel *Label10, *Label88;

    // Matching networks, in the order of kNetworkBoxes.
    std::array<NetworkControls, 6> networks_;
    QButtonGroup* networkGroup_;

    // Diagram type and efficiency unit.
    QRadioButton *Option7, *Option8, *Option12, *Option13;

    // Sweep diagram and its controls.
    PictureBox *Picture1, *Picture9, *Picture10;
    QLineEdit* Text28;
    std::array<QCheckBox*, 10> curveChecks_{};    // Check1 .. Check10, index = number - 1
    std::array<QPushButton*, 9> rangeButtons_{};  // in the order of kCurveColumns

    // Impedance plane.
    QWidget* Frame2;
    PictureBox *Picture5_1, *Picture5_10;

    // Parent of every control, at the design size.
    QWidget* design_;
    bool fittedToScreen_ = false;
    // The window was fitted before its frame was known.
    bool frameEstimated_ = false;
    bool endingSession_ = false;
    bool keepViewState_ = false;

    std::unique_ptr<StatusLine> statusLine_;
    // Shared with a background job that may still hold the one it started with.
    std::shared_ptr<const AntennaSource> source_;
    SettingsUse settingsUse_;
    QAction* necSwitch_ = nullptr;
    // Made on first use, so that a window that never compares starts no process machinery.
    std::unique_ptr<ConvergedNecRuns> necRuns_;
    AntennaChoice antennaChoice_ = AntennaChoice::Model;
    std::optional<MeasuredAntenna> measured_;
    // The rod the NEC-2 source in use was computed for.
    std::optional<std::pair<double, double>> necSourceRod_;
    QAction *modelAction_ = nullptr, *necAction_ = nullptr, *bareRodAction_ = nullptr;
    QMenu* antennaMenu_ = nullptr;
    QList<QAction*> recentActions_;
    QStringList recentFiles_;
    std::unique_ptr<MeasuredFileReader> reader_;
    // The file being read for use; a choice made meanwhile drops it.
    QString pendingRead_;
    // What the NEC-2 source says while it has no values: its progress or its fault.
    QString necState_;
    // The settings file was found or made valid at start-up, so it may be read and rewritten.
    bool settingsReady_ = false;
    // The input texts as last loaded or saved: closing without saving others loses them.
    std::map<std::string, QString> loadedTexts_;
    std::unique_ptr<TunerWindows> tuners_;

    // One flag per spin button, 1 while it is held down; no guarded recalculation then.
    std::array<uint8_t, 22> heldFlags_{};
    // Per spin button, in the order of the held flags: its repeat loop runs, and a further
    // step is due.
    std::array<bool, 22> spinRepeating_{};
    std::array<bool, 22> spinStepDue_{};
    // Per input field: its change pause runs, and the field changed again meanwhile.
    std::array<bool, 11> pausing_{};
    std::array<bool, 11> changedInPause_{};
    // Set by closing: every loop and pause on the stack ends at its next look.
    bool closing_ = false;
    MatchLimits limits_;
    // Set while the inner recalculation of a redraw runs; the matching paths draw then.
    int16_t redrawSuppressed_ = 0;
    bool redrawQueued_ = false;
    // R_f and X_f as the last pass wrote them; none when it failed before. The reactance
    // field may show a capacitance or an inductance since, which no tuner can take.
    std::optional<FeedPointTexts> feedPoint_;
    // The frequency the user had set when the running sweep started.
    std::optional<QString> userFrequency_;
    // The Ptx of the last pass and the stress of each network's parts at it.
    double stressPower_W_ = 0;
    std::array<std::optional<PartStress>, 6> partStress_;
    // The Qs of the parts the user builds with, and what they lose in the last pass; none
    // when it failed before the networks.
    LossQ losses_;
    std::optional<Losses> lastLosses_;
    LossesDialog* lossesDialog_ = nullptr;
    // What each network's schematic shows, before the stress of its parts.
    std::array<QString, 6> schematicTips_;
    QList<QAction*> menuActions_;
    std::unique_ptr<Analysis> analysis_;
    // Frequency texts before and after each change the analysis window made, latest last.
    std::vector<std::pair<QString, QString>> frequencyChanges_;
    QAction* undoFrequency_ = nullptr;
    int recalculationCount_ = 0;
};
