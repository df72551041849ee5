#include "sim/sound/GammaAbsorptionWindow.h"

#include "sim/framework/DrawingContext.h"
#include "sim/framework/Hints.h"
#include "sim/framework/IconList.h"
#include "sim/framework/ImageSurface.h"
#include "sim/framework/ReadoutPanel.h"
#include "sim/framework/RoundedRect.h"
#include "sim/framework/ScaleMagnifier.h"
#include "sim/framework/ToolbarItems.h"

#include <QAction>
#include <QToolBar>

namespace {
const Color32 kWhite = 0xFFFFFFFF;
const Color32 kBlack = 0xFF000000;
const Color32 kDarkGrey = 0xFF3F3F3F;
const Color32 kPanelGrey = 0xFFF0F0F0;
const Color32 kRulerYellow = 0xFFFFFF80;
const Color32 kDetectorGreen = 0xFFC0DCC0;
const Color32 kCounterRed = 0xFFFF0000;
const Color32 kCableBlue = 0xFF0000FF;
const Color32 kSignYellow = 0xFFFFFF00;

QString centimetres(float cm)
{
    return QStringLiteral("%1 cm").arg(double(cm), 0, 'f', 1);
}
} // namespace

GammaAbsorptionWindow::GammaAbsorptionWindow(QWidget *parent, GammaAbsorptionModel::GaussSource gauss)
    : SimulationWindow(parent), m_model(std::move(gauss))
{
    setObjectName(QStringLiteral("gammaAbsorptionWindow"));
    setModelTitle(QStringLiteral("Gamma absorption"));

    // ---- toolbar
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    addRunButton(RunButton::Start, QStringLiteral("Start"), QStringLiteral("Start counting"));
    addRunButton(RunButton::Stop, QStringLiteral("Stop"), QStringLiteral("Stop counting"));
    addRunButton(RunButton::Reset, QStringLiteral("Reset"), QStringLiteral("Reset clock and counter"));
    m_toolbar->addSeparator();
    m_thicknessLabel = new ToolbarLabel(m_toolbar, QStringLiteral(" Absorber thickness "));
    m_thicknessSpinBox = new ToolbarSpinBox(m_toolbar, {.min = 0, .max = 10.0, .step = 0.1, .value = 5.0,
                                                        .decimals = 1, .suffix = QStringLiteral(" mm"), .hint = {},
                                                        .width = 70});
    m_thicknessSpinBox->setObjectName(QStringLiteral("thicknessSpinBox"));
    m_thicknessSpinBox->setAccessibleName(QStringLiteral("Absorber thickness"));
    m_thicknessSpinBox->setAccessibleDescription(QStringLiteral("Thickness of the absorber plate, 0 to 10.0 mm"));
    setHint(m_thicknessSpinBox, QStringLiteral("Set the absorber thickness"));
    m_toolbar->addSeparator();
    m_timeOptionsButton = new DropDownButton(m_toolbar, QString(), TimeOptionsIcon, QStringLiteral("Time options"));
    m_timeOptionsButton->addItem(QStringLiteral("X 1"), 1, 1);
    m_timeOptionsButton->addItem(QStringLiteral("X 10"), 1, 10, true);
    m_timeOptionsButton->addItem(QStringLiteral("X 50"), 1, 50);
    m_timeOptionsButton->action()->setObjectName(QStringLiteral("timeOptionsAction"));
    if (QWidget *b = m_timeOptionsButton->button())
        b->setAccessibleName(QStringLiteral("Time options"));
    m_sourceAction = addToolButton(m_toolbar, QStringLiteral("Background count"), SourceIcon,
                                   QStringLiteral("Show /hide the gamma source"), true);
    m_sourceAction->setObjectName(QStringLiteral("sourceAction"));
    m_sourceAction->setChecked(true);

    m_buttonSizes.switchImages = true;
    m_buttonSizes.spinEdit(m_thicknessSpinBox, 100, 70);
    m_buttonSizes.font(m_thicknessLabel);

    connect(m_thicknessSpinBox, &ToolbarSpinBox::valueEdited, this, &GammaAbsorptionWindow::thicknessEdited);
    connect(m_timeOptionsButton, &DropDownButton::itemClicked, this, &GammaAbsorptionWindow::timeOptionChosen);
    connect(m_sourceAction, &QAction::triggered, this, &GammaAbsorptionWindow::sourceToggled);

    // ---- the panel of scroll bars along the bottom, the picture above it
    m_barPanel = new AlignPanel(this);
    m_barPanel->setObjectName(QStringLiteral("barPanel"));
    m_barPanel->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    m_barPanel->setFixedHeight(78);
    AlignPanel::setAlign(m_barPanel, PanelAlign::Bottom);
    const auto bar = [this](const char *name, int min, int max, int position, const QString &hint) {
        auto *b = new ToolbarScrollBar({.orientation = Qt::Horizontal, .min = min, .max = max, .position = position,
                                        .smallStep = 1, .pageStep = 10, .hint = hint},
                                       m_barPanel);
        b->setObjectName(QLatin1String(name));
        b->setFixedHeight(20);
        AlignPanel::setAlign(b, PanelAlign::Top);
        return b;
    };
    m_absorberScrollBar = bar("absorberScrollBar", kAbsorberBarMin, kAbsorberBarMax, m_model.absorberBar(),
                              QStringLiteral("Move the absorber along the ruler"));
    m_absorberScrollBar->setAccessibleName(QStringLiteral("Absorber position"));
    m_detectorScrollBar = bar("detectorScrollBar", kDetectorBarMin, kDetectorBarMax, m_model.detectorBar(),
                              QStringLiteral("Move the detector along the ruler"));
    m_detectorScrollBar->setAccessibleName(QStringLiteral("Detector position"));
    connect(m_absorberScrollBar, &ToolbarScrollBar::scrolled, this, &GammaAbsorptionWindow::absorberScrolled);
    connect(m_detectorScrollBar, &ToolbarScrollBar::scrolled, this, &GammaAbsorptionWindow::detectorScrolled);

    m_picture = new ImageSurface(this);
    m_picture->setObjectName(QStringLiteral("picture"));
    m_picture->setAccessibleName(QStringLiteral("Gamma absorption bench"));
    AlignPanel::setAlign(m_picture, PanelAlign::Client);
    connect(m_picture, &ImageSurface::resized, this, &GammaAbsorptionWindow::pictureResized);

    createClock();
    showControls();
    showBarPositions();
}

GammaAbsorptionWindow::~GammaAbsorptionWindow() = default;

QAction *GammaAbsorptionWindow::timeOption(int multiplier) const
{
    for (QAction *item : m_timeOptionsButton->items())
        if (item->data().toInt() == multiplier)
            return item;
    return nullptr;
}

// ---------------------------------------------------------------- showing the model

void GammaAbsorptionWindow::showControls()
{
    if (m_model.running())
        showRunning();
    else
        showStopped(m_model.resetEnabled());
}

void GammaAbsorptionWindow::showBarPositions()
{
    m_absorberScrollBar->setPosition(m_model.absorberBar());
    m_detectorScrollBar->setPosition(m_model.detectorBar());
    m_absorberScrollBar->setAccessibleDescription(centimetres(m_model.absorberPosition()));
    m_detectorScrollBar->setAccessibleDescription(centimetres(m_model.detectorPosition()));
}

// ---------------------------------------------------------------- handlers

void GammaAbsorptionWindow::runButtonClicked(QObject *sender)
{
    switch (runButtonOf(sender)) {
    case RunButton::Start:
        // The counter shows the new rate from the first tick on.
        m_model.start();
        break;
    case RunButton::Stop:
        m_model.stop();
        break;
    case RunButton::Reset:
        m_model.reset();
        drawBench();
        break;
    case RunButton::None:
        return;
    }
    showControls();
}

void GammaAbsorptionWindow::step(double deltaTime)
{
    // The time options take the place of the animation speed.
    const bool finished = m_model.step(deltaTime);
    drawBench();
    if (finished)
        showControls();
}

void GammaAbsorptionWindow::timeOptionChosen(QAction *item, bool wasChecked)
{
    if (!wasChecked)
        m_model.setMultiplier(item->data().toInt());
}

void GammaAbsorptionWindow::sourceToggled()
{
    m_model.setSourceShown(m_sourceAction->isChecked());
    drawBench();
}

void GammaAbsorptionWindow::thicknessEdited()
{
    if (m_model.setThickness(float(m_thicknessSpinBox->value())))
        drawBench();
}

void GammaAbsorptionWindow::absorberScrolled(int position)
{
    m_model.setAbsorberBar(position);
    showBarPositions();
    drawBench();
}

void GammaAbsorptionWindow::detectorScrolled(int position)
{
    m_model.setDetectorBar(position);
    showBarPositions();
    drawBench();
}

void GammaAbsorptionWindow::pictureResized()
{
    m_picture->fitBitmapToSize();
    m_model.setPictureSize(m_picture->bitmap().width(), m_picture->bitmap().height());
    drawBench();
}

// ---------------------------------------------------------------- drawing

void GammaAbsorptionWindow::drawBench()
{
    RasterImage &b = m_picture->bitmap();
    if (isClosing() || b.isEmpty())
        return;
    const GammaBench bench = m_model.bench();
    const float s = m_model.scale();
    m_picture->beginUpdate();
    b.clear(kWhite);
    {
        DrawingContext dc(b);
        DrawPen pen(kBlack, 1);
        DrawBrush brush(kPanelGrey);
        const DrawFont font(QStringLiteral("Arial"), bench.fontSize);
        dc.setTextRendering(TextRendering::AntiAlias);

        drawRuler(dc, bench);
        drawCounter(dc, bench, pen);
        const QRectF &clock = bench.stopClock;
        drawReadoutPanel(dc, pen, brush, float(clock.x()), float(clock.y()), float(clock.width()),
                         float(clock.height()), stopClockText(m_model.elapsed()), QStringLiteral("s"));
        if (m_model.sourceShown())
            drawSource(dc, bench.source, pen);
        drawGlasses(dc, bench, pen);

        pen = DrawPen(kBlack, 1);
        if (bench.absorberPlate) {
            dc.setSmoothing(Smoothing::None);
            const QRectF &r = *bench.absorberPlate;
            dc.fillRectangle(DrawBrush(kDarkGrey), float(r.x()), float(r.y()), float(r.width()), float(r.height()));
        }
        dc.fillAndDrawRectangle(DrawBrush(kDetectorGreen), pen, bench.detector);

        // The cable from the detector's right side to the counter.
        dc.setSmoothing(Smoothing::HighQuality);
        const float dot = 3.0f * s;
        dc.fillEllipse(DrawBrush(kBlack), float(bench.cableDot.x()) - dot, float(bench.cableDot.y()) - dot, 2 * dot,
                       2 * dot);
        dc.setSmoothing(Smoothing::None);
        dc.drawLines(DrawPen(kCableBlue, 2), bench.cable);

        dc.setTextRendering(TextRendering::AntiAlias);
        brush.color = kBlack;
        dc.drawString(QStringLiteral("counter"), font, bench.counterCaption, brush);
        dc.drawString(QStringLiteral("stop clock"), font, bench.stopClockCaption, brush);
    }
    b.frameRect(0, 0, b.width(), b.height(), kDarkGrey);
    m_picture->endUpdate();
}

void GammaAbsorptionWindow::drawRuler(DrawingContext &dc, const GammaBench &bench)
{
    const DrawPen pen(kBlack, 1);
    const DrawFont font(QStringLiteral("Arial"), 0.8f * bench.fontSize, true);
    const TextFormat topCentre(TextAlign::Center, TextAlign::Near);
    dc.fillAndDrawRectangle(DrawBrush(kRulerYellow), pen, bench.ruler);
    const DrawBrush black(kBlack);
    for (const RulerTick &t : bench.ticks) {
        dc.drawLine(pen, t.x, t.top, t.x, t.bottom);
        if (!t.label.isEmpty())
            dc.drawString(t.label, font, QPointF(t.x, t.labelTop), topCentre, black);
    }
}

void GammaAbsorptionWindow::drawCounter(DrawingContext &dc, const GammaBench &bench, DrawPen &pen)
{
    const QRectF &c = bench.counter;
    const DrawFont font(QStringLiteral("Arial"), 0.22f * float(c.width()), true);
    DrawPath path;
    addRoundedRect(path, float(c.x()), float(c.y()), float(c.width()), float(c.height()), 0.1f * float(c.height()));
    dc.fillPath(DrawBrush(kPanelGrey), path);
    dc.setSmoothing(Smoothing::HighQuality);
    dc.drawPath(pen, path);
    dc.fillAndDrawRectangle(DrawBrush(kWhite), pen, bench.counterWindow);
    dc.drawString(counterText(m_model.counts()), font, bench.counterWindow,
                  TextFormat(TextAlign::Center, TextAlign::Center), DrawBrush(kCounterRed));
}

void GammaAbsorptionWindow::drawSource(DrawingContext &dc, const QRectF &square, DrawPen &pen)
{
    dc.fillAndDrawPolygon(DrawBrush(kDarkGrey), pen, sourcePot(square));
    const QRectF sign = radiationSign(square);
    const float x = float(sign.x()), y = float(sign.y()), d = float(sign.width());
    dc.fillEllipse(DrawBrush(kSignYellow), x, y, d, d);
    dc.setSmoothing(Smoothing::HighQuality);
    dc.drawEllipse(pen, x, y, d, d);
    const DrawBrush black(kBlack);
    for (float start : {0.0f, -120.0f, 120.0f})
        dc.fillPie(black, x, y, d, d, start, -60.0f);
}

void GammaAbsorptionWindow::drawGlasses(DrawingContext &dc, const GammaBench &bench, DrawPen &pen)
{
    const float t = m_model.thickness();

    MagnifierSettings detector;
    detector.stripHeight = 0.4f;
    detector.penColor = kBlack;
    detector.contentBefore = [](DrawingContext &dc, DrawPen &pen, const MagnifierGlass &g) {
        dc.fillAndDrawRectangle(DrawBrush(kDetectorGreen), pen, g.cx, g.y, 0.5f * g.s, 0.25f * g.s);
    };
    detector.contentAfter = [](DrawingContext &dc, DrawPen &pen, const MagnifierGlass &g) {
        pen.color = kCounterRed;
        dc.drawLine(pen, g.cx, g.y, g.cx, g.y + g.s);
    };
    const QRectF &dg = bench.detectorGlass;
    drawScaleMagnifier(dc, pen, float(dg.x()), float(dg.y()), float(dg.width()), m_model.detectorPosition(), detector);

    // One tenth of a bench unit under the glass shows one millimetre of
    // thickness.
    MagnifierSettings absorber;
    absorber.stripHeight = 0.4f;
    absorber.penColor = kDarkGrey;
    absorber.contentBefore = [t](DrawingContext &dc, DrawPen &pen, const MagnifierGlass &g) {
        dc.fillAndDrawRectangle(DrawBrush(kDarkGrey), pen, g.cx, g.y, g.g * t, 0.5f * g.s);
    };
    const QRectF &ag = bench.absorberGlass;
    drawScaleMagnifier(dc, pen, float(ag.x()), float(ag.y()), float(ag.width()), m_model.absorberPosition(), absorber);
}
