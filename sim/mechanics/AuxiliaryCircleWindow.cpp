#include "sim/mechanics/AuxiliaryCircleWindow.h"

#include "core/NumberText.h"
#include "sim/framework/DrawingContext.h"
#include "sim/framework/ImageSurface.h"
#include "sim/framework/RasterImage.h"
#include "sim/framework/ToolbarItems.h"

#include <QLabel>
#include <QToolBar>

namespace {
const Color32 kWhite = 0xFFFFFFFF;
const Color32 kBlack = 0xFF000000;
const Color32 kGrey = 0xFF808080;
const Color32 kRed = 0xFFFF0000;
const Color32 kBlue = 0xFF0000FF;
const Color32 kBorderGrey = 0xFF3F3F3F;
constexpr int kScrollBarHeight = 20;
constexpr int kLabelHeight = 16;
constexpr double kDegreesPerPosition = 3.6;

QString angleText(double degrees)
{
    return QStringLiteral("Angle = %1°").arg(formatFixed2(degrees));
}

QVector<QPointF> toPolyline(const std::vector<QPointF> &points)
{
    return QVector<QPointF>(points.begin(), points.end());
}
} // namespace

AuxiliaryCircleWindow::AuxiliaryCircleWindow(QWidget *parent) : SimulationWindow(parent)
{
    setObjectName(QStringLiteral("auxiliaryCircleWindow"));
    setModelTitle(QStringLiteral("Auxiliary circle"));

    // ---- toolbar
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    addRunButton(RunButton::Start, QStringLiteral("Start"));
    addRunButton(RunButton::Stop, QStringLiteral("Stop"));
    m_toolbar->addSeparator();
    m_phaseLabel = new ToolbarLabel(m_toolbar, QStringLiteral("Phase"));
    m_phaseSpinBox = new ToolbarSpinBox(m_toolbar, {.min = -kAuxiliaryCirclePhaseLimit, .max = kAuxiliaryCirclePhaseLimit,
                                                    .step = 10, .value = 0, .decimals = 0, .suffix = {},
                                                    .hint = QStringLiteral("Set the phase angle"), .width = 0});
    m_phaseSpinBox->setObjectName(QStringLiteral("phaseSpinBox"));
    m_phaseSpinBox->setAccessibleName(QStringLiteral("Phase"));
    m_phaseSpinBox->setAccessibleDescription(
        QStringLiteral("How many degrees the blue point runs ahead of the red one, -360 to 360; 0 hides it"));
    if (QWidget *b = m_toolbar->widgetForAction(m_startAction))
        b->setAccessibleDescription(QStringLiteral("Start the point running round the circle"));
    if (QWidget *b = m_toolbar->widgetForAction(m_stopAction))
        b->setAccessibleDescription(QStringLiteral("Stop the point; the scroll bar then turns it by hand"));
    connect(m_phaseSpinBox, &ToolbarSpinBox::valueEdited, this, &AuxiliaryCircleWindow::phaseEdited);

    m_buttonSizes.switchImages = true;

    // ---- the picture and its scroll bar, placed by layoutPanes()
    m_picture = new ImageSurface(this);
    m_picture->setObjectName(QStringLiteral("picture"));
    m_picture->setAccessibleName(QStringLiteral("Auxiliary circle"));
    connect(m_picture, &ImageSurface::resized, this, [this] {
        m_picture->fitBitmapToSize();
        drawAuxiliaryCircle();
    });

    m_positionScrollBar = new ToolbarScrollBar({.orientation = Qt::Horizontal, .min = 0, .max = kAuxiliaryCircleRevolution,
                                                .position = 0, .smallStep = 1, .pageStep = 1,
                                                .hint = QStringLiteral("Scroll through the animation"), .name = QStringLiteral("Angle")},
                                               this);
    m_positionScrollBar->setObjectName(QStringLiteral("positionScrollBar"));
    m_positionScrollBar->setAccessibleName(QStringLiteral("Angle"));
    m_positionScrollBar->setAccessibleDescription(
        QStringLiteral("Turns the point by hand while it is stopped: 0 to 100 for one turn, 3.6 degrees a step"));
    connect(m_positionScrollBar, &ToolbarScrollBar::scrolled, this, &AuxiliaryCircleWindow::positionScrolled);

    // ---- the angle along the top, over the picture's margin
    m_angleLabel = new QLabel(angleText(0.0), this);
    m_angleLabel->setObjectName(QStringLiteral("angleLabel"));
    QFont labelFont(pictureFontFamily(QStringLiteral("Arial")));
    labelFont.setPixelSize(13);
    m_angleLabel->setFont(labelFont);
    m_angleLabel->setFixedHeight(kLabelHeight);
    m_angleLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    AlignPanel::setAlign(m_angleLabel, PanelAlign::Top);
    m_angleLabel->raise();

    createClock();
    layoutPanes();
}

AuxiliaryCircleWindow::~AuxiliaryCircleWindow() = default;

void AuxiliaryCircleWindow::resizeEvent(QResizeEvent *event)
{
    SimulationWindow::resizeEvent(event);
    layoutPanes();
}

void AuxiliaryCircleWindow::layoutPanes()
{
    // The label is left out of the free height: the picture may reach up
    // behind it, where the picture has only its white margin.
    const AuxiliaryCircleLayout l = auxiliaryCircleLayout(width(), height(), kScrollBarHeight);
    m_unit = l.unit;
    m_picture->setGeometry(l.picture);
    m_positionScrollBar->setGeometry(l.scrollBar);
    m_picture->fitBitmapToSize();
    drawAuxiliaryCircle();
}

// ---------------------------------------------------------------- handlers

void AuxiliaryCircleWindow::runButtonClicked(QObject *sender)
{
    switch (runButtonOf(sender)) {
    case RunButton::Start:
        m_model.start();
        showRunning();
        m_positionScrollBar->setEnabled(false);
        break;
    case RunButton::Stop:
        m_model.stop();
        showStopped(false);
        m_positionScrollBar->setEnabled(true);
        // The bar comes to where the point is; the label keeps its text.
        m_positionScrollBar->setPosition(m_model.scrollPosition());
        describePicture();
        break;
    case RunButton::Reset:
    case RunButton::None:
        break;
    }
}

void AuxiliaryCircleWindow::step(double deltaTime)
{
    if (!m_model.tick(advance(m_model.position(), deltaTime, 1.0)))
        return;
    drawAuxiliaryCircle();
    processEvents();
}

void AuxiliaryCircleWindow::positionScrolled(int position)
{
    m_model.scrollTo(position);
    drawAuxiliaryCircle();
    m_angleLabel->setText(angleText(position * kDegreesPerPosition));
    describePicture();
}

void AuxiliaryCircleWindow::phaseEdited()
{
    if (!m_model.setPhase(m_phaseSpinBox->value()))
        return;
    drawAuxiliaryCircle();
    describePicture();
}

void AuxiliaryCircleWindow::describePicture()
{
    QString text = QStringLiteral("Red point at %1 degrees").arg(formatFixed2(m_model.position() * kDegreesPerPosition));
    if (m_model.phase() != 0)
        text += QStringLiteral("; blue point %1 degrees ahead").arg(m_model.phase());
    m_picture->setAccessibleDescription(text);
}

// ---------------------------------------------------------------- picture

void AuxiliaryCircleWindow::drawAuxiliaryCircle()
{
    RasterImage &b = m_picture->bitmap();
    if (isClosing() || b.isEmpty())
        return;
    const float U = m_unit;
    const AuxiliaryCirclePicture pic = auxiliaryCirclePicture(U, m_model.position(), m_model.phase());

    m_picture->beginUpdate();
    b.clear(kWhite);
    {
        DrawingContext dc(b);
        dc.translate(b.width() / 2.0f, b.height() / 2.0f);
        DrawPen pen(kGrey, 1.0f);
        DrawBrush brush(kRed);

        // The axes through the middle.
        dc.drawLine(pen, 0, -50 * U, 0, 50 * U);
        dc.drawLine(pen, -50 * U, 0, 50 * U, 0);

        dc.setSmoothing(Smoothing::HighQuality);
        pen.color = kBlack;
        dc.drawEllipse(pen, float(pic.circle.x()), float(pic.circle.y()), float(pic.circle.width()),
                       float(pic.circle.height()));
        dc.drawLines(pen, toPolyline(pic.curve));
        if (!pic.shiftedCurve.empty())
            dc.drawLines(pen, toPolyline(pic.shiftedCurve));

        // The radius to each point and its projection across to the graph.
        pen.color = kGrey;
        auto drawLines = [&](const AuxiliaryCirclePoint &p) {
            dc.drawLine(pen, float(pic.centre.x()), 0, float(p.onCircle.x()), float(p.onCircle.y()));
            dc.drawLine(pen, float(p.onCircle.x()), float(p.onCircle.y()), float(p.onGraph.x()), float(p.onGraph.y()));
        };
        drawLines(pic.point);
        if (pic.second)
            drawLines(*pic.second);

        // The dots, the second point's over the first's.
        pen.color = kBlack;
        auto drawDots = [&](const AuxiliaryCirclePoint &p) {
            for (const QPointF &c : {p.onCircle, p.onAxis, p.onGraph})
                dc.fillAndDrawEllipse(brush, pen, float(c.x()) - U, float(c.y()) - U, 2 * U, 2 * U);
        };
        drawDots(pic.point);
        if (pic.second) {
            brush.color = kBlue;
            drawDots(*pic.second);
        }
    }
    b.frameRect(0, 0, b.width(), b.height(), kBorderGrey);
    m_picture->endUpdate();
}
