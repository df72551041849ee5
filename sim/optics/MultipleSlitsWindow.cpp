#include "sim/optics/MultipleSlitsWindow.h"

#include "sim/framework/Chart.h"
#include "sim/framework/ChartCrossHair.h"
#include "sim/framework/Hints.h"
#include "sim/framework/IconList.h"
#include "sim/framework/PaintBox.h"
#include "sim/framework/RasterImage.h"
#include "sim/framework/ToolbarItems.h"

#include <QAction>
#include <QPainter>
#include <QPrinter>
#include <QToolBar>

namespace {
const Color32 kStripBlack = 0xFF000000;
constexpr int kStripHeight = 82;
constexpr int kStripMargin = 5; // above and below the strip
} // namespace

const QString MultipleSlitsWindow::printTitle = QStringLiteral("Angular Intensity distribution graph");

MultipleSlitsWindow::MultipleSlitsWindow(QWidget *parent) : SimulationWindow(parent)
{
    setObjectName(QStringLiteral("multipleSlitsWindow"));
    setModelTitle(QStringLiteral("Multiple slits"));

    // ---- toolbar
    const auto spinBox = [this](const char *name, double value, const QString &hint) {
        auto *box = new ToolbarSpinBox(m_toolbar, {.min = MultipleSlitsModel::kMinValue,
                                                   .max = MultipleSlitsModel::kMaxValue, .step = 1, .value = value,
                                                   .decimals = 0, .suffix = {}, .hint = hint, .width = 50});
        box->setObjectName(QLatin1String(name));
        connect(box, &ToolbarSpinBox::valueEdited, this, &MultipleSlitsWindow::parametersEdited);
        return box;
    };
    m_slitsLabel = new ToolbarLabel(m_toolbar, QStringLiteral(" Number of slits "));
    m_slitsSpinBox = spinBox("slitsSpinBox", 2, QStringLiteral("Set the number of slits"));
    m_separationLabel = new ToolbarLabel(m_toolbar, QStringLiteral(" Slit separation "));
    m_separationSpinBox = spinBox("separationSpinBox", 2, QStringLiteral("Set the distance between the slits"));
    m_widthLabel = new ToolbarLabel(m_toolbar, QStringLiteral(" Slit width "));
    m_widthSpinBox = spinBox("widthSpinBox", 1, QStringLiteral("Set the width of the slits"));
    m_toolbar->addSeparator();
    m_envelopeAction =
        addToolButton(m_toolbar, QStringLiteral("Envelope"), EnvelopeIcon, QStringLiteral("Show diffraction envelope"), true);
    m_envelopeAction->setObjectName(QStringLiteral("envelopeAction"));
    connect(m_envelopeAction, &QAction::toggled, this, &MultipleSlitsWindow::envelopeToggled);

    m_slitsSpinBox->setAccessibleName(QStringLiteral("Number of slits"));
    m_separationSpinBox->setAccessibleName(QStringLiteral("Slit separation"));
    m_widthSpinBox->setAccessibleName(QStringLiteral("Slit width"));

    m_buttonSizes.switchImages = true;
    for (ToolbarSpinBox *box : {m_separationSpinBox, m_slitsSpinBox, m_widthSpinBox})
        m_buttonSizes.spinEdit(box, 75, 50);
    for (ToolbarLabel *label : {m_separationLabel, m_slitsLabel, m_widthLabel})
        m_buttonSizes.font(label);

    // ---- the strip along the top, the chart filling the rest
    m_picture = new PaintBox(this);
    m_picture->setObjectName(QStringLiteral("picture"));
    m_picture->setFixedHeight(kStripHeight);
    m_picture->setAccessibleName(QStringLiteral("Fringes on a screen"));
    AlignPanel::setAlign(m_picture, PanelAlign::Top);
    connect(m_picture, &PaintBox::resized, this, &MultipleSlitsWindow::drawFringeStrip);

    m_chart = new Chart(this);
    m_chart->setObjectName(QStringLiteral("chart"));
    m_chart->setAccessibleName(QStringLiteral("Intensity against angle"));
    setHint(m_chart, QStringLiteral("Drag down and right with the  left mouse button to zoom in; Use right button to pan graph"));
    m_patternSeries = m_chart->addLineSeries(QStringLiteral("SlitSeries"), QColor(0xFF, 0, 0));
    m_envelopeSeries = m_chart->addLineSeries(QStringLiteral("single slit envelope"), QColor(0, 0x80, 0));
    m_envelopeSeries->setVisible(false);
    m_chart->setAxisRange(m_chart->bottomAxis(), -90, 90);
    m_chart->setAxisAutomatic(m_chart->leftAxis());
    m_chart->setAxisTitle(m_chart->bottomAxis(), QStringLiteral("angle"));
    m_chart->setAxisTitle(m_chart->leftAxis(), QStringLiteral("Intensity"));
    AlignPanel::setAlign(m_chart, PanelAlign::Client);
    // Every painting of the chart (resize, zoom, pan, new data) redraws the
    // strip under the plot area's new left and right.
    connect(m_chart, &Chart::repainted, this, &MultipleSlitsWindow::drawFringeStrip);
    // New axis labels move the plot area without waiting for a paint (a
    // window not on screen gets none): the strip follows at once.
    connect(m_chart->chart(), &QChart::plotAreaChanged, this, &MultipleSlitsWindow::drawFringeStrip);
    m_crossHair = new ChartCrossHair(m_chart);
    // The intensity is in arbitrary units: the number alone.
    m_crossHair->setQuantities(QStringLiteral("angle"), QString(QChar(0x00B0)), QStringLiteral("intensity"), QString());

    showPattern();
}

MultipleSlitsWindow::~MultipleSlitsWindow() = default;

std::vector<DataSeries> MultipleSlitsWindow::exportData() const
{
    const QString angle = QStringLiteral("angle (degrees)");
    std::vector<DataSeries> series{{angle, QStringLiteral("intensity (arbitrary units)"), m_patternSeries->points()}};
    if (m_envelopeSeries->isVisible())
        series.push_back({angle, QStringLiteral("single slit envelope (arbitrary units)"), m_envelopeSeries->points()});
    return series;
}

// ---------------------------------------------------------------- controls

void MultipleSlitsWindow::parametersEdited()
{
    m_model.setParameters(int(m_slitsSpinBox->value()), int(m_separationSpinBox->value()),
                          int(m_widthSpinBox->value()));
    showPattern();
    drawFringeStrip();
}

void MultipleSlitsWindow::envelopeToggled(bool shown)
{
    m_envelopeSeries->setVisible(shown);
}

void MultipleSlitsWindow::showPattern()
{
    m_chart->setPoints(m_patternSeries, m_model.pattern());
    m_chart->setPoints(m_envelopeSeries, m_model.envelope());
    describe();
}

void MultipleSlitsWindow::describe()
{
    const int n = m_model.slits(), d = m_model.separation(), a = m_model.width();
    m_slitsSpinBox->setAccessibleDescription(QStringLiteral("Number of slits, %1").arg(n));
    m_separationSpinBox->setAccessibleDescription(QStringLiteral("Slit separation, %1 wavelengths").arg(d));
    m_widthSpinBox->setAccessibleDescription(QStringLiteral("Slit width, %1 wavelengths").arg(a));
    m_chart->setAccessibleDescription(
        QStringLiteral("Intensity of %1 slits %2 wavelengths apart, each %3 wavelengths wide, from -90 to 90 "
                       "degrees; the central peak is %4 high")
            .arg(n)
            .arg(d)
            .arg(a)
            .arg(a * n * n));
}

// ---------------------------------------------------------------- cross-hair

void MultipleSlitsWindow::setCrossHairVisible(bool on)
{
    m_crossHair->setVisible(on);
}

bool MultipleSlitsWindow::isCrossHairVisible() const
{
    return m_crossHair->isVisible();
}

QPoint MultipleSlitsWindow::crossHairPosition() const
{
    return m_crossHair->position();
}

// ---------------------------------------------------------------- strip

void MultipleSlitsWindow::drawFringeStrip()
{
    RasterImage &b = m_picture->bitmap();
    if (isClosing() || b.isEmpty())
        return;
    // The strip lies under the chart's plot area, whatever the zoom.
    const QRect plot = m_chart->plotRect();
    // The chart is a sibling, not a parent: map through the screen.
    const int left = m_picture->mapFromGlobal(m_chart->viewport()->mapToGlobal(plot.topLeft())).x();
    const int right = left + plot.width();
    m_stripRect = QRect(QPoint(left, kStripMargin), QPoint(right - 1, b.height() - kStripMargin - 1));

    m_picture->beginUpdate();
    b.clear(m_chart->panelColor().rgba());
    b.fillRect(left, kStripMargin, right, b.height() - kStripMargin, kStripBlack);
    for (const FringeBand &band : m_model.fringeBands(left, right))
        b.fillRect(band.x0, kStripMargin, band.x1, b.height() - kStripMargin, qRgba(band.red, 0, 0, 255));
    m_picture->endUpdate();
}

// ---------------------------------------------------------------- graph

void MultipleSlitsWindow::copyGraph()
{
    m_chart->copyToClipboard();
}

void MultipleSlitsWindow::printGraph(QPrinter &printer)
{
    printChart(printer, m_chart, [this](QPainter &p, QRect &r) {
        QFont font(pictureFontFamily(QStringLiteral("Arial")));
        font.setPointSize(12);
        p.setFont(font);
        const QFontMetrics big = p.fontMetrics();
        const int h = big.height();
        // Texts are placed by their top edge: the title sits on the chart's
        // top, the three lines below it, and the chart moves down under them.
        const int right = r.left() + r.width();
        p.drawText((r.left() + right - big.horizontalAdvance(printTitle)) / 2, r.top() - h + big.ascent(), printTitle);

        font.setPointSize(10);
        p.setFont(font);
        const int ascent = p.fontMetrics().ascent();
        const QString lines[] = {
            QStringLiteral("number of slits %1").arg(m_model.slits()),
            QStringLiteral("slit separation %1").arg(m_model.separation()),
            QStringLiteral("slit width %1").arg(m_model.width()),
        };
        for (int i = 0; i < 3; ++i)
            p.drawText(r.left(), r.top() + (i + 1) * h + ascent, lines[i]);
        r.translate(0, 4 * h);
    });
    drawFringeStrip();
}
