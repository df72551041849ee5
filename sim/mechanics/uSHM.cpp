#include "sim/mechanics/uSHM.h"

#include "app/uDataMod.h"
#include "sim/framework/Chart.h"
#include "sim/framework/NumberText.h"
#include "sim/framework/PaintBox32.h"
#include "sim/framework/ToolbarItems.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QToolBar>
#include <cmath>

namespace {
const TColor32 kWhite = 0xFFFFFFFF;
const TColor32 kBlack = 0xFF000000;
const TColor32 kMassRed = 0xFFFF0000;
const TColor32 kBorderGrey = 0xFF3F3F3F;
const QPoint kNoCrossHair(-1, -1);
} // namespace

const QString TSHMFrm::PrintTitle = QStringLiteral("Displacement - time graph for damped S.H.M.");

TSHMFrm::TSHMFrm(QWidget *parent) : TSimulationForm(parent)
{
    setObjectName(QStringLiteral("SHMFrm"));

    // ---- toolbar
    AddRunButton(TRunButton::Start, QString(), QStringLiteral("Start"));
    AddRunButton(TRunButton::Stop, QString(), QStringLiteral("Stop"));
    AddRunButton(TRunButton::Reset, QString(), QStringLiteral("Reset to start"));
    Toolbar->addSeparator();
    MassLabel = new TToolbarLabel(Toolbar, QStringLiteral(" Mass (kg) "));
    MassSE = new TSpinEdit(Toolbar, {.Min = 0.1, .Max = 1.0, .Step = 0.1, .Value = 0.5, .Decimals = 1, .Suffix = {},
                                     .Hint = QStringLiteral("Set the mass"), .Width = 55});
    Toolbar->addSeparator();
    StiffLabel = new TToolbarLabel(Toolbar, QStringLiteral(" Stiffness (N/m) "));
    StiffSE = new TSpinEdit(Toolbar, {.Min = 1, .Max = 60, .Step = 1, .Value = 40, .Decimals = 0, .Suffix = {},
                                      .Hint = QStringLiteral("Set the stiffness of the spring"), .Width = 55});
    Toolbar->addSeparator();
    DampLabel = new TToolbarLabel(Toolbar, QStringLiteral(" Damping (kg/s) "));
    DampSE = new TSpinEdit(Toolbar, {.Min = 0.0, .Max = 5.0, .Step = 0.1, .Value = 0.2, .Decimals = 1, .Suffix = {},
                                     .Hint = QStringLiteral("Set the damping"), .Width = 55});

    ButtonSizes.SwitchImages = true;
    ButtonSizes.SpinEdit(MassSE, 70, 55);
    ButtonSizes.SpinEdit(StiffSE, 70, 55);
    ButtonSizes.SpinEdit(DampSE, 70, 55);
    ButtonSizes.Font(MassLabel);
    ButtonSizes.Font(StiffLabel);
    ButtonSizes.Font(DampLabel);

    for (TSpinEdit *edit : {MassSE, StiffSE, DampSE})
        connect(edit, &TSpinEdit::ValueChange, this, &TSHMFrm::MassSEValueChange);

    // ---- the scroll bar and the picture along the left edge, the chart
    // filling the rest
    DisplacementHsb = new TScrollBarEx({.Orientation = Qt::Vertical, .Min = -100, .Max = 100, .Position = -50,
                                        .SmallStep = 1, .PageStep = 1, .Hint = {}},
                                       this);
    DisplacementHsb->setObjectName(QStringLiteral("DisplacementHsb"));
    DisplacementHsb->setFixedWidth(17);
    TAlignPanel::SetAlign(DisplacementHsb, TAlign::Left);
    connect(DisplacementHsb, &TScrollBarEx::Scroll, this, &TSHMFrm::DisplacementHsbScroll);

    Pic = new TPaintBox32(this);
    Pic->setObjectName(QStringLiteral("Pic"));
    Pic->setFixedWidth(80);
    TAlignPanel::SetAlign(Pic, TAlign::Left);
    connect(Pic, &TPaintBox32::Resized, this, &TSHMFrm::picResize);

    Chart = new TChart(this);
    Chart->setObjectName(QStringLiteral("Chart"));
    Series4 = Chart->AddLineSeries(QStringLiteral("Series4"), Qt::red);
    // A dark green marker stands out from the red curve and the cross-hair.
    Series7 = Chart->AddPointSeries(QStringLiteral("Series7"), QColor(0, 128, 0));
    Chart->SetAxisRange(Chart->LeftAxis(), -10, 10);
    Chart->SetAxisAutomatic(Chart->BottomAxis());
    Chart->SetAxisTitle(Chart->LeftAxis(), QStringLiteral("displacement"));
    Chart->SetAxisTitle(Chart->BottomAxis(), QStringLiteral("time (s)"));
    TAlignPanel::SetAlign(Chart, TAlign::Client);
    connect(Chart, &TChart::MouseDown, this, [this](QMouseEvent *) { ChartMouseDown(); });
    connect(Chart, &TChart::MouseMove, this, [this](QMouseEvent *e) { ChartMouseMove(e->position().toPoint()); });
    connect(Chart, &TChart::MouseUp, this, [this](QMouseEvent *) { ChartMouseUp(); });
    connect(Chart, &TChart::AfterDraw, this, &TSHMFrm::ChartAfterDraw);

    CreateClock();
    ShowControls();
    // The chart shows the curve before the first resize recomputes it.
    ShowCurve();
}

TSHMFrm::~TSHMFrm() = default;

// ---------------------------------------------------------------- showing the model

void TSHMFrm::ShowChanges(const TSHMChanges &changes)
{
    if (changes.Inputs)
        ShowInputs();
    if (changes.Curve)
        ShowCurve();
    else if (changes.Marker)
        Chart->SetPoints(Series7, {m_model.Marker()});
    if (changes.Picture)
        DrawOscillator();
    if (changes.Controls)
        ShowControls();
}

void TSHMFrm::ShowCurve()
{
    const TSHMCurve &c = m_model.Curve();
    QList<QPointF> points;
    points.reserve(int(c.X.size()));
    for (size_t i = 0; i < c.X.size(); ++i)
        points.append(QPointF(c.Time[i], c.X[i]));
    Chart->SetPoints(Series4, points);
    Chart->SetPoints(Series7, {m_model.Marker()});
}

void TSHMFrm::ShowControls()
{
    if (m_model.Running())
        ShowRunning();
    else
        ShowStopped(m_model.ResetEnabled());
    DisplacementHsb->setEnabled(m_model.DisplacementEnabled());
    for (TSpinEdit *edit : {MassSE, StiffSE, DampSE})
        edit->setEnabled(m_model.ParametersEnabled());
}

void TSHMFrm::ShowInputs()
{
    // SetValue raises no change event, so nothing reads the edits back
    // half-written.
    MassSE->SetValue(m_model.Mass());
    DampSE->SetValue(m_model.Damping());
    StiffSE->SetValue(m_model.Stiffness());
    DisplacementHsb->SetPosition(int(std::nearbyint(m_model.Amplitude() * -10.0)));
}

// ---------------------------------------------------------------- handlers

void TSHMFrm::StartBtnClick(QObject *sender)
{
    switch (RunButtonOf(sender)) {
    case TRunButton::Start:
        ShowChanges(m_model.Start());
        break;
    case TRunButton::Stop:
        ShowChanges(m_model.Stop());
        break;
    case TRunButton::Reset:
        ShowChanges(m_model.Reset());
        break;
    case TRunButton::None:
        break;
    }
}

void TSHMFrm::Step(double deltaTime)
{
    const TSHMChanges changes = m_model.Tick(Advance(m_model.SampleClock(), deltaTime, 1.0));
    ShowChanges(changes);
    if (changes.Picture)
        ProcessMessages();
}

void TSHMFrm::MassSEValueChange()
{
    ShowChanges(m_model.SetParameters(float(MassSE->Value()), float(StiffSE->Value()), float(DampSE->Value())));
}

void TSHMFrm::DisplacementHsbScroll(int position)
{
    ShowChanges(m_model.SetDisplacementPosition(position));
}

void TSHMFrm::picResize()
{
    m_s = float(Pic->height()) / 24.0f;
    DrawOscillator();
    ShowChanges(m_model.ComputeGraph());
}

void TSHMFrm::SetTimeAxis(float seconds)
{
    ShowChanges(m_model.SetTimeAxis(seconds));
}

void TSHMFrm::HandlePageCommand(const QString &text)
{
    if (text == QLatin1String("+CD"))
        ShowChanges(m_model.LoadCriticalExample());
}

// ---------------------------------------------------------------- cross-hair

void TSHMFrm::SetCrossHair(bool on)
{
    m_crossHairOn = on;
    // Switched off: the one drawn goes too.
    if (!on && m_crossHair != kNoCrossHair) {
        Chart->XorCrossHair(m_crossHair);
        m_crossHair = kNoCrossHair;
    }
}

void TSHMFrm::ChartMouseDown()
{
    m_mouseDown = true;
}

void TSHMFrm::ChartMouseUp()
{
    m_mouseDown = false;
}

void TSHMFrm::ChartMouseMove(const QPoint &position)
{
    if (!m_crossHairOn || m_mouseDown)
        return;
    if (m_crossHair != kNoCrossHair) {
        Chart->XorCrossHair(m_crossHair); // drawn again, it is erased
        m_crossHair = kNoCrossHair;
    }
    if (Chart->PlotRect().contains(position)) {
        Chart->XorCrossHair(position);
        m_crossHair = position;
    }
}

void TSHMFrm::ChartAfterDraw()
{
    // A repaint has drawn over the cross-hair.
    m_crossHair = kNoCrossHair;
}

// ---------------------------------------------------------------- graph

void TSHMFrm::CopyGraph()
{
    Chart->CopyToClipboard();
}

void TSHMFrm::PrintGraph(QPrinter &printer)
{
    PrintChart(printer, Chart, [this](QPainter &p, QRect &r) {
        const int right = r.left() + r.width();
        const int bottom = r.top() + r.height();
        QFont font(PictureFontFamily(QStringLiteral("Arial")));
        font.setPointSize(12);
        p.setFont(font);
        const QFontMetrics big = p.fontMetrics();
        const int h = big.height();
        // Texts are placed by their top edge.
        const int x = (r.left() + right - big.horizontalAdvance(PrintTitle)) / 2;
        p.drawText(x, r.top() - h + big.ascent(), PrintTitle);

        font.setPointSize(10);
        p.setFont(font);
        const int ascent = p.fontMetrics().ascent();
        const QString lines[] = {
            QStringLiteral("Mass = %1 kg").arg(FormatFixed2(m_model.Mass())),
            QStringLiteral("Spring constant = %1 N/m").arg(FormatFixed2(m_model.Stiffness())),
            QStringLiteral("Damping = %1 kg/s").arg(FormatFixed2(m_model.Damping())),
        };
        for (int i = 0; i < 3; ++i)
            p.drawText(r.left(), bottom + (i + 1) * h + ascent, lines[i]);
    });
}

// ---------------------------------------------------------------- picture

void TSHMFrm::DrawOscillator()
{
    if (Closing() || Pic->Bitmap().Empty())
        return;
    TBitmap32 &b = Pic->Bitmap();
    const TOscillatorPicture p = OscillatorPicture(b.Width(), m_s, m_model.Displacement());
    Pic->BeginUpdate();
    b.Clear(kWhite);
    b.Polyline(p.Spring, kBlack);
    b.FillRect(p.MassLeft, p.MassTop, p.MassRight, p.MassBottom, kMassRed);
    b.FrameRect(p.MassLeft, p.MassTop, p.MassRight, p.MassBottom, kBlack);
    b.FrameRect(0, 0, b.Width() - 1, b.Height() - 1, kBorderGrey);
    Pic->EndUpdate();
}
