#include "sim/sound/SpeedOfSoundWindow.h"

#include "sim/framework/DrawingContext.h"
#include "sim/framework/RoundedRect.h"
#include "sim/framework/DrawingSurface.h"
#include "sim/framework/PaintBox.h"
#include "sim/framework/ScaleMagnifier.h"
#include "sim/framework/ToolbarItems.h"

#include <QToolBar>
#include <cmath>

namespace {
const Color32 kBlack = 0xFF000000;
const Color32 kLightGrey = 0xFFD3D3D3;
const Color32 kDarkGrey = 0xFF3F3F3F;

QVector<QPointF> scaled(std::initializer_list<QPointF> points, float u)
{
    QVector<QPointF> out;
    for (const QPointF &p : points)
        out.append(p * u);
    return out;
}
} // namespace

SpeedOfSoundWindow::SpeedOfSoundWindow(QWidget *parent) : SimulationWindow(parent)
{
    setObjectName(QStringLiteral("speedOfSoundWindow"));
    setModelTitle(QStringLiteral("Speed of sound"));

    // ---- toolbar
    m_frequencyLabel = new ToolbarLabel(m_toolbar, QStringLiteral(" Frequency "));
    m_frequencySpinBox = new ToolbarSpinBox(m_toolbar, {.min = 200, .max = 1200, .step = 10, .value = 200, .decimals = 0,
                                          .suffix = {}, .hint = QStringLiteral("Set the sound frequency"), .width = 64});
    m_toolbar->addSeparator();
    m_gainLabel = new ToolbarLabel(m_toolbar, QStringLiteral(" Volts/div"));
    m_gainSpinBox = new ToolbarSpinBox(m_toolbar, {.min = 0.05, .max = 1.0, .step = 0.1, .value = 0.5, .decimals = 2,
                                      .suffix = {}, .hint = QStringLiteral("Set the c.r.o Y gain"), .width = 50});
    m_toolbar->addSeparator();
    m_shiftLabel = new ToolbarLabel(m_toolbar, QStringLiteral("Y shift"));
    m_shiftSpinBox = new ToolbarSpinBox(m_toolbar, {.min = -5.0, .max = 5.0, .step = 0.1, .value = 0.0, .decimals = 1,
                                       .suffix = {}, .hint = QStringLiteral("Set the c.r.o. Y shift"), .width = 50});

    m_buttonSizes.spinEdit(m_frequencySpinBox, 96, 64);
    m_buttonSizes.spinEdit(m_gainSpinBox, 75, 50);
    m_buttonSizes.spinEdit(m_shiftSpinBox, 75, 50);
    m_buttonSizes.font(m_frequencyLabel);
    m_buttonSizes.font(m_gainLabel);
    m_buttonSizes.font(m_shiftLabel);

    connect(m_frequencySpinBox, &ToolbarSpinBox::valueEdited, this, &SpeedOfSoundWindow::settingsEdited);
    connect(m_gainSpinBox, &ToolbarSpinBox::valueEdited, this, &SpeedOfSoundWindow::settingsEdited);
    connect(m_shiftSpinBox, &ToolbarSpinBox::valueEdited, this, &SpeedOfSoundWindow::settingsEdited);

    // ---- the scroll bar along the bottom (0.1 cm per step), the picture
    m_microphoneScrollBar = new ToolbarScrollBar({.orientation = Qt::Horizontal, .min = 0, .max = kMicrophoneMaxPosition, .position = 500,
                             .smallStep = 1, .pageStep = 10, .hint = {}, .name = QStringLiteral("Microphone position")},
                            this);
    m_microphoneScrollBar->setObjectName(QStringLiteral("microphoneScrollBar"));
    m_microphoneScrollBar->setFixedHeight(20);
    AlignPanel::setAlign(m_microphoneScrollBar, PanelAlign::Bottom);
    connect(m_microphoneScrollBar, &ToolbarScrollBar::scrolled, this, &SpeedOfSoundWindow::microphoneScrolled);

    m_picture = new PaintBox(this);
    m_picture->setObjectName(QStringLiteral("picture"));
    AlignPanel::setAlign(m_picture, PanelAlign::Client);
    connect(m_picture, &PaintBox::resized, this, &SpeedOfSoundWindow::pictureResized);
}

SpeedOfSoundWindow::~SpeedOfSoundWindow() = default;

void SpeedOfSoundWindow::pictureResized()
{
    m_u = soundUnit(m_picture->width(), m_picture->height());
    drawSoundBench();
}

void SpeedOfSoundWindow::microphoneScrolled(int position)
{
    m_x = float(position) * 0.1f;
    drawSoundBench();
}

void SpeedOfSoundWindow::settingsEdited()
{
    m_f = float(m_frequencySpinBox->value());
    m_gain = float(m_gainSpinBox->value());
    m_shift = float(m_shiftSpinBox->value());
    drawSoundBench();
}

QRectF SpeedOfSoundWindow::screenInPicture() const
{
    const RasterImage &b = m_picture->bitmap();
    return scopeScreen(oscilloscopeRect(m_u)).translated(b.width() / 2.0, b.height() / 2.0);
}

// ---------------------------------------------------------------- drawing

void SpeedOfSoundWindow::drawSoundBench()
{
    RasterImage &b = m_picture->bitmap();
    if (m_closing || b.isEmpty())
        return;
    const float u = m_u;
    m_picture->beginUpdate();
    b.clear(0xFFFFFFFF);
    {
        DrawingContext dc(b);
        DrawPen pen(kBlack, 1);
        DrawBrush brush(kLightGrey);
        const DrawFont font(QStringLiteral("Arial"), 0.5f * u);
        dc.translate(float(b.width()) / 2.0f, float(b.height()) / 2.0f);

        drawCentimetreScale(dc, centimetreScaleRect(u));
        drawOscilloscope(dc, oscilloscopeRect(u));

        // The microphone seen through the glass: its cone's open side on the
        // centre line, which marks the microphone's position.
        MagnifierSettings glass;
        glass.benchLength = kBenchLength;
        glass.stripHeight = 0.35f;
        glass.penColor = kBlack;
        glass.unitLabel = QStringLiteral("cm");
        glass.contentAfter = [](DrawingContext &dc, DrawPen &pen, const MagnifierGlass &g) {
            const float q = 0.25f * g.s;
            dc.fillAndDrawPolygon(DrawBrush(kLightGrey), pen,
                                  {{g.cx, g.cy}, {g.cx, g.y}, {g.cx + q, g.y}, {g.cx + q, g.y + q}});
            dc.fillAndDrawRectangle(DrawBrush(kDarkGrey), pen, g.cx + q, g.y, q, q);
        };
        const QRectF square = microphoneGlassSquare(u);
        // The glass leaves the pen 2 pixels wide in dark grey: the speaker
        // and the microphone on the bench are outlined with it.
        drawScaleMagnifier(dc, pen, float(square.x()), float(square.y()), float(square.width()), m_x, glass);

        drawSignalGenerator(dc, signalGeneratorRect(u));

        // Loudspeaker.
        dc.fillAndDrawPolygon(brush, pen, scaled({{-9, 3.2}, {-9, 0.8}, {-9.5, 1.6}, {-9.5, 2.4}}, u));
        dc.fillAndDrawRectangle(DrawBrush(kDarkGrey), pen, -9.9f * u, 1.6f * u, 0.4f * u, 0.8f * u);

        // Microphone on the bench, its cone open towards the loudspeaker.
        const float xm = microphoneBenchX(m_x, u);
        dc.fillAndDrawPolygon(brush, pen,
                              {{xm, 3.2 * u}, {xm, 0.8 * u}, {xm + 0.5 * u, 1.6 * u}, {xm + 0.5 * u, 2.4 * u}});
        dc.fillAndDrawRectangle(DrawBrush(kDarkGrey), pen, xm + 0.5f * u, 1.6f * u, 0.4f * u, 0.8f * u);

        // Cables.
        dc.setSmoothing(Smoothing::None);
        const DrawPen cable(kBlack, 2);
        const float xc = xm / u + 0.9f;
        dc.drawLines(cable, scaled({{-9.9, 2.1}, {-10.3, 2.1}, {-10.3, -1}, {-8, -1}, {-8, -2.2}}, u));
        dc.drawLines(cable, scaled({{-9.9, 1.9}, {-10.1, 1.9}, {-10.1, -0.8}, {-6, -0.8}, {-6, -2.2}}, u));
        dc.drawLines(cable, scaled({{-8, -2.6}, {-8, -2.8}, {-3, -2.8}}, u));
        dc.drawLine(cable, -5.8f * u, -2.4f * u, -3 * u, -2.4f * u);
        dc.drawLines(cable, scaled({{xc, 2.1}, {10.3, 2.1}, {10.3, -2.8}, {9, -2.8}}, u));
        dc.drawLines(cable, scaled({{xc, 1.9}, {10.1, 1.9}, {10.1, -2.4}, {9, -2.4}}, u));

        brush.color = kBlack;
        const TextFormat topCentre(TextAlign::Center, TextAlign::Near);
        dc.drawString(QStringLiteral("signal generator"), font, QPointF(-7 * u, -7 * u), topCentre, brush);
        dc.drawString(QStringLiteral("oscilloscope"), font, QPointF(3 * u, 0), topCentre, brush);
    }
    b.frameRect(0, 0, b.width(), b.height(), 0xFF3F3F3F);
    m_picture->endUpdate();
}

void SpeedOfSoundWindow::drawCentimetreScale(DrawingContext &dc, const QRectF &r)
{
    const float X = float(r.x()), Y = float(r.y()), Ws = float(r.width()), Hs = float(r.height());
    const DrawPen pen(kBlack, 1);
    DrawBrush brush(0xFFFFFF80);
    const DrawFont font(QStringLiteral("Arial"), 0.4f * Hs, true);
    const TextFormat topCentre(TextAlign::Center, TextAlign::Near);
    dc.fillAndDrawRectangle(brush, pen, X, Y, Ws, Hs);
    dc.setTextRendering(TextRendering::AntiAlias);
    brush.color = kBlack;
    for (int i = 1; i <= 19; ++i) {
        const float x = X + float(i) * Ws / 20.0f;
        if (i % 5 == 0) {
            dc.drawLine(pen, x, Y, x, Y + 0.4f * Hs);
            dc.drawString(QString::number(10 * i), font, QPointF(x, Y + 0.4f * Hs), topCentre, brush);
        } else {
            dc.drawLine(pen, x, Y, x, Y + 0.2f * Hs);
        }
    }
}

void SpeedOfSoundWindow::drawOscilloscope(DrawingContext &dc, const QRectF &r)
{
    DrawPen pen(kLightGrey, 1);
    const DrawBrush brush(0xFFC0DCC0);
    DrawPath path;
    const QRectF screen = scopeScreen(r);
    const float sx = float(screen.x()), sy = float(screen.y()), sw = float(screen.width()), sh = float(screen.height());
    dc.setSmoothing(Smoothing::None);

    const float d = 0.1f * sw;
    for (int i = 1; i <= 9; ++i)
        dc.drawLine(pen, sx + float(i) * d, sy, sx + float(i) * d, sy + sh);
    const float cy = sy + sh / 2.0f;
    const int n = int(std::trunc(0.5f * sh / d));
    for (int j = 1; j <= n; ++j) {
        dc.drawLine(pen, sx, cy - float(j) * d, sx + sw, cy - float(j) * d);
        dc.drawLine(pen, sx, cy + float(j) * d, sx + sw, cy + float(j) * d);
    }
    pen.color = kBlack;
    dc.drawLine(pen, sx, cy, sx + sw, cy);
    dc.drawLine(pen, sx + sw / 2.0f, sy, sx + sw / 2.0f, sy + sh);

    const ScopeTraces traces = scopeTraces(screen, m_f, m_gain, m_shift, m_x);
    dc.setSmoothing(Smoothing::HighQuality);
    pen.color = 0xFF0000FF;
    dc.drawLines(pen, traces.generator);

    // The microphone's trace may be taller than the screen: cut at its edge.
    path.addRectangle(sx, sy, sw, sh);
    dc.setClip(path);
    pen.color = 0xFFFF0000;
    dc.drawLines(pen, traces.microphone);
    dc.resetClip();

    // The bezel: the rounded case with the screen left open (even-odd fill
    // of the path that still holds the screen's rectangle).
    addRoundedRect(path, float(r.x()), float(r.y()), float(r.width()), float(r.height()), 0.05f * float(r.width()));
    dc.fillPath(brush, path);
    pen.color = kBlack;
    dc.drawPath(pen, path);
}

void SpeedOfSoundWindow::drawSignalGenerator(DrawingContext &dc, const QRectF &r)
{
    const float X = float(r.x()), Y = float(r.y()), Wg = float(r.width()), Hg = float(r.height());
    const DrawPen pen(kBlack, 1);
    DrawBrush brush(0xFFC0E1FF);
    DrawPath path;
    addRoundedRect(path, X, Y, Wg, Hg, 0.1f * Wg);
    dc.fillPath(brush, path);
    dc.setSmoothing(Smoothing::HighQuality);
    dc.drawPath(pen, path);

    dc.fillAndDrawEllipse(DrawBrush(0xFFFFFFFF), pen, X + 0.2f * Wg, Y + 0.1f * Wg, 0.6f * Wg, 0.6f * Wg);

    const DialPointer p = dialPointer(r, m_f);
    const QVector<QPointF> pointer{p.p0, p.p1, p.p2};
    dc.fillPolygon(DrawBrush(kLightGrey), pointer);
    dc.drawLines(pen, pointer);
    const float hr = p.hubRadius;
    dc.fillAndDrawEllipse(DrawBrush(kLightGrey), pen, float(p.centre.x()) - hr, float(p.centre.y()) - hr, 2 * hr,
                          2 * hr);

    brush.color = 0xFFFFFF00;
    dc.fillAndDrawEllipse(brush, pen, X + 0.2f * Wg, Y + 0.85f * Hg, 0.1f * Wg, 0.1f * Wg);
    dc.fillAndDrawEllipse(brush, pen, X + 0.7f * Wg, Y + 0.85f * Hg, 0.1f * Wg, 0.1f * Wg);
}
