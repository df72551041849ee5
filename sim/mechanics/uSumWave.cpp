#include "sim/mechanics/uSumWave.h"

#include "app/Hints.h"
#include "app/uDataMod.h"
#include "sim/framework/Bitmap32.h"
#include "sim/framework/DrawingContext.h"
#include "sim/framework/PaintBox32.h"
#include "sim/framework/ToolbarItems.h"

#include <QKeyEvent>
#include <QPainter>
#include "app/SkinSplitter.h"
#include <QToolBar>
#include <cmath>

namespace {

// The frame both graphs share: grid, the curve, the plot's outline, the
// axis numbers with their ticks and the rotated "Displacement" title.
void DrawGraph(TDrawSurface *surface, const QRectF &plot, float unit, const QVector<TAxisNumber> &numbers,
               const std::function<void(DrawingContext &)> &curve)
{
    TBitmap32 &b = surface->Bitmap();
    surface->BeginUpdate();
    b.Clear(0xFFFFFFFF);
    {
        DrawingContext dc(b);
        const float X = float(plot.left()), Y = float(plot.top());
        const float W = float(plot.width()), H = float(plot.height());
        const float g = H / 10.0f;

        TDrawPen grid(0xFFD3D3D3, 1);
        for (int i = 1; i <= 11; ++i) {
            const float x = X + float(i) * W / 12.0f;
            dc.DrawLine(grid, x, Y, x, Y + H);
        }
        for (int i = 1; i <= 9; ++i)
            dc.DrawLine(grid, X, Y + float(i) * g, X + W, Y + float(i) * g);

        curve(dc);

        const TDrawPen black(0xFF000000, 1);
        dc.DrawRectangle(black, X, Y, W, H);

        const TDrawFont font(QStringLiteral("Arial"), 0.4f * unit);
        const TDrawBrush brush(0xFF000000);
        dc.SetTextRendering(TTextRendering::AntiAlias);
        const TTextFormat topCentre(TTextAlign::Center, TTextAlign::Near);
        for (const TAxisNumber &n : numbers) {
            dc.DrawString(n.Text, font, QPointF(n.X, Y + H), topCentre, brush);
            if (n.Tick)
                dc.DrawLine(black, n.X, Y + H - 0.2f * unit, n.X, Y + H);
        }

        // Reads upwards along the left side, centred on the mid-height.
        dc.Translate(X, Y + H / 2.0f);
        dc.Rotate(-90.0f);
        dc.DrawString(QStringLiteral("Displacement"), font, QPointF(0, 0), TTextFormat(TTextAlign::Center, TTextAlign::Far),
                      brush);
        dc.ResetTransform();
    }
    b.FrameRect(0, 0, b.Width(), b.Height(), 0xFF3F3F3F);
    surface->EndUpdate();
}

} // namespace

TSineItem::TSineItem(std::unique_ptr<TSineInfo> info) : m_info(std::move(info))
{
    setText(m_info->FormulaText());
    setFlags(flags() | Qt::ItemIsUserCheckable);
    setCheckState(Qt::Checked);
}

TSumWaveFrm::TSumWaveFrm(QWidget *parent) : TSimulationForm(parent)
{
    setObjectName(QStringLiteral("SumWaveFrm"));

    // ---- toolbar
    Toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    FreqLabel = new TToolbarLabel(Toolbar, QStringLiteral(" Frequency "));
    FreqSE = new TSpinEdit(Toolbar, {.Min = 1.0, .Max = 20.0, .Step = 0.1, .Value = 1.0, .Decimals = 1,
                                     .Suffix = {}, .Hint = QStringLiteral("Set the frequency"), .Width = 55});
    Toolbar->addSeparator();
    AmpLabel = new TToolbarLabel(Toolbar, QStringLiteral(" Amplitude"));
    AmpSE = new TSpinEdit(Toolbar, {.Min = -10.0, .Max = 10.0, .Step = 0.1, .Value = 10.0, .Decimals = 1,
                                    .Suffix = {}, .Hint = QStringLiteral("Set the amplitude"), .Width = 55});
    Toolbar->addSeparator();
    PhaseLabel = new TToolbarLabel(Toolbar, QStringLiteral(" Phase"));
    PhaseSE = new TSpinEdit(Toolbar, {.Min = -360, .Max = 360, .Step = 1, .Value = 0, .Decimals = 0,
                                      .Suffix = {}, .Hint = QStringLiteral("Set the phase"), .Width = 45});
    Toolbar->addSeparator();
    AddBtn = AddToolButton(Toolbar, QStringLiteral("Add"), biAdd,
                           QStringLiteral("Add the current wave to the combined graph"));
    DeleteBtn = AddToolButton(Toolbar, QStringLiteral("Clear"), biClearList,
                              QStringLiteral("Clear all entries in the list"));
    ScaleBtn = new TDropDownButton(Toolbar, QStringLiteral("Scale"), biZoomIn,
                                   QStringLiteral("Set the graph X axis scale"));
    n360 = ScaleBtn->AddItem(QStringLiteral("360 degrees"), 1, 1, true);
    n720 = ScaleBtn->AddItem(QStringLiteral("2 x 360 degrees"), 1, 2);
    n1080 = ScaleBtn->AddItem(QStringLiteral("3 x 360 degrees"), 1, 3);
    SeriesBtn = new TDropDownButton(Toolbar, QStringLiteral("Examples"));
    SqWave1 = SeriesBtn->AddItem(QStringLiteral("Square wave"));
    TriWave1 = SeriesBtn->AddItem(QStringLiteral("Triangular wave"));
    Beats1 = SeriesBtn->AddItem(QStringLiteral("Beats"));
    AM1 = SeriesBtn->AddItem(QStringLiteral("Amplitude modulation"));

    ButtonSizes.SwitchImages = true;
    ButtonSizes.SpinEdit(FreqSE, 75, 55);
    ButtonSizes.SpinEdit(AmpSE, 75, 55);
    ButtonSizes.SpinEdit(PhaseSE, 65, 45);
    ButtonSizes.Font(FreqLabel);
    ButtonSizes.Font(AmpLabel);
    ButtonSizes.Font(PhaseLabel);
    ButtonSizes.Menu(SeriesBtn);
    ButtonSizes.Menu(ScaleBtn, false);

    connect(FreqSE, &TSpinEdit::ValueChange, this, &TSumWaveFrm::FreqSEValueChange);
    connect(AmpSE, &TSpinEdit::ValueChange, this, &TSumWaveFrm::FreqSEValueChange);
    connect(PhaseSE, &TSpinEdit::ValueChange, this, &TSumWaveFrm::FreqSEValueChange);
    connect(AddBtn, &QAction::triggered, this, [this] { AddBtnClick(AddBtn); });
    connect(DeleteBtn, &QAction::triggered, this, [this] { AddBtnClick(DeleteBtn); });
    connect(ScaleBtn, &TDropDownButton::ItemClick, this, [this](QAction *item, bool wasChecked) {
        if (!wasChecked)
            n360Click(item);
    });
    connect(SeriesBtn, &TDropDownButton::ItemClick, this, [this](QAction *item, bool) { SqWave1Click(item); });

    // ---- surfaces: the list and the wave graph above, the sum graph below
    Splitter2 = new TSkinSplitter(Qt::Vertical, this);
    TAlignPanel::SetAlign(Splitter2, TAlign::Client);
    ALPanel = new TSkinSplitter(Qt::Horizontal, Splitter2);
    Listbox = new QListWidget(ALPanel);
    Listbox->setObjectName(QStringLiteral("Listbox"));
    QFont lf(PictureFontFamily(QStringLiteral("Arial")));
    lf.setPixelSize(13);
    lf.setBold(true);
    Listbox->setFont(lf);
    Listbox->setUniformItemSizes(true);
    Listbox->setStyleSheet(QStringLiteral("QListWidget::item { height: 16px; }"));
    Listbox->setSelectionMode(QAbstractItemView::SingleSelection);
    SetHint(Listbox, QStringLiteral("Use the DELETE key to remove an entry"));
    Listbox->installEventFilter(this);
    Pic = new TPaintBox32(ALPanel);
    Pic->setObjectName(QStringLiteral("Pic"));
    ALPanel->setStretchFactor(0, 0);
    ALPanel->setStretchFactor(1, 1);
    ALPanel->setSizes({157, 600});
    SumPic = new TPaintBox32(Splitter2);
    SumPic->setObjectName(QStringLiteral("SumPic"));
    Splitter2->setStretchFactor(0, 0);
    Splitter2->setStretchFactor(1, 1);

    connect(Listbox, &QListWidget::currentRowChanged, this, [this] {
        if (!m_selecting)
            ListboxClick();
    });
    connect(Listbox, &QListWidget::itemChanged, this, [this] { ListboxClickCheck(); });
    connect(Pic, &TPaintBox32::Resized, this, &TSumWaveFrm::picResize);
    connect(SumPic, &TPaintBox32::Resized, this, &TSumWaveFrm::SumPicResize);
    FormResize();
}

TSumWaveFrm::~TSumWaveFrm()
{
    // FormDestroy
    m_closing = true;
    ClearList();
}

// ---------------------------------------------------------------- list

const TSineInfo *TSumWaveFrm::Component(int row) const
{
    const auto *item = dynamic_cast<const TSineItem *>(Listbox->item(row));
    return item ? &item->Info() : nullptr;
}

std::vector<TSumEntry> TSumWaveFrm::Entries() const
{
    std::vector<TSumEntry> entries;
    for (int i = 0; i < Listbox->count(); ++i)
        if (const TSineInfo *info = Component(i))
            entries.push_back({*info, Listbox->item(i)->checkState() == Qt::Checked});
    return entries;
}

void TSumWaveFrm::AppendEntry(std::unique_ptr<TSineInfo> info)
{
    // Checked before it joins the list: no check-toggle notification.
    Listbox->addItem(new TSineItem(std::move(info)));
}

void TSumWaveFrm::AddCurrentWave()
{
    AppendEntry(std::make_unique<TSineInfo>(m_phase, m_frequency, m_amplitude));
}

void TSumWaveFrm::ClearList()
{
    m_selecting = true;
    Listbox->clear(); // deletes the entries and their components
    m_selecting = false;
}

void TSumWaveFrm::SelectEntry(int row)
{
    m_selecting = true;
    Listbox->setCurrentRow(row);
    m_selecting = false;
}

void TSumWaveFrm::ListboxClick()
{
    const TSineInfo *info = Component(Listbox->currentRow());
    if (!info)
        return;
    Toolbar->setUpdatesEnabled(false);
    m_frequency = info->frequency;
    m_phase = info->phase;
    m_amplitude = info->amplitude;
    FreqSE->SetValue(m_frequency);
    AmpSE->SetValue(m_amplitude);
    PhaseSE->SetValue(m_phase);
    Toolbar->setUpdatesEnabled(true);
    DrawWave();
}

void TSumWaveFrm::ListboxClickCheck()
{
    DrawSum();
}

void TSumWaveFrm::ListboxKeyDown(int key)
{
    if (key != Qt::Key_Delete)
        return;
    const int row = Listbox->currentRow();
    if (row < 0 || !Listbox->item(row)->isSelected())
        return;
    m_fineSum = false;
    m_selecting = true;
    delete Listbox->takeItem(row); // frees its component
    m_selecting = false;
    if (Listbox->count() > 0) {
        SelectEntry(std::max(0, row - 1));
        ListboxClick();
    }
    DrawSum();
}

bool TSumWaveFrm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Listbox && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Delete) {
            ListboxKeyDown(key->key());
            return true;
        }
    }
    return TSimulationForm::eventFilter(watched, event);
}

// ---------------------------------------------------------------- toolbar

void TSumWaveFrm::FreqSEValueChange()
{
    m_frequency = float(FreqSE->Value());
    m_amplitude = float(AmpSE->Value());
    m_phase = int(std::trunc(PhaseSE->Value()));
    DrawWave();
}

void TSumWaveFrm::AddBtnClick(QObject *sender)
{
    if (sender == AddBtn)
        AddCurrentWave();
    else if (sender == DeleteBtn)
        ClearList();
    else
        return;
    m_fineSum = false;
    DrawSum();
}

void TSumWaveFrm::n360Click(QAction *item)
{
    const int scale = item ? item->data().toInt() : 0;
    if (scale < 1 || scale > 3 || scale == m_scale)
        return;
    ScaleBtn->Check(item);
    m_scale = scale;
    DrawSum();
}

void TSumWaveFrm::SqWave1Click(QAction *item)
{
    if (item == SqWave1)
        LoadExample(TSumExample::SquareWave);
    else if (item == TriWave1)
        LoadExample(TSumExample::TriangularWave);
    else if (item == Beats1)
        LoadExample(TSumExample::Beats);
    else if (item == AM1)
        LoadExample(TSumExample::AmplitudeModulation);
}

void TSumWaveFrm::LoadExample(TSumExample example)
{
    ClearList();
    for (const TSineInfo &info : ExampleComponents(example))
        AppendEntry(std::make_unique<TSineInfo>(info));
    m_fineSum = example == TSumExample::Beats || example == TSumExample::AmplitudeModulation;
    if (Listbox->count() > 0) {
        SelectEntry(0);
        ListboxClick();
    }
    DrawSum();
}

void TSumWaveFrm::HandlePageCommand(const QString &text)
{
    const bool scaleChanged = m_scale != 3;
    m_scale = 3;
    ScaleBtn->Check(n1080);
    if (text == QLatin1String("+beats"))
        LoadExample(TSumExample::Beats);
    else if (text == QLatin1String("+am"))
        LoadExample(TSumExample::AmplitudeModulation);
    else if (scaleChanged)
        DrawSum(); // so the graph agrees with the checked scale item
}

// ---------------------------------------------------------------- layout

void TSumWaveFrm::resizeEvent(QResizeEvent *event)
{
    TSimulationForm::resizeEvent(event);
    FormResize();
}

void TSumWaveFrm::FormResize()
{
    const int upper = std::max(0, height() / 2 - 10);
    Splitter2->setSizes({upper, std::max(0, height() - upper - Splitter2->handleWidth())});
}

void TSumWaveFrm::picResize()
{
    m_u = 0.1f * float(std::min(Pic->width(), Pic->height()));
    DrawWave();
    // The sum graph's unit follows the wave graph's.
    const float us = SumUnit();
    if (us != m_us)
        SumPicResize();
}

void TSumWaveFrm::SumPicResize()
{
    m_us = SumUnit();
    DrawSum();
}

float TSumWaveFrm::SumUnit() const
{
    // The wave graph's unit, so that both graphs share their lettering; at
    // the default split the lower pane is a little taller than the upper
    // one and the sum graph, with its caption and numbers, fits. Where the
    // splitters leave the lower pane too low, the unit shrinks to fit it.
    const float u = 0.1f * float(std::min(Pic->width(), Pic->height()));
    const float fit = float(SumPic->height()) / 10.5f;
    return std::min(u, fit);
}

QRectF TSumWaveFrm::WavePlot() const
{
    return WavePlotRect(float(Pic->width()), m_u);
}

QRectF TSumWaveFrm::SumPlot() const
{
    return SumPlotRect(float(SumPic->width()), m_us);
}

// ---------------------------------------------------------------- drawing

void TSumWaveFrm::DrawWave()
{
    if (m_closing || Pic->Bitmap().Empty())
        return;
    const QRectF plot = WavePlot();
    const QVector<QPointF> points = WavePoints(plot, m_frequency, m_amplitude, m_phase);
    DrawGraph(Pic, plot, m_u, AxisNumbers(plot, 1), [&](DrawingContext &dc) {
        dc.SetSmoothing(TSmoothing::HighQuality);
        dc.DrawLines(TDrawPen(0xFF0000FF, 1), points);
        dc.SetSmoothing(TSmoothing::None);
    });
}

void TSumWaveFrm::DrawSum()
{
    if (m_closing || SumPic->Bitmap().Empty())
        return;
    const QRectF plot = SumPlot();
    m_lastSum = SumCurve(plot, Entries(), m_scale, m_fineSum ? kFineSumSegments : kSumSegments);
    m_sumCaption = QStringLiteral("Maximum amplitude ") + FormatFixed2(m_lastSum.Total);
    DrawGraph(SumPic, plot, m_us, AxisNumbers(plot, m_scale), [&](DrawingContext &dc) {
        const TDrawPen red(0xFFFF0000, 1);
        if (m_lastSum.Straight) {
            dc.DrawLine(red, m_lastSum.Points[0].x(), m_lastSum.Points[0].y(), m_lastSum.Points[1].x(),
                        m_lastSum.Points[1].y());
        } else {
            dc.SetSmoothing(TSmoothing::HighQuality);
            dc.DrawLines(red, m_lastSum.Points);
            dc.SetSmoothing(TSmoothing::None);
        }
        const TDrawFont font(QStringLiteral("Arial"), 0.4f * m_us);
        dc.SetTextRendering(TTextRendering::AntiAlias);
        dc.DrawString(m_sumCaption, font, plot.topLeft(), TTextFormat(TTextAlign::Near, TTextAlign::Far),
                      TDrawBrush(0xFF000000));
    });
}
