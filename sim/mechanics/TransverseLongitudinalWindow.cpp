#include "sim/mechanics/TransverseLongitudinalWindow.h"

#include "sim/framework/DrawingContext.h"
#include "sim/framework/PaintBox.h"
#include "sim/framework/ToolbarItems.h"

#include <QToolBar>

namespace {
const Color32 kWhite = 0xFFFFFFFF;
const Color32 kBlack = 0xFF000000;
const Color32 kBlue = 0xFF0000FF;
const Color32 kRed = 0xFFFF0000;
const Color32 kBlockGrey = 0xFF7F7F7F;
const Color32 kBorderGrey = 0xFF3F3F3F;
constexpr int kPictureHeight = 191;
constexpr int kPhaseBarHeight = 20;
} // namespace

TransverseLongitudinalWindow::TransverseLongitudinalWindow(QWidget *parent) : SimulationWindow(parent)
{
    setObjectName(QStringLiteral("transverseLongitudinalWindow"));
    setModelTitle(QStringLiteral("Transverse and longitudinal waves"));

    // ---- toolbar
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    addRunButton(RunButton::Start, QStringLiteral("Start"));
    addRunButton(RunButton::Stop, QStringLiteral("Stop"));
    m_toolbar->addSeparator();
    m_amplitudeLabel = new ToolbarLabel(m_toolbar, QStringLiteral(" Amplitude "));
    m_amplitudeScrollBar = new ToolbarScrollBar(
        m_toolbar,
        {.orientation = Qt::Horizontal, .min = 0, .max = TransverseLongitudinalModel::kMaxAmplitudePosition,
         .position = m_model.amplitudePosition(), .smallStep = 1, .pageStep = 1,
         .hint = QStringLiteral("Set the amplitude")},
        QSize(121, 20));
    m_amplitudeScrollBar->setObjectName(QStringLiteral("amplitudeScrollBar"));
    m_amplitudeScrollBar->setAccessibleName(QStringLiteral("Amplitude"));
    m_toolbar->addSeparator();
    m_optionsButton = new DropDownButton(m_toolbar, QStringLiteral("Options"), -1,
                                         QStringLiteral("Select transverse or longitudinal waves"));
    m_transverseAction = m_optionsButton->addItem(QStringLiteral("Transverse"), 1, 0, true);
    m_longitudinalAction = m_optionsButton->addItem(QStringLiteral("Longitudinal"), 1, 1);
    m_markerAction = m_optionsButton->addCheckItem(QStringLiteral("Show marker"));
    m_optionsButton->button()->setAccessibleName(QStringLiteral("Options"));
    m_optionsButton->button()->setAccessibleDescription(
        QStringLiteral("Select transverse or longitudinal waves, and show the marked particle"));

    m_buttonSizes.switchImages = true;
    m_buttonSizes.height(m_amplitudeScrollBar, 25, 20);
    m_buttonSizes.font(m_amplitudeLabel);
    m_buttonSizes.menu(m_optionsButton);

    connect(m_amplitudeScrollBar, &ToolbarScrollBar::scrolled, this,
            &TransverseLongitudinalWindow::amplitudeScrolled);
    connect(m_optionsButton, &DropDownButton::itemClicked, this, [this](QAction *item, bool wasChecked) {
        if (item == m_markerAction)
            markerToggled();
        else
            motionChosen(item, wasChecked);
    });

    // ---- the row at the top, the phase scroll bar under it; the rest of
    // the window stays empty
    m_picture = new PaintBox(this);
    m_picture->setObjectName(QStringLiteral("picture"));
    m_picture->setFixedHeight(kPictureHeight);
    m_picture->setAccessibleName(QStringLiteral("Wave row"));
    AlignPanel::setAlign(m_picture, PanelAlign::Top);
    connect(m_picture, &PaintBox::resized, this, &TransverseLongitudinalWindow::pictureResized);

    m_phaseScrollBar = new ToolbarScrollBar({.orientation = Qt::Horizontal, .min = 0, .max = 360, .position = 0,
                                             .smallStep = 1, .pageStep = 1,
                                             .hint = QStringLiteral("Scroll through the animation")},
                                            this);
    m_phaseScrollBar->setObjectName(QStringLiteral("phaseScrollBar"));
    m_phaseScrollBar->setFixedHeight(kPhaseBarHeight);
    m_phaseScrollBar->setAccessibleName(QStringLiteral("Phase"));
    AlignPanel::setAlign(m_phaseScrollBar, PanelAlign::Top);
    connect(m_phaseScrollBar, &ToolbarScrollBar::scrolled, this, &TransverseLongitudinalWindow::phaseScrolled);

    createClock();
    m_stopAction->setEnabled(false);
    describeAmplitude();
    describePhase();
}

TransverseLongitudinalWindow::~TransverseLongitudinalWindow() = default;

// ---------------------------------------------------------------- handlers

void TransverseLongitudinalWindow::step(double deltaTime)
{
    m_model.setPhase(advance(m_model.phase(), deltaTime, 1.0, 360.0f));
    drawWaveRow();
    if (m_phaseScrollBar->position() != m_model.phasePosition()) {
        m_phaseScrollBar->setPosition(m_model.phasePosition());
        describePhase();
    }
    processEvents();
}

void TransverseLongitudinalWindow::pictureResized()
{
    drawWaveRow();
}

void TransverseLongitudinalWindow::phaseScrolled(int position)
{
    // Also while the animation runs: the next tick goes on from here.
    m_model.setPhase(float(position));
    describePhase();
    drawWaveRow();
}

void TransverseLongitudinalWindow::amplitudeScrolled(int position)
{
    m_model.setAmplitudePosition(position);
    describeAmplitude();
    if (!isClockRunning())
        drawWaveRow();
}

void TransverseLongitudinalWindow::motionChosen(QAction *item, bool wasChecked)
{
    if (wasChecked)
        return;
    const WaveMotion motion = item == m_longitudinalAction ? WaveMotion::Longitudinal : WaveMotion::Transverse;
    if (m_model.setMotion(motion) && !isClockRunning())
        drawWaveRow();
}

void TransverseLongitudinalWindow::markerToggled()
{
    m_model.setMarkerShown(m_markerAction->isChecked());
    if (!isClockRunning())
        drawWaveRow();
}

void TransverseLongitudinalWindow::describeAmplitude()
{
    m_amplitudeScrollBar->setAccessibleDescription(
        QStringLiteral("Amplitude, %1 of %2").arg(m_model.amplitudePosition()).arg(TransverseLongitudinalModel::kMaxAmplitudePosition));
}

void TransverseLongitudinalWindow::describePhase()
{
    m_phaseScrollBar->setAccessibleDescription(QStringLiteral("Phase, %1 degrees").arg(m_model.phasePosition()));
}

// ---------------------------------------------------------------- picture

void TransverseLongitudinalWindow::drawWaveRow()
{
    if (isClosing() || m_picture->bitmap().isEmpty())
        return;
    RasterImage &b = m_picture->bitmap();
    const int w = b.width(), h = b.height();
    m_picture->beginUpdate();
    b.clear(kWhite);
    if (m_model.motion() == WaveMotion::Longitudinal) {
        const LongitudinalRow row = m_model.longitudinalRow(w, h);
        b.fillRect(row.blockLeft, row.top, row.blockRight, row.bottom + 1, kBlockGrey);
        for (int x : row.x)
            b.verticalLine(x, row.top, row.bottom, kBlue);
        if (m_model.markerShown())
            b.verticalLine(row.x[kMarkedParticle], row.top, row.bottom, kRed);
    } else {
        const TransverseRow row = m_model.transverseRow(w, h);
        DrawingContext dc(b);
        dc.setSmoothing(Smoothing::HighQuality);
        dc.drawLines(DrawPen(kBlack, 1), row.centres.data(), int(row.centres.size()));
        const float d = TransverseRow::kDiscDiameter;
        auto disc = [&](const QPointF &c, Color32 colour) {
            dc.fillEllipse(DrawBrush(colour), float(c.x()) - d / 2, float(c.y()) - d / 2, d, d);
        };
        for (const QPointF &c : row.centres)
            disc(c, kBlue);
        if (m_model.markerShown())
            disc(row.centres[kMarkedParticle], kRed);
    }
    b.frameRect(0, 0, w, h, kBorderGrey);
    m_picture->endUpdate();
}
