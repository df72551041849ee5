#include "sim/optics/DoubleSlitWindow.h"

#include "sim/framework/IconLibrary.h"
#include "sim/framework/DrawingContext.h"
#include "sim/framework/DrawingSurface.h"
#include "sim/framework/ImageSurface.h"
#include "sim/framework/ScaleMagnifier.h"
#include "sim/framework/ToolbarItems.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <cmath>

namespace {
const Color32 kBlack = 0xFF000000;
const Color32 kWhite = 0xFFFFFFFF;
const Color32 kScaleYellow = 0xFFFFFF80;
const Color32 kScreenBlue = 0xFFADD8E6;
const Color32 kLampGrey = 0xFFD3D3D3;
} // namespace

DoubleSlitWindow::DoubleSlitWindow(QWidget *parent) : SimulationWindow(parent)
{
    setObjectName(QStringLiteral("doubleSlitWindow"));
    setModelTitle(QStringLiteral("Young's double slit"));

    // ---- toolbar
    m_separationLabel = new ToolbarLabel(m_toolbar, QStringLiteral(" Slit separation"));
    m_separationSpinBox = new ToolbarSpinBox(m_toolbar, {.min = 0.01, .max = 0.1, .step = 0.01, .value = 0.05, .decimals = 2,
                                     .suffix = QStringLiteral(" mm"), .hint = {}, .width = 80});
    m_colourButton = new DropDownButton(m_toolbar, QStringLiteral("Colour"), ColourIcon);
    QAction **items[] = {&m_redAction, &m_orangeAction, &m_yellowAction, &m_greenAction, &m_blueAction, &m_violetAction};
    for (size_t i = 0; i < lightChoices().size(); ++i) {
        const LightChoice &c = lightChoices()[i];
        QAction *a = m_colourButton->addItem(QString::fromLatin1(c.name));
        a->setObjectName(QString::fromLatin1(c.name));
        a->setData(uint(c.light));
        *items[i] = a;
    }
    // Each item's picture: a square of its colour.
    m_colourButton->setItemPainter(
        [](QAction *item, QPainter &p, const QRect &square) {
            for (const LightChoice &c : lightChoices())
                if (c.light == item->data().toUInt())
                    p.fillRect(square, QColor::fromRgb(c.swatch));
        },
        16, 16);
    // The button shows the light's colour over its picture.
    if (QToolButton *b = m_colourButton->button())
        b->installEventFilter(this);

    m_buttonSizes.switchImages = true;
    m_buttonSizes.spinEdit(m_separationSpinBox, 120, 80);
    m_buttonSizes.font(m_separationLabel);
    m_buttonSizes.menu(m_colourButton);

    connect(m_separationSpinBox, &ToolbarSpinBox::valueEdited, this, &DoubleSlitWindow::separationEdited);
    connect(m_colourButton, &DropDownButton::itemClicked, this, [this](QAction *item, bool) { colourChosen(item); });

    // ---- the scroll bar along the bottom, the picture over the rest
    m_distanceScrollBar = new ToolbarScrollBar({.orientation = Qt::Horizontal, .min = 500, .max = 3000, .position = 1500,
                             .smallStep = 1, .pageStep = 10, .hint = {}, .name = QStringLiteral("Slit to screen distance")},
                            this);
    m_distanceScrollBar->setObjectName(QStringLiteral("distanceScrollBar"));
    m_distanceScrollBar->setFixedHeight(20);
    AlignPanel::setAlign(m_distanceScrollBar, PanelAlign::Bottom);
    connect(m_distanceScrollBar, &ToolbarScrollBar::scrolled, this, &DoubleSlitWindow::distanceScrolled);

    m_picture = new ImageSurface(this);
    m_picture->setObjectName(QStringLiteral("picture"));
    m_picture->setMouseTracking(true);
    AlignPanel::setAlign(m_picture, PanelAlign::Client);
    m_markerLayer = m_picture->addLayer();
    m_markerLayer->onPaint = [this](RasterImage &frame, const QRectF &location) { paintMarker(frame, location); };
    connect(m_picture, &ImageSurface::resized, this, &DoubleSlitWindow::pictureResized);
    connect(m_picture, &ImageSurface::mousePressed, this, [this](QMouseEvent *e) { pictureMousePressed(e->position()); });
    connect(m_picture, &ImageSurface::mouseMoved, this, [this](QMouseEvent *e) { pictureMouseMoved(e->position()); });
    connect(m_picture, &ImageSurface::mouseReleased, this, [this](QMouseEvent *) { pictureMouseReleased(); });
}

DoubleSlitWindow::~DoubleSlitWindow() = default;

// ---------------------------------------------------------------- controls

void DoubleSlitWindow::distanceScrolled(int position)
{
    m_D = float(position) * 0.1f;
    drawExperiment();
}

void DoubleSlitWindow::separationEdited()
{
    m_d = float(m_separationSpinBox->value());
    drawExperiment();
}

void DoubleSlitWindow::colourChosen(QAction *item)
{
    if (!item || !m_colourButton->items().contains(item))
        return;
    m_color = LightColor(item->data().toUInt());
    m_lambda = wavelengthOf(m_color);
    if (QToolButton *b = m_colourButton->button())
        b->update();
    drawExperiment();
}

// drawColourSwatch: after the button's own painting, a square of the light
// colour, 20 pixels (40 with large buttons), vertically centred. It covers
// the middle of the button's picture, which this toolkit draws 2 pixels in
// from the frame; so the square is centred on the picture rather than put
// at a fixed 4 pixels from the button's edge, and no bit of the picture
// shows beside it.
QRect DoubleSlitWindow::colorSwatchRect() const
{
    QToolButton *b = m_colourButton ? m_colourButton->button() : nullptr;
    if (!b)
        return QRect();
    const int side = m_largeButtons ? 40 : 20;
    const int frame = b->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, b);
    const int left = frame + 2 + (b->iconSize().width() - side) / 2;
    return QRect(left, (b->height() - side) / 2, side, side);
}

void DoubleSlitWindow::drawColourSwatch(QWidget *button)
{
    QPainter p(button);
    p.fillRect(colorSwatchRect(), QColor::fromRgba(m_color));
}

bool DoubleSlitWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && m_colourButton && watched == m_colourButton->button()) {
        // Let the button paint itself first (a direct call passes no filter).
        static_cast<QObject *>(watched)->event(event);
        drawColourSwatch(static_cast<QWidget *>(watched));
        return true;
    }
    return SimulationWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------- measuring line

void DoubleSlitWindow::pictureMousePressed(const QPointF &pos)
{
    m_markerLayer->setLocation(QRectF(QPointF(pos.x(), m_markerArea.top()),
                               QPointF(pos.x() + 1, m_markerArea.top() + m_markerArea.height())));
    m_markerLayer->setVisible(true);
}

void DoubleSlitWindow::pictureMouseMoved(const QPointF &pos)
{
    if (m_markerArea.contains(pos.toPoint()))
        m_picture->setCursor(Qt::PointingHandCursor);
    else
        m_picture->unsetCursor();
    if (m_markerLayer->visible()) {
        QRectF r = m_markerLayer->location();
        r.moveLeft(pos.x());
        r.setWidth(1);
        m_markerLayer->setLocation(r);
    }
}

void DoubleSlitWindow::pictureMouseReleased()
{
    m_markerLayer->setVisible(false);
}

void DoubleSlitWindow::paintMarker(RasterImage &frame, const QRectF &location)
{
    const int x = int(std::nearbyint(location.left()));
    const int top = int(std::nearbyint(location.top())), bottom = int(std::nearbyint(location.bottom()));
    // A black line between two white ones: it shows on a bright fringe and
    // on a dark one alike.
    frame.verticalLine(x - 1, top, bottom, kWhite);
    frame.verticalLine(x + 1, top, bottom, kWhite);
    frame.verticalLine(x, top, bottom, kBlack);

    const QString reading = lineReading();
    if (reading.isEmpty())
        return;
    QPainter p(&frame.image());
    p.setFont(readingFont());
    const QRect box = readingRect(reading);
    p.setPen(QPen(QColor::fromRgba(kBlack), 0));
    p.setBrush(Qt::white);
    p.drawRect(box.adjusted(0, 0, -1, -1));
    p.drawText(box, Qt::AlignCenter, reading);
}

QFont DoubleSlitWindow::readingFont() const
{
    // As the scales' numbers, but never too small to read.
    QFont font(pictureFontFamily(QStringLiteral("Arial")));
    font.setBold(true);
    font.setPixelSize(std::max(11, int(std::lround(2 * m_u))));
    return font;
}

QString DoubleSlitWindow::lineReading() const
{
    if (!m_markerLayer->visible())
        return QString();
    const double x = std::nearbyint(m_markerLayer->location().left());
    const double mm = screenPositionMm(x, m_picture->width(), m_picture->height());
    // Off the screen there is nothing to read.
    if (std::abs(mm) > kScreenDivisions / 2 * 10.0)
        return QString();
    return screenReading(mm);
}

QRect DoubleSlitWindow::readingRect(const QString &reading) const
{
    // Under the screen's scale, centred on the line, kept on the picture.
    const QSize text = QFontMetrics(readingFont()).size(0, reading);
    const QSize size(text.width() + 8, text.height() + 4);
    const int x = int(std::nearbyint(m_markerLayer->location().left()));
    const int top = m_markerArea.bottom() + 1 + int(std::lround(3 * m_u));
    const int left = std::clamp(x - size.width() / 2, 1, std::max(1, m_picture->width() - 1 - size.width()));
    return QRect(QPoint(left, top), size);
}

// ---------------------------------------------------------------- drawing

void DoubleSlitWindow::pictureResized()
{
    m_picture->fitBitmapToSize();
    m_u = pictureUnit(m_picture->width(), m_picture->height());
    m_markerArea = ::markerArea(m_picture->width(), m_picture->height());
    drawExperiment();
}

void DoubleSlitWindow::drawExperiment()
{
    RasterImage &b = m_picture->bitmap();
    if (m_closing || b.isEmpty())
        return;
    const float u = m_u;
    m_picture->beginUpdate();
    b.clear(0xFFFFFFFF);
    {
        DrawingContext dc(b);
        dc.translate(float(b.width()) / 2.0f, float(b.height()) / 2.0f);
        dc.setTextRendering(TextRendering::AntiAlias);

        drawFringes(dc, screenRect(u));
        drawScreenScale(dc, screenScaleRect(u));
        drawBenchScale(dc, benchScaleRect(u));

        // The magnifier reads the screen's place on the bench; the screen
        // itself stands on its centre line.
        DrawPen pen(kBlack, 1);
        MagnifierSettings glass;
        glass.benchLength = 300.0f;
        glass.stripHeight = 0.35f;
        glass.penColor = kBlack;
        glass.unitLabel = QStringLiteral("cm");
        glass.contentAfter = [](DrawingContext &dc, DrawPen &pen, const MagnifierGlass &g) {
            dc.fillRectangle(DrawBrush(kScreenBlue), g.cx, g.y, 4 * g.g, g.s / 2);
            dc.drawRectangle(pen, g.cx, g.y, 4 * g.g, g.s / 2);
        };
        const QRectF square = magnifierSquare(u);
        drawScaleMagnifier(dc, pen, float(square.x()), float(square.y()), float(square.width()), m_D, glass);

        // Side view: slits, beam, screen, lamp; lamp and screen cover the
        // beam's ends.
        dc.setSmoothing(Smoothing::None);
        dc.fillRectangle(DrawBrush(kBlack), -35 * u, 34 * u, 0.5f * u, 8 * u);
        const float xs = benchScreenX(m_D, u);
        dc.drawLine(DrawPen(m_color, 2), -45 * u, 38 * u, xs, 38 * u);
        dc.fillAndDrawRectangle(DrawBrush(kScreenBlue), DrawPen(kBlack, 1), QRectF(xs, 33 * u, u, 10 * u));
        dc.fillAndDrawRectangle(DrawBrush(kLampGrey), DrawPen(kBlack, 1), QRectF(-49 * u, 35 * u, 10 * u, 6 * u));
    }
    b.frameRect(0, 0, b.width(), b.height(), 0xFF3F3F3F);
    m_picture->endUpdate();
}

void DoubleSlitWindow::drawFringes(DrawingContext &dc, const QRectF &r)
{
    const float X = float(r.x()), Y = float(r.y()), Wr = float(r.width()), Hr = float(r.height());
    dc.fillRectangle(DrawBrush(kBlack), X, Y, Wr, Hr);
    DrawPath clip;
    clip.addRectangle(X, Y, Wr, Hr);
    dc.setClip(clip);

    m_fringes = fringeLayout(Wr, m_lambda, m_D, m_d);
    const std::vector<int> alphas = fringeLineAlphas(m_fringes);
    dc.drawRectangle(DrawPen(kBlack, 1), X, Y, Wr, Hr);

    // Each bright fringe fades linearly from its centre: line j has alpha
    // 255 - j h. The screen's centre is x = 0.
    DrawPen pen(m_color, 1);
    for (int i = 0; i <= m_fringes.orders; ++i) {
        const float c = float(i) * m_fringes.spacing;
        for (int j = 0; j < int(alphas.size()); ++j) {
            pen.color = withAlpha(m_color, alphas[j]);
            const float fj = float(j);
            dc.drawLine(pen, c + fj, Y, c + fj, Y + Hr);
            if (j > 0)
                dc.drawLine(pen, c - fj, Y, c - fj, Y + Hr);
            if (i > 0) {
                dc.drawLine(pen, -c + fj, Y, -c + fj, Y + Hr);
                if (j > 0)
                    dc.drawLine(pen, -c - fj, Y, -c - fj, Y + Hr);
            }
        }
    }
    dc.resetClip();
}

void DoubleSlitWindow::drawScreenScale(DrawingContext &dc, const QRectF &r)
{
    const float X = float(r.x()), Y = float(r.y()), Wr = float(r.width()), Hr = float(r.height());
    dc.fillAndDrawRectangle(DrawBrush(kScaleYellow), DrawPen(kBlack, 1), r);
    const DrawFont font(QStringLiteral("Arial"), 0.4f * Hr, true);
    const TextFormat topCentre(TextAlign::Center, TextAlign::Near);
    const DrawPen pen(kBlack, 1);
    const DrawBrush brush(kBlack);
    for (int i = 1; i < kScreenDivisions; ++i) {
        const float x = X + float(i) * Wr / float(kScreenDivisions);
        if (i % 5 == 0) {
            dc.drawLine(pen, x, Y, x, Y + 0.5f * Hr);
            dc.drawString(QString::number(std::abs(i - kScreenDivisions / 2)), font, QPointF(x, Y + 0.5f * Hr),
                          topCentre, brush);
        } else {
            dc.drawLine(pen, x, Y, x, Y + 0.2f * Hr);
        }
    }
    // The divisions are centimetres: the fringe spacing in divisions is
    // lambda*D/d in centimetres, which is what a learner measures here.
    dc.drawString(QStringLiteral("(cm)"), font, QPointF(0, Y + Hr), topCentre, brush);
}

void DoubleSlitWindow::drawBenchScale(DrawingContext &dc, const QRectF &r)
{
    const float X = float(r.x()), Y = float(r.y()), Wr = float(r.width()), Hr = float(r.height());
    dc.fillAndDrawRectangle(DrawBrush(kScaleYellow), DrawPen(kBlack, 1), r);
    const DrawFont font(QStringLiteral("Arial"), 0.4f * Hr, true);
    const TextFormat topCentre(TextAlign::Center, TextAlign::Near);
    const DrawPen pen(kBlack, 1);
    const DrawBrush brush(kBlack);
    for (int i = 1; i <= 30; ++i) {
        const float x = X + float(i) * Wr / 31.0f;
        if (i % 10 == 0) {
            dc.drawLine(pen, x, Y, x, Y + 0.5f * Hr);
            dc.drawString(QStringLiteral("%1m").arg(i / 10), font, QPointF(x, Y + 0.5f * Hr), topCentre, brush);
        } else if (i % 5 == 0) {
            dc.drawLine(pen, x, Y, x, Y + 0.3f * Hr);
        } else {
            dc.drawLine(pen, x, Y, x, Y + 0.2f * Hr);
        }
    }
}
