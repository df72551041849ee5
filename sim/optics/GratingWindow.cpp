#include "sim/optics/GratingWindow.h"

#include "sim/framework/DrawingContext.h"
#include "sim/framework/PaintBox.h"
#include "sim/framework/ToolbarItems.h"

#include <QStringList>
#include <QToolBar>

namespace {
const Color32 kWhite = 0xFFFFFFFF;
const Color32 kBlack = 0xFF000000;
const Color32 kTableGrey = 0xFFF0F0F0;
const Color32 kTubeBlue = 0xFFC0E1FF;
const Color32 kGratingOrange = 0xFFFF8000;
const Color32 kScaleYellow = 0xFFFFFF80;
const Color32 kBorderGrey = 0xFF3F3F3F;

QString degreesText(double degrees)
{
    return QString::number(degrees, 'f', 1);
}
} // namespace

GratingWindow::GratingWindow(QWidget *parent) : SimulationWindow(parent)
{
    setObjectName(QStringLiteral("gratingWindow"));
    setModelTitle(QStringLiteral("Diffraction grating"));

    // ---- toolbar: no button pictures, so nothing to switch with the size
    m_linesLabel = new ToolbarLabel(m_toolbar, QStringLiteral(" Lines per mm "));
    m_linesSpinBox = new ToolbarSpinBox(
        m_toolbar, {.min = GratingModel::kMinLines, .max = GratingModel::kMaxLines, .step = 1, .value = 300,
                    .decimals = 0, .suffix = {}, .hint = QStringLiteral("Set the line spacing of the grating"), .width = 50});
    m_linesSpinBox->setObjectName(QStringLiteral("linesSpinBox"));
    m_toolbar->addSeparator();
    m_wavelengthLabel = new ToolbarLabel(m_toolbar, QStringLiteral(" Wavelength "));
    m_wavelengthScrollBar = new ToolbarScrollBar(
        m_toolbar,
        {.orientation = Qt::Horizontal, .min = GratingModel::kMinWavelength, .max = GratingModel::kMaxWavelength,
         .position = 500, .smallStep = 1, .pageStep = 10, .hint = QStringLiteral("Set the wavelength")},
        QSize(150, 20));
    m_wavelengthScrollBar->setObjectName(QStringLiteral("wavelengthScrollBar"));
    addToolbarSpacer(m_toolbar);

    m_buttonSizes.spinEdit(m_linesSpinBox, 80, 50);
    m_buttonSizes.font(m_linesLabel);
    m_buttonSizes.font(m_wavelengthLabel);

    connect(m_linesSpinBox, &ToolbarSpinBox::valueEdited, this, &GratingWindow::linesEdited);
    connect(m_wavelengthScrollBar, &ToolbarScrollBar::scrolled, this, &GratingWindow::wavelengthScrolled);

    // ---- the telescope's scroll bar along the bottom (tenths of a degree),
    // the picture over the rest
    m_angleScrollBar = new ToolbarScrollBar({.orientation = Qt::Horizontal, .min = GratingModel::kMinAnglePosition,
                                             .max = GratingModel::kMaxAnglePosition, .position = 0, .smallStep = 1,
                                             .pageStep = 10, .hint = QStringLiteral("Rotate the telescope")},
                                            this);
    m_angleScrollBar->setObjectName(QStringLiteral("angleScrollBar"));
    m_angleScrollBar->setFixedHeight(20);
    AlignPanel::setAlign(m_angleScrollBar, PanelAlign::Bottom);
    connect(m_angleScrollBar, &ToolbarScrollBar::scrolled, this, &GratingWindow::angleScrolled);

    m_linesSpinBox->setAccessibleName(QStringLiteral("Lines per mm"));
    m_wavelengthScrollBar->setAccessibleName(QStringLiteral("Wavelength"));
    m_angleScrollBar->setAccessibleName(QStringLiteral("Telescope angle"));

    m_picture = new PaintBox(this);
    m_picture->setObjectName(QStringLiteral("picture"));
    m_picture->setAccessibleName(QStringLiteral("Spectrometer"));
    AlignPanel::setAlign(m_picture, PanelAlign::Client);
    connect(m_picture, &PaintBox::resized, this, &GratingWindow::pictureResized);
    describe();
}

GratingWindow::~GratingWindow() = default;

// ---------------------------------------------------------------- controls

void GratingWindow::angleScrolled(int position)
{
    m_model.setTelescopePosition(position);
    drawSpectrometer();
}

void GratingWindow::wavelengthScrolled(int position)
{
    m_model.setWavelength(position);
    drawSpectrometer();
}

void GratingWindow::linesEdited()
{
    if (m_model.setLinesPerMm(m_linesSpinBox->value()))
        drawSpectrometer();
}

void GratingWindow::describe()
{
    m_linesSpinBox->setAccessibleDescription(QStringLiteral("Lines per mm, %1").arg(m_model.linesPerMm()));
    m_wavelengthScrollBar->setAccessibleDescription(QStringLiteral("Wavelength, %1 nm").arg(m_model.wavelength()));
    const QString angle = degreesText(m_model.telescopeAngle());
    m_angleScrollBar->setAccessibleDescription(QStringLiteral("Telescope angle, %1 degrees").arg(angle));
    QStringList orders;
    for (const GratingOrder &o : m_model.orders())
        orders << degreesText(o.degrees());
    m_picture->setAccessibleDescription(
        QStringLiteral("Grating of %1 lines per mm in %2 nm light; orders on each side at %3 degrees; telescope at %4 degrees")
            .arg(m_model.linesPerMm())
            .arg(m_model.wavelength())
            .arg(orders.isEmpty() ? QStringLiteral("no") : orders.join(QStringLiteral(", ")))
            .arg(angle));
}

// ---------------------------------------------------------------- drawing

void GratingWindow::pictureResized()
{
    m_layout = SpectrometerLayout::forSize(m_picture->width(), m_picture->height());
    drawSpectrometer();
}

void GratingWindow::drawSpectrometer()
{
    describe();
    RasterImage &b = m_picture->bitmap();
    if (isClosing() || b.isEmpty())
        return;
    const SpectrometerLayout &l = m_layout;
    const DrawPen outline(kBlack, 1);
    m_picture->beginUpdate();
    b.clear(kWhite);
    {
        DrawingContext dc(b);
        drawAngleScale(dc, l.angleScale);

        // The table; from here on smoothed.
        const QRectF table(l.tableCentre.x() - l.tableRadius, l.tableCentre.y() - l.tableRadius, 2 * l.tableRadius,
                           2 * l.tableRadius);
        dc.fillEllipse(DrawBrush(kTableGrey), float(table.x()), float(table.y()), float(table.width()),
                       float(table.height()));
        dc.setSmoothing(Smoothing::HighQuality);
        dc.drawEllipse(outline, float(table.x()), float(table.y()), float(table.width()), float(table.height()));

        drawRays(dc);
        dc.fillAndDrawRectangle(DrawBrush(kTubeBlue), outline, l.collimator);
        dc.fillAndDrawPolygon(DrawBrush(kTubeBlue), outline, l.telescope(m_model.telescopeAngle()));
        dc.fillAndDrawRectangle(DrawBrush(kGratingOrange), outline, l.grating);
        drawTelescopeView(dc, l.telescopeView);
    }
    b.frameRect(0, 0, b.width(), b.height(), kBorderGrey);
    m_picture->endUpdate();
}

void GratingWindow::drawRays(DrawingContext &dc)
{
    const SpectrometerLayout &l = m_layout;
    const DrawPen ray(m_model.rayColour(), 1);
    const float cx = float(l.tableCentre.x()), cy = float(l.tableCentre.y()), r = l.tableRadius;
    // The straight-through beam crosses the whole table.
    dc.drawLine(ray, cx, cy - r, cx, cy + r);
    for (const GratingOrder &o : m_model.orders()) {
        for (bool right : {true, false}) {
            const QPointF end = l.rayEnd(o, right);
            dc.drawLine(ray, cx, cy, float(end.x()), float(end.y()));
        }
    }
}

void GratingWindow::drawTelescopeView(DrawingContext &dc, const QRectF &rect)
{
    const float X = float(rect.x()), Y = float(rect.y()), W = float(rect.width()), H = float(rect.height());
    const float mx = X + W / 2, my = Y + H / 2;
    dc.fillRectangle(DrawBrush(kBlack), X, Y, W, H);
    DrawPath clip;
    clip.addRectangle(X, Y, W, H);
    dc.setClip(clip);

    const DrawPen line(m_model.rayColour(), 3);
    for (float x : m_model.viewLines(rect))
        dc.drawLine(line, x, Y, x, Y + H);

    // Cross-hairs: a circle and the diagonals of the square inside it.
    const DrawPen white(kWhite, 1);
    dc.drawEllipse(white, mx - 0.45f * H, Y + 0.05f * H, 0.9f * H, 0.9f * H);
    const float a = 0.31819f * H;
    dc.drawLine(white, mx + a, my - a, mx - a, my + a);
    dc.drawLine(white, mx - a, my - a, mx + a, my + a);
    dc.resetClip();
}

void GratingWindow::drawAngleScale(DrawingContext &dc, const QRectF &rect)
{
    const AngleScale s = m_model.angleScale(rect);
    const DrawPen pen(kBlack, 1);
    const DrawBrush black(kBlack);
    const DrawFont font(QStringLiteral("Arial"), s.fontPixels, true);
    DrawPath clip;
    clip.addRectangle(float(rect.x()), float(rect.y()), float(rect.width()), float(rect.height()));
    dc.setClip(clip);

    dc.fillAndDrawRectangle(DrawBrush(kScaleYellow), pen, s.mainScale);
    dc.fillAndDrawRectangle(DrawBrush(kScaleYellow), pen, s.vernier);

    // The main scale moves under the vernier, labelled every ten degrees.
    dc.setTextRendering(TextRendering::AntiAlias);
    for (const ScaleTick &t : s.mainTicks)
        dc.drawLine(pen, t.x, t.y1, t.x, t.y2);
    const TextFormat topCentre(TextAlign::Center, TextAlign::Near);
    for (const ScaleLabel &label : s.labels)
        dc.drawString(QString::number(label.degrees), font, QPointF(label.x, label.y), topCentre, black);

    // The vernier's ticks hang from the join; its "0" stands above them.
    for (const ScaleTick &t : s.vernierTicks)
        dc.drawLine(pen, t.x, t.y1, t.x, t.y2);
    dc.drawString(QStringLiteral("0"), font, s.vernierZero, TextFormat(TextAlign::Center, TextAlign::Far), black);

    dc.resetClip();
    dc.drawRectangle(DrawPen(kBorderGrey, 1), float(rect.x()), float(rect.y()), float(rect.width()),
                     float(rect.height()));
}
