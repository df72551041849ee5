#include "sim/mechanics/DampedOscillatorWindow.h"

#include "sim/framework/IconLibrary.h"
#include "core/AnimationClock.h"
#include "core/SimulationKind.h"
#include "sim/framework/Chart.h"
#include "sim/framework/ChartCrossHair.h"
#include "core/NumberText.h"
#include "sim/framework/DrawingSurface.h"
#include "sim/framework/PaintBox.h"
#include "sim/framework/ToolbarItems.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QToolBar>
#include <algorithm>
#include <cmath>

namespace {
const Color32 kWhite = 0xFFFFFFFF;
const Color32 kBlack = 0xFF000000;
const Color32 kMassRed = 0xFFFF0000;
const Color32 kBorderGrey = 0xFF3F3F3F;
} // namespace

const QString DampedOscillatorWindow::printTitle = QStringLiteral("Displacement - time graph for damped S.H.M.");

DampedOscillatorWindow::DampedOscillatorWindow(QWidget *parent) : SimulationWindow(parent)
{
    setObjectName(QStringLiteral("dampedOscillatorWindow"));
    setModelTitle(QStringLiteral("Damped oscillator"));

    // ---- toolbar
    addRunButton(RunButton::Start, QString(), QStringLiteral("Start"));
    addRunButton(RunButton::Stop, QString(), QStringLiteral("Stop"));
    addRunButton(RunButton::Reset, QString(), QStringLiteral("Reset to start"));
    m_toolbar->addSeparator();
    m_massLabel = new ToolbarLabel(m_toolbar, QStringLiteral(" Mass (kg) "));
    m_massSpinBox = new ToolbarSpinBox(m_toolbar, {.min = 0.1, .max = 1.0, .step = 0.1, .value = 0.5, .decimals = 1, .suffix = {},
                                     .hint = QStringLiteral("Set the mass"), .width = 55});
    m_toolbar->addSeparator();
    m_stiffnessLabel = new ToolbarLabel(m_toolbar, QStringLiteral(" Stiffness (N/m) "));
    m_stiffnessSpinBox = new ToolbarSpinBox(m_toolbar, {.min = 1, .max = 60, .step = 1, .value = 40, .decimals = 0, .suffix = {},
                                      .hint = QStringLiteral("Set the stiffness of the spring"), .width = 55});
    m_toolbar->addSeparator();
    m_dampingLabel = new ToolbarLabel(m_toolbar, QStringLiteral(" Damping (kg/s) "));
    m_dampingSpinBox = new ToolbarSpinBox(m_toolbar, {.min = 0.0, .max = 5.0, .step = 0.1, .value = 0.2, .decimals = 1, .suffix = {},
                                     .hint = QStringLiteral("Set the damping"), .width = 55});

    m_buttonSizes.switchImages = true;
    m_buttonSizes.spinEdit(m_massSpinBox, 70, 55);
    m_buttonSizes.spinEdit(m_stiffnessSpinBox, 70, 55);
    m_buttonSizes.spinEdit(m_dampingSpinBox, 70, 55);
    m_buttonSizes.font(m_massLabel);
    m_buttonSizes.font(m_stiffnessLabel);
    m_buttonSizes.font(m_dampingLabel);

    for (ToolbarSpinBox *edit : {m_massSpinBox, m_stiffnessSpinBox, m_dampingSpinBox})
        connect(edit, &ToolbarSpinBox::valueEdited, this, &DampedOscillatorWindow::parametersEdited);

    // ---- the scroll bar and the picture along the left edge, the chart
    // filling the rest
    m_displacementScrollBar = new ToolbarScrollBar({.orientation = Qt::Vertical, .min = -100, .max = 100, .position = -50,
                                        .smallStep = 1, .pageStep = 1, .hint = {}, .name = QStringLiteral("Starting displacement")},
                                       this);
    m_displacementScrollBar->setObjectName(QStringLiteral("displacementScrollBar"));
    m_displacementScrollBar->setFixedWidth(17);
    AlignPanel::setAlign(m_displacementScrollBar, PanelAlign::Left);
    connect(m_displacementScrollBar, &ToolbarScrollBar::scrolled, this, &DampedOscillatorWindow::displacementScrolled);

    m_picture = new PaintBox(this);
    m_picture->setObjectName(QStringLiteral("picture"));
    m_picture->setFixedWidth(80);
    AlignPanel::setAlign(m_picture, PanelAlign::Left);
    connect(m_picture, &PaintBox::resized, this, &DampedOscillatorWindow::pictureResized);

    m_chart = new Chart(this);
    m_chart->setObjectName(QStringLiteral("chart"));
    m_curveSeries = m_chart->addLineSeries(QStringLiteral("Series4"), Qt::red);
    // A dark green marker stands out from the red curve and the cross-hair.
    m_markerSeries = m_chart->addPointSeries(QStringLiteral("Series7"), QColor(0, 128, 0));
    m_chart->setAxisRange(m_chart->leftAxis(), -10, 10);
    m_chart->setAxisAutomatic(m_chart->bottomAxis());
    m_chart->setAxisTitle(m_chart->leftAxis(), QStringLiteral("displacement"));
    m_chart->setAxisTitle(m_chart->bottomAxis(), QStringLiteral("time (s)"));
    AlignPanel::setAlign(m_chart, PanelAlign::Client);
    m_crossHair = new ChartCrossHair(m_chart);
    m_crossHair->setQuantities(QStringLiteral("time"), QStringLiteral("s"), QStringLiteral("displacement"),
                               QStringLiteral("units"));

    createClock();
    fitTickInterval();
    showControls();
    // The chart shows the curve before the first resize recomputes it.
    showCurve();
}

DampedOscillatorWindow::~DampedOscillatorWindow() = default;

std::vector<DataSeries> DampedOscillatorWindow::exportData() const
{
    return {{QStringLiteral("time (s)"), QStringLiteral("displacement (units)"), m_curveSeries->points()}};
}

// ---------------------------------------------------------------- showing the model

void DampedOscillatorWindow::showChanges(const OscillatorChanges &changes)
{
    if (changes.inputs)
        showInputs();
    if (changes.curve)
        showCurve();
    else if (changes.marker)
        m_chart->setPoints(m_markerSeries, {m_model.marker()});
    if (changes.picture)
        drawOscillator();
    if (changes.controls)
        showControls();
}

void DampedOscillatorWindow::showCurve()
{
    const DisplacementCurve &c = m_model.curve();
    QList<QPointF> points;
    points.reserve(int(c.x.size()));
    for (size_t i = 0; i < c.x.size(); ++i)
        points.append(QPointF(c.time[i], c.x[i]));
    m_chart->setPoints(m_curveSeries, points);
    m_chart->setPoints(m_markerSeries, {m_model.marker()});
}

void DampedOscillatorWindow::showControls()
{
    if (m_model.isRunning())
        showRunning();
    else
        showStopped(m_model.resetEnabled());
    m_displacementScrollBar->setEnabled(m_model.displacementEnabled());
    for (ToolbarSpinBox *edit : {m_massSpinBox, m_stiffnessSpinBox, m_dampingSpinBox})
        edit->setEnabled(m_model.parametersEnabled());
}

void DampedOscillatorWindow::showInputs()
{
    // setValueQuietly raises no change event, so nothing reads the edits back
    // half-written.
    m_massSpinBox->setValueQuietly(m_model.mass());
    m_dampingSpinBox->setValueQuietly(m_model.damping());
    m_stiffnessSpinBox->setValueQuietly(m_model.stiffness());
    m_displacementScrollBar->setPosition(int(std::nearbyint(m_model.amplitude() * -10.0)));
}

// ---------------------------------------------------------------- handlers

void DampedOscillatorWindow::runButtonClicked(QObject *sender)
{
    switch (runButtonOf(sender)) {
    case RunButton::Start:
        showChanges(m_model.start());
        break;
    case RunButton::Stop:
        showChanges(m_model.stop());
        break;
    case RunButton::Reset:
        showChanges(m_model.reset());
        break;
    case RunButton::None:
        break;
    }
}

void DampedOscillatorWindow::fitTickInterval()
{
    // A tick advances at most one sample, so the clock must tick more often
    // than samples are due (speed a second): four ticks a sample keep each
    // sample within a quarter of its interval of when it is due.
    const double interval =
        std::min(AnimationClock::displayFrameInterval(), 0.25 / std::max(1, activeSpeed()));
    if (m_clock && m_clock->tickInterval() != interval)
        m_clock->setTickInterval(interval);
}

void DampedOscillatorWindow::step(double deltaTime)
{
    fitTickInterval(); // the speed may have changed since the last tick
    const OscillatorChanges changes = m_model.tick(advance(m_model.sampleClock(), deltaTime, 1.0));
    showChanges(changes);
    if (changes.picture)
        processEvents();
}

void DampedOscillatorWindow::parametersEdited()
{
    showChanges(m_model.setParameters(float(m_massSpinBox->value()), float(m_stiffnessSpinBox->value()), float(m_dampingSpinBox->value())));
}

void DampedOscillatorWindow::displacementScrolled(int position)
{
    showChanges(m_model.setDisplacementPosition(position));
}

void DampedOscillatorWindow::pictureResized()
{
    m_s = float(m_picture->height()) / 24.0f;
    drawOscillator();
    showChanges(m_model.computeGraph());
}

void DampedOscillatorWindow::setTimeAxis(float seconds)
{
    showChanges(m_model.setTimeAxis(seconds));
}

void DampedOscillatorWindow::handlePageCommand(const QString &text)
{
    if (text == QLatin1String("+CD"))
        showChanges(m_model.loadCriticalExample());
}

// ---------------------------------------------------------------- cross-hair

void DampedOscillatorWindow::setCrossHairVisible(bool on)
{
    m_crossHair->setVisible(on);
}

bool DampedOscillatorWindow::isCrossHairVisible() const
{
    return m_crossHair->isVisible();
}

QPoint DampedOscillatorWindow::crossHairPosition() const
{
    return m_crossHair->position();
}

// ---------------------------------------------------------------- graph

void DampedOscillatorWindow::copyGraph()
{
    m_chart->copyToClipboard();
}

void DampedOscillatorWindow::printGraph(QPrinter &printer)
{
    printChart(printer, m_chart, [this](QPainter &p, QRect &r) {
        const int right = r.left() + r.width();
        const int bottom = r.top() + r.height();
        QFont font(pictureFontFamily(QStringLiteral("Arial")));
        font.setPointSize(12);
        p.setFont(font);
        const QFontMetrics big = p.fontMetrics();
        const int h = big.height();
        // Texts are placed by their top edge.
        const int x = (r.left() + right - big.horizontalAdvance(printTitle)) / 2;
        p.drawText(x, r.top() - h + big.ascent(), printTitle);

        font.setPointSize(10);
        p.setFont(font);
        const int ascent = p.fontMetrics().ascent();
        const QString lines[] = {
            QStringLiteral("Mass = %1 kg").arg(formatFixed2(m_model.mass())),
            QStringLiteral("Spring constant = %1 N/m").arg(formatFixed2(m_model.stiffness())),
            QStringLiteral("Damping = %1 kg/s").arg(formatFixed2(m_model.damping())),
        };
        for (int i = 0; i < 3; ++i)
            p.drawText(r.left(), bottom + (i + 1) * h + ascent, lines[i]);
    });
}

// ---------------------------------------------------------------- picture

void DampedOscillatorWindow::drawOscillator()
{
    if (isClosing() || m_picture->bitmap().isEmpty())
        return;
    RasterImage &b = m_picture->bitmap();
    const OscillatorPicture p = oscillatorPicture(b.width(), m_s, m_model.displacement());
    m_picture->beginUpdate();
    b.clear(kWhite);
    b.polyline(p.spring, kBlack);
    b.fillRect(p.massLeft, p.massTop, p.massRight, p.massBottom, kMassRed);
    b.frameRect(p.massLeft, p.massTop, p.massRight, p.massBottom, kBlack);
    b.frameRect(0, 0, b.width() - 1, b.height() - 1, kBorderGrey);
    m_picture->endUpdate();
}
