#pragma once

#include <QMainWindow>
#include <optional>
#include <vector>

#include "analysis/core/AnalysisScene.h"

class AnalysisHost;
class FrequencyPlots;
class QComboBox;
class QLabel;
class QTableWidget;
class SmithChart;

// The analysis window: the Smith chart and the plots over a span the user zooms and pans, the
// matched bandwidth, markers with their values, and pictures and a report to hand on. It
// follows the main window (Follow after each of its passes) and changes nothing there but
// the frequency, on a double click.
class Analysis : public QMainWindow {
    Q_OBJECT
public:
    explicit Analysis(AnalysisHost& host);
    ~Analysis() override;

    // The main window changed: the views follow once the events at hand are done.
    void Follow();

    const AnalysisSpan& span() const { return span_; }
    const AnalysisScene& scene() const { return scene_; }
    std::vector<double> markers() const;
    SmithChart& smithChart() { return *smith_; }
    FrequencyPlots& frequencyPlots() { return *plots_; }

    // The span and markers as the user would set them.
    void ShowSpan(double low_MHz, double high_MHz);
    void ZoomAbout(double f_MHz, double factor);
    void Pan(double share);
    void ShowBand(int index);  // index into AmateurBands(); -1: the whole range

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildMenus();
    QWidget* BuildViews();
    void Refresh();
    void SpanChanged();
    void ShowScene();
    void ShowMarkers();
    void ConnectGestures(class PointerGestures& gestures);
    void PlaceMarker(double f_MHz);
    void MoveMarker(int index, double f_MHz);
    void RemoveMarker(int index);
    void ChooseFrequency(double f_MHz);
    void KeyZoom(double factor);
    void Readout(const QString& text);

    void SavePicture();
    void PrintReport();
    void ExportReport();
    void WriteFile(const QString& chosen, const QByteArray& bytes, const QString& what);

    AnalysisHost& host_;
    AnalysisSpan span_;
    AnalysisScene scene_;
    std::vector<double> markers_;
    // The markers before the last click placed one, for a double click to take it back.
    std::optional<std::vector<double>> beforePlacement_;
    bool followQueued_ = false;

    SmithChart* smith_;
    FrequencyPlots* plots_;
    QComboBox* bands_;
    QLabel* bandwidth_;
    QLabel* readout_;
    QTableWidget* markerTable_;
};
