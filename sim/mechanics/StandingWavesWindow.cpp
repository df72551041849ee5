#include "sim/mechanics/StandingWavesWindow.h"

#include "sim/framework/DrawingContext.h"
#include "sim/framework/ImageSurface.h"
#include "sim/framework/ToolbarItems.h"

#include <QToolBar>

namespace {
const Color32 kWhite = 0xFFFFFFFF;
const Color32 kBlack = 0xFF000000;
const Color32 kGridGrey = 0xFFD3D3D3;
const Color32 kBlue = 0xFF0000FF;
const Color32 kRed = 0xFFFF0000;
const Color32 kGreen = 0xFF008000;
const Color32 kBorderGrey = 0xFF3F3F3F;
constexpr int kPhaseBarHeight = 19;

void frequencyDescription(ToolbarSpinBox *box)
{
    box->setAccessibleDescription(QStringLiteral("Frequency, harmonic %1").arg(int(box->value())));
}
} // namespace

StandingWavesWindow::StandingWavesWindow(QWidget *parent) : SimulationWindow(parent)
{
    setObjectName(QStringLiteral("standingWavesWindow"));
    setModelTitle(QStringLiteral("Standing waves"));

    // ---- toolbar (Start and Stop both begin enabled)
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    addRunButton(RunButton::Start, QStringLiteral("Start"));
    addRunButton(RunButton::Stop, QStringLiteral("Stop"));
    m_frequencyLabel = new ToolbarLabel(m_toolbar, QStringLiteral(" Frequency"));
    m_frequencySpinBox = new ToolbarSpinBox(
        m_toolbar, {.min = StandingWavesModel::kMinFrequency, .max = StandingWavesModel::kMaxFrequency, .step = 1,
                    .value = m_model.frequency(), .decimals = 0, .suffix = {},
                    .hint = {}, .width = 40});
    m_frequencySpinBox->setObjectName(QStringLiteral("frequencySpinBox"));
    m_frequencySpinBox->setAccessibleName(QStringLiteral("Frequency"));
    frequencyDescription(m_frequencySpinBox);

    m_buttonSizes.switchImages = true;
    m_buttonSizes.spinEdit(m_frequencySpinBox, 60, 40);
    m_buttonSizes.font(m_frequencyLabel);

    connect(m_frequencySpinBox, &ToolbarSpinBox::valueEdited, this, &StandingWavesWindow::frequencyEdited);

    // ---- the graphs fill the window above the phase scroll bar (like the
    // toolbar's controls, it has no hint)
    m_phaseScrollBar = new ToolbarScrollBar({.orientation = Qt::Horizontal, .min = 0, .max = 360, .position = 0,
                                             .smallStep = 1, .pageStep = 1, .hint = {}, .name = QStringLiteral("Phase")},
                                            this);
    m_phaseScrollBar->setObjectName(QStringLiteral("phaseScrollBar"));
    m_phaseScrollBar->setFixedHeight(kPhaseBarHeight);
    m_phaseScrollBar->setAccessibleName(QStringLiteral("Phase"));
    AlignPanel::setAlign(m_phaseScrollBar, PanelAlign::Bottom);
    connect(m_phaseScrollBar, &ToolbarScrollBar::scrolled, this, &StandingWavesWindow::phaseScrolled);

    m_picture = new ImageSurface(this);
    m_picture->setObjectName(QStringLiteral("picture"));
    m_picture->setAccessibleName(QStringLiteral("Standing wave graphs"));
    AlignPanel::setAlign(m_picture, PanelAlign::Client);
    connect(m_picture, &ImageSurface::resized, this, &StandingWavesWindow::pictureResized);

    createClock();
    describePhase();
}

StandingWavesWindow::~StandingWavesWindow() = default;

// ---------------------------------------------------------------- handlers

void StandingWavesWindow::runButtonClicked(QObject *sender)
{
    switch (runButtonOf(sender)) {
    case RunButton::Start:
        showRunning();
        m_phaseScrollBar->setEnabled(false);
        break;
    case RunButton::Stop:
        showStopped(false);
        m_phaseScrollBar->setEnabled(true);
        m_phaseScrollBar->setPosition(m_model.stoppedPosition());
        describePhase();
        break;
    case RunButton::Reset:
    case RunButton::None:
        break;
    }
}

void StandingWavesWindow::step(double deltaTime)
{
    // The phase turns f times as fast for the f-th harmonic.
    m_model.setPhase(advance(m_model.phase(), deltaTime, m_model.frequency(), 360.0f));
    drawStandingWave();
    processEvents();
}

void StandingWavesWindow::pictureResized()
{
    m_picture->fitBitmapToSize();
    m_unit = StandingWavesModel::unit(m_picture->width(), m_picture->height());
    drawStandingWave();
}

void StandingWavesWindow::phaseScrolled(int position)
{
    m_model.setPhase(float(position));
    describePhase();
    drawStandingWave();
}

void StandingWavesWindow::frequencyEdited()
{
    m_model.setFrequency(int(m_frequencySpinBox->value()));
    frequencyDescription(m_frequencySpinBox);
    if (!isClockRunning())
        drawStandingWave();
}

void StandingWavesWindow::describePhase()
{
    m_phaseScrollBar->setAccessibleDescription(QStringLiteral("Phase, %1 degrees").arg(m_phaseScrollBar->position()));
}

// ---------------------------------------------------------------- picture

void StandingWavesWindow::drawStandingWave()
{
    if (isClosing() || m_picture->bitmap().isEmpty())
        return;
    RasterImage &b = m_picture->bitmap();
    const StandingWavePicture p = m_model.picture(m_unit);
    m_picture->beginUpdate();
    b.clear(kWhite);
    {
        DrawingContext dc(b);
        const DrawPen grid(kGridGrey, 1);
        const DrawPen black(kBlack, 1);
        const DrawBrush text(kBlack);
        const DrawFont font(QStringLiteral("Arial"), 0.2f * m_unit, true);
        const TextFormat bottomLeft(TextAlign::Near, TextAlign::Far);
        const TextFormat bottomRight(TextAlign::Far, TextAlign::Far);
        dc.translate(float(b.width()) / 2.0f, float(b.height()) / 2.0f);
        dc.setTextRendering(TextRendering::AntiAlias);

        auto drawGrid = [&](const QVector<QLineF> &lines) {
            dc.setSmoothing(Smoothing::None);
            for (const QLineF &l : lines)
                dc.drawLine(grid, float(l.x1()), float(l.y1()), float(l.x2()), float(l.y2()));
        };
        auto outline = [&](const QRectF &r) {
            dc.setSmoothing(Smoothing::None);
            dc.drawRectangle(black, float(r.x()), float(r.y()), float(r.width()), float(r.height()));
        };

        // The two travelling waves.
        drawGrid(p.upperGrid);
        dc.setSmoothing(Smoothing::HighQuality);
        dc.drawLines(DrawPen(kBlue, 1), p.rightward);
        dc.drawLines(DrawPen(kRed, 1), p.leftward);
        outline(p.upper);
        dc.drawString(QStringLiteral("Waves moving in opposite directions"), font, p.upper.topLeft(), bottomLeft,
                      text);
        dc.drawString(p.frequencyCaption, font, p.upper.topRight(), bottomRight, text);

        // Their sum.
        drawGrid(p.lowerGrid);
        dc.setSmoothing(Smoothing::HighQuality);
        dc.drawLines(DrawPen(kGreen, 1), p.sum);
        outline(p.lower);
        dc.drawString(QStringLiteral("Combined wave"), font, p.lower.topLeft(), bottomLeft, text);
    }
    b.frameRect(0, 0, b.width(), b.height(), kBorderGrey);
    m_picture->endUpdate();
}
