#include "sim/mechanics/ResonanceWindow.h"

#include "core/NumberText.h"
#include "sim/framework/Chart.h"
#include "sim/framework/ChartCrossHair.h"
#include "sim/framework/PaintBox.h"
#include "sim/framework/RasterImage.h"
#include "sim/framework/ToolbarItems.h"

#include <QPainter>
#include <QPrinter>
#include <QToolBar>

namespace {
const Color32 kWhite = 0xFFFFFFFF;
const Color32 kBlack = 0xFF000000;
const Color32 kMassRed = 0xFFFF0000;
const Color32 kBorderGrey = 0xFF3F3F3F;

std::vector<FixedPoint> toFixed(const std::vector<QPointF> &points)
{
    std::vector<FixedPoint> fixed;
    fixed.reserve(points.size());
    for (const QPointF &p : points)
        fixed.push_back(fixedPoint(p.x(), p.y()));
    return fixed;
}
} // namespace

const QString ResonanceWindow::chartTitle = QStringLiteral("Graph of amplitude v driving frequency");

ResonanceWindow::ResonanceWindow(QWidget *parent) : SimulationWindow(parent)
{
    setObjectName(QStringLiteral("resonanceWindow"));
    setModelTitle(QStringLiteral("Resonance"));
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(11);
    setFont(f);

    // ---- toolbar
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    addRunButton(RunButton::Start, QStringLiteral("Start"));
    addRunButton(RunButton::Stop, QStringLiteral("Stop"));
    m_toolbar->addSeparator();
    m_dampingLabel = new ToolbarLabel(m_toolbar, QStringLiteral(" Damping (kg/s) "));
    // Two decimals, so that the lowest damping, 0.25, is shown as it is.
    m_dampingSpinBox = new ToolbarSpinBox(m_toolbar, {.min = 0.25, .max = 2.0, .step = 0.1, .value = 1.0, .decimals = 2,
                                                      .suffix = {}, .hint = QStringLiteral("Set the damping factor"),
                                                      .width = 50});
    m_drivingFrequencyLabel = new ToolbarLabel(m_toolbar, QStringLiteral(" Driving frequency (Hz) "));
    m_drivingFrequencySpinBox = new ToolbarSpinBox(m_toolbar, {.min = 0.1, .max = 10.0, .step = 0.1, .value = 5.0,
                                                               .decimals = 1, .suffix = {},
                                                               .hint = QStringLiteral("Set the driving frequency"),
                                                               .width = 50});
    m_dampingSpinBox->setObjectName(QStringLiteral("dampingSpinBox"));
    m_drivingFrequencySpinBox->setObjectName(QStringLiteral("drivingFrequencySpinBox"));
    m_dampingSpinBox->setAccessibleName(QStringLiteral("Damping"));
    m_dampingSpinBox->setAccessibleDescription(
        QStringLiteral("Damping of the oscillator in kilograms per second, 0.25 to 2.0"));
    m_drivingFrequencySpinBox->setAccessibleName(QStringLiteral("Driving frequency"));
    m_drivingFrequencySpinBox->setAccessibleDescription(
        QStringLiteral("Frequency of the driving force in hertz, 0.1 to 10.0; the natural frequency is 5 Hz"));
    if (QWidget *b = m_toolbar->widgetForAction(m_startAction))
        b->setAccessibleDescription(QStringLiteral("Start the animation of the driven mass"));
    if (QWidget *b = m_toolbar->widgetForAction(m_stopAction))
        b->setAccessibleDescription(QStringLiteral("Stop the animation; Start goes on from here"));

    m_buttonSizes.switchImages = true;
    m_buttonSizes.spinEdit(m_dampingSpinBox, 75, 50);
    m_buttonSizes.spinEdit(m_drivingFrequencySpinBox, 75, 50);
    m_buttonSizes.font(m_dampingLabel);
    m_buttonSizes.font(m_drivingFrequencyLabel);

    for (ToolbarSpinBox *edit : {m_dampingSpinBox, m_drivingFrequencySpinBox})
        connect(edit, &ToolbarSpinBox::valueEdited, this, &ResonanceWindow::parametersEdited);

    // ---- the picture along the left edge, the chart filling the rest
    m_picture = new PaintBox(this);
    m_picture->setObjectName(QStringLiteral("picture"));
    m_picture->setFixedWidth(68);
    m_picture->setAccessibleName(QStringLiteral("Driven oscillator"));
    m_picture->setAccessibleDescription(
        QStringLiteral("A red mass between two springs, moving up and down at the driving frequency"));
    AlignPanel::setAlign(m_picture, PanelAlign::Left);
    connect(m_picture, &PaintBox::resized, this, &ResonanceWindow::pictureResized);

    m_chart = new Chart(this);
    m_chart->setObjectName(QStringLiteral("chart"));
    m_chart->setAccessibleName(QStringLiteral("Resonance curve"));
    m_chart->setTitle(chartTitle);
    m_curveSeries = m_chart->addLineSeries(QStringLiteral("curve"), Qt::red);
    // The same dark green marker as the damped oscillator's: clear of the
    // red curve.
    m_markerSeries = m_chart->addPointSeries(QStringLiteral("marker"), QColor(0, 128, 0));
    m_chart->setAxisRange(m_chart->bottomAxis(), 0, 10);
    m_chart->setAxisRange(m_chart->leftAxis(), 0, 10);
    m_chart->setAxisTitle(m_chart->bottomAxis(), QStringLiteral("driving frequency (Hz)"));
    m_chart->setAxisTitle(m_chart->leftAxis(), QStringLiteral("amplitude"));
    AlignPanel::setAlign(m_chart, PanelAlign::Client);
    m_crossHair = new ChartCrossHair(m_chart);
    m_crossHair->setQuantities(QStringLiteral("frequency"), QStringLiteral("Hz"), QStringLiteral("amplitude"),
                               QStringLiteral("units"));

    createClock();
    // Start and Stop both begin enabled; Stop pressed first just shows the
    // stopped state.
    showCurve();
}

ResonanceWindow::~ResonanceWindow() = default;

std::vector<DataSeries> ResonanceWindow::exportData() const
{
    return {{QStringLiteral("driving frequency (Hz)"), QStringLiteral("amplitude (units)"), m_curveSeries->points()}};
}

void ResonanceWindow::showCurve()
{
    const std::vector<QPointF> &curve = m_model.curve();
    m_chart->setPoints(m_curveSeries, QList<QPointF>(curve.begin(), curve.end()));
    m_chart->setPoints(m_markerSeries, {m_model.marker()});
    m_chart->setAccessibleDescription(
        QStringLiteral("Amplitude against driving frequency from 0 to 10 Hz for damping %1 kg/s; "
                       "at %2 Hz the amplitude is %3")
            .arg(formatFixed2(m_model.damping()), formatFixed2(m_model.drivingFrequency()),
                 formatFixed2(m_model.drivingAmplitude())));
}

// ---------------------------------------------------------------- handlers

void ResonanceWindow::runButtonClicked(QObject *sender)
{
    switch (runButtonOf(sender)) {
    case RunButton::Start:
        m_model.start();
        showRunning();
        break;
    case RunButton::Stop:
        m_model.stop();
        showStopped(false);
        break;
    case RunButton::Reset:
    case RunButton::None:
        break;
    }
}

void ResonanceWindow::step(double deltaTime)
{
    if (!m_model.tick(advance(m_model.time(), deltaTime, ResonanceModel::kTimeFactor)))
        return;
    drawResonator();
    processEvents();
}

void ResonanceWindow::parametersEdited()
{
    m_model.setParameters(float(m_dampingSpinBox->value()), float(m_drivingFrequencySpinBox->value()));
    showCurve();
}

void ResonanceWindow::pictureResized()
{
    m_s = float(m_picture->height()) / 24.0f;
    drawResonator();
}

// ---------------------------------------------------------------- graph

void ResonanceWindow::copyGraph()
{
    m_chart->copyToClipboard();
}

void ResonanceWindow::printGraph(QPrinter &printer)
{
    // The chart carries its own title; the settings that made the curve go
    // under it, so that a printed curve can be told from the next.
    printChart(printer, m_chart, [this](QPainter &p, QRect &r) {
        QFont font(pictureFontFamily(QStringLiteral("Arial")));
        font.setPointSize(10);
        p.setFont(font);
        const QFontMetrics metrics = p.fontMetrics();
        const int bottom = r.top() + r.height();
        const QString lines[] = {
            QStringLiteral("Damping = %1 kg/s").arg(formatFixed2(m_model.damping())),
            QStringLiteral("Driving frequency = %1 Hz").arg(formatFixed2(m_model.drivingFrequency())),
        };
        for (int i = 0; i < 2; ++i)
            p.drawText(r.left(), bottom + (i + 1) * metrics.height() + metrics.ascent(), lines[i]);
    });
}

// ---------------------------------------------------------------- cross-hair

void ResonanceWindow::setCrossHairVisible(bool on)
{
    m_crossHair->setVisible(on);
}

bool ResonanceWindow::isCrossHairVisible() const
{
    return m_crossHair->isVisible();
}

QPoint ResonanceWindow::crossHairPosition() const
{
    return m_crossHair->position();
}

// ---------------------------------------------------------------- picture

void ResonanceWindow::drawResonator()
{
    if (isClosing() || m_picture->bitmap().isEmpty())
        return;
    RasterImage &b = m_picture->bitmap();
    const ResonatorPicture p = resonatorPicture(b.width(), m_s, m_model.displacement());
    m_picture->beginUpdate();
    b.clear(kWhite);
    b.polyline(toFixed(p.upperSpring), kBlack);
    b.polyline(toFixed(p.lowerSpring), kBlack);
    b.fillRect(p.massLeft, p.massTop, p.massRight, p.massBottom, kMassRed);
    b.frameRect(p.massLeft, p.massTop, p.massRight, p.massBottom, kBlack);
    b.frameRect(0, 0, b.width() - 1, b.height() - 1, kBorderGrey);
    m_picture->endUpdate();
}
