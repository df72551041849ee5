#pragma once
// The superposition window: a check list of sine components with a graph
// of the component being edited above, and the graph of the sum of the
// checked components below. Static: it redraws when an input changes.
#include "sim/framework/SimulationForm.h"
#include "sim/mechanics/SumWaveModel.h"

#include <QListWidget>
#include <memory>

class QAction;
class QSplitter;
class TDropDownButton;
class TPaintBox32;
class TSpinEdit;
class TToolbarLabel;

// A list entry; it owns its component.
class TSineItem : public QListWidgetItem
{
public:
    explicit TSineItem(std::unique_ptr<TSineInfo> info);
    const TSineInfo &Info() const { return *m_info; }

private:
    std::unique_ptr<TSineInfo> m_info;
};

class TSumWaveFrm : public TSimulationForm
{
    Q_OBJECT
public:
    explicit TSumWaveFrm(QWidget *parent = nullptr);
    ~TSumWaveFrm() override;

    // "+beats" and "+am" load their example over three periods; any other
    // command only switches the scale to three periods.
    void HandlePageCommand(const QString &text) override;

    // ---- controls
    TToolbarLabel *FreqLabel = nullptr;
    TSpinEdit *FreqSE = nullptr;
    TToolbarLabel *AmpLabel = nullptr;
    TSpinEdit *AmpSE = nullptr;
    TToolbarLabel *PhaseLabel = nullptr;
    TSpinEdit *PhaseSE = nullptr;
    QAction *AddBtn = nullptr;
    QAction *DeleteBtn = nullptr;
    TDropDownButton *ScaleBtn = nullptr;
    QAction *n360 = nullptr;
    QAction *n720 = nullptr;
    QAction *n1080 = nullptr;
    TDropDownButton *SeriesBtn = nullptr;
    QAction *SqWave1 = nullptr;
    QAction *TriWave1 = nullptr;
    QAction *Beats1 = nullptr;
    QAction *AM1 = nullptr;

    QSplitter *Splitter2 = nullptr; // between the upper pane and the sum graph
    QSplitter *ALPanel = nullptr;   // the upper pane; its handle is Splitter1
    QListWidget *Listbox = nullptr;
    TPaintBox32 *Pic = nullptr;
    TPaintBox32 *SumPic = nullptr;

    // ---- state
    float Frequency() const { return m_frequency; }
    float Amplitude() const { return m_amplitude; }
    int Phase() const { return m_phase; }
    int Scale() const { return m_scale; }
    // The component of list entry `row` (null for no such entry).
    const TSineInfo *Component(int row) const;
    // The sum caption and curve as last drawn.
    QString SumCaption() const { return m_sumCaption; }
    const TSumCurve &LastSum() const { return m_lastSum; }
    QRectF WavePlot() const;
    QRectF SumPlot() const;

    // ---- handlers
    void FreqSEValueChange();
    void AddBtnClick(QObject *sender);
    void n360Click(QAction *item);
    void SqWave1Click(QAction *item);
    void ListboxClick();
    void ListboxClickCheck();
    void ListboxKeyDown(int key);
    void FormResize();
    void picResize();
    void SumPicResize();

    void DrawWave();
    void DrawSum();
    void AddCurrentWave();
    void ClearList();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void LoadExample(TSumExample example);
    void AppendEntry(std::unique_ptr<TSineInfo> info);
    void SelectEntry(int row);
    std::vector<TSumEntry> Entries() const;
    float SumUnit() const;

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
    TSumCurve m_lastSum;
};
