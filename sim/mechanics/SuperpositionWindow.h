#pragma once
// The superposition window: a check list of sine components with a graph
// of the component being edited above, and the graph of the sum of the
// checked components below. Static: it redraws when an input changes.
#include "sim/framework/SimulationWindow.h"
#include "sim/mechanics/SuperpositionModel.h"

#include <QListWidget>
#include <memory>

class QAction;
class QLabel;
class QSplitter;
class DropDownButton;
class PaintBox;
class ToolbarSpinBox;
class ToolbarLabel;

// A list entry; it owns its component.
class SineListItem : public QListWidgetItem
{
public:
    explicit SineListItem(std::unique_ptr<SineComponent> info);
    const SineComponent &info() const { return *m_info; }

private:
    std::unique_ptr<SineComponent> m_info;
};

class SuperpositionWindow : public SimulationWindow
{
    Q_OBJECT
public:
    explicit SuperpositionWindow(QWidget *parent = nullptr);
    ~SuperpositionWindow() override;

    // "+beats" and "+am" load their example over three periods; any other
    // command only switches the scale to three periods.
    void handlePageCommand(const QString &text) override;
    // The list's rows grow with its font.
    void applyProjectorMode() override;

    // ---- controls
    ToolbarLabel *frequencyLabel() const { return m_frequencyLabel; }
    ToolbarSpinBox *frequencySpinBox() const { return m_frequencySpinBox; }
    ToolbarLabel *amplitudeLabel() const { return m_amplitudeLabel; }
    ToolbarSpinBox *amplitudeSpinBox() const { return m_amplitudeSpinBox; }
    ToolbarLabel *phaseLabel() const { return m_phaseLabel; }
    ToolbarSpinBox *phaseSpinBox() const { return m_phaseSpinBox; }
    QAction *addAction() const { return m_addAction; }
    QAction *clearAction() const { return m_clearAction; }
    DropDownButton *scaleButton() const { return m_scaleButton; }
    QAction *oneCycleAction() const { return m_oneCycleAction; }
    QAction *twoCyclesAction() const { return m_twoCyclesAction; }
    QAction *threeCyclesAction() const { return m_threeCyclesAction; }
    DropDownButton *examplesButton() const { return m_examplesButton; }
    QAction *squareWaveAction() const { return m_squareWaveAction; }
    QAction *triangularWaveAction() const { return m_triangularWaveAction; }
    QAction *beatsAction() const { return m_beatsAction; }
    QAction *modulationAction() const { return m_modulationAction; }

    QSplitter *sumSplitter() const { return m_sumSplitter; }  // between the upper pane and the sum graph
    QSplitter *upperSplitter() const { return m_upperSplitter; }  // the upper pane; its handle is Splitter1
    QListWidget *waveList() const { return m_waveList; }
    QLabel *listHeading() const { return m_listHeading; } // above the list
    PaintBox *wavePicture() const { return m_wavePicture; }
    PaintBox *sumPicture() const { return m_sumPicture; }

    // ---- state
    float frequency() const { return m_frequency; }
    float amplitude() const { return m_amplitude; }
    int phase() const { return m_phase; }
    int scale() const { return m_scale; }
    // The component of list entry `row` (null for no such entry).
    const SineComponent *component(int row) const;
    // The sum caption and curve as last drawn.
    QString sumCaption() const { return m_sumCaption; }
    const SumCurve &lastSum() const { return m_lastSum; }
    QRectF wavePlot() const;
    QRectF sumPlot() const;

    // ---- handlers
    void waveEdited();
    void listButtonClicked(QObject *sender);
    void scaleChosen(QAction *item);
    void exampleChosen(QAction *item);
    void listClicked();
    void listCheckToggled();
    void listKeyPressed(int key);
    void layoutPanes();
    void setListRowHeight();
    void pictureResized();
    void sumPictureResized();

    void drawWave();
    void drawSum();
    void addCurrentWave();
    void clearList();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void loadExample(SumExample example);
    void appendEntry(std::unique_ptr<SineComponent> info);
    void selectEntry(int row);
    std::vector<SumEntry> entries() const;
    float sumUnit() const;
    // The list's width that shows the longest possible formula whole.
    int formulaListWidth() const;

    float m_frequency = 1.0f;
    float m_amplitude = 10.0f;
    int m_phase = 0;
    int m_scale = 1;
    float m_u = 0;  // wave graph unit
    float m_us = 0; // sum graph unit
    bool m_selecting = false; // the program moves the selection
    // The beats and modulation examples carry many cycles over three
    // periods: they are drawn with the finer sampling while shown.
    bool m_fineSum = false;
    QString m_sumCaption;
    SumCurve m_lastSum;

    ToolbarLabel *m_frequencyLabel = nullptr;
    ToolbarSpinBox *m_frequencySpinBox = nullptr;
    ToolbarLabel *m_amplitudeLabel = nullptr;
    ToolbarSpinBox *m_amplitudeSpinBox = nullptr;
    ToolbarLabel *m_phaseLabel = nullptr;
    ToolbarSpinBox *m_phaseSpinBox = nullptr;
    QAction *m_addAction = nullptr;
    QAction *m_clearAction = nullptr;
    DropDownButton *m_scaleButton = nullptr;
    QAction *m_oneCycleAction = nullptr;
    QAction *m_twoCyclesAction = nullptr;
    QAction *m_threeCyclesAction = nullptr;
    DropDownButton *m_examplesButton = nullptr;
    QAction *m_squareWaveAction = nullptr;
    QAction *m_triangularWaveAction = nullptr;
    QAction *m_beatsAction = nullptr;
    QAction *m_modulationAction = nullptr;
    QSplitter *m_sumSplitter = nullptr; // between the upper pane and the sum graph
    QSplitter *m_upperSplitter = nullptr; // the upper pane; its handle is Splitter1
    QLabel *m_listHeading = nullptr;
    QListWidget *m_waveList = nullptr;
    PaintBox *m_wavePicture = nullptr;
    PaintBox *m_sumPicture = nullptr;
};
