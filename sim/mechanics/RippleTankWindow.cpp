#include "sim/mechanics/RippleTankWindow.h"

#include "sim/framework/DrawingContext.h"
#include "sim/framework/PaintBox.h"
#include "sim/framework/ToolbarItems.h"

#include <QResizeEvent>
#include <QToolBar>

namespace {
const Color32 kWhite = 0xFFFFFFFF;
const Color32 kBlack = 0xFF000000;
const Color32 kBlue = 0xFF0000FF;
const Color32 kRed = 0xFFFF0000;
const Color32 kSingleBarrier = 0xFF3F3F3F;
const Color32 kDoubleBarrier = 0xFF808080;
const Color32 kBorderGrey = 0xFF3F3F3F;
constexpr float kCrestWidth = 2.0f;
} // namespace

RippleTankWindow::RippleTankWindow(QWidget *parent) : SimulationWindow(parent)
{
    setObjectName(QStringLiteral("rippleTankWindow"));
    setModelTitle(QStringLiteral("Ripple tank"));

    // ---- toolbar (Start and Stop both begin enabled)
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    addRunButton(RunButton::Start, QStringLiteral("Start"));
    addRunButton(RunButton::Stop, QStringLiteral("Stop"));
    m_toolbar->addSeparator();
    m_slitWidthLabel = new ToolbarLabel(m_toolbar, QStringLiteral(" Slit width "));
    m_slitWidthSpinBox = new ToolbarSpinBox(
        m_toolbar, {.min = RippleTankModel::kMinSlitWidth, .max = RippleTankModel::kMaxSlitWidth, .step = 1,
                    .value = double(m_model.slitWidth()), .decimals = 0, .suffix = {},
                    .hint = QStringLiteral("Set the slit width, in wavelengths"), .width = 40});
    m_slitWidthSpinBox->setObjectName(QStringLiteral("slitWidthSpinBox"));
    m_slitWidthSpinBox->setAccessibleName(QStringLiteral("Slit width"));
    m_separationLabel = new ToolbarLabel(m_toolbar, QStringLiteral(" Slit separation "));
    m_separationSpinBox = new ToolbarSpinBox(
        m_toolbar, {.min = RippleTankModel::kMinSeparation, .max = RippleTankModel::kMaxSeparation, .step = 1,
                    .value = double(m_model.slitSeparation()), .decimals = 0, .suffix = {},
                    .hint = QStringLiteral("Set the distance between the slits, in wavelengths"), .width = 40});
    m_separationSpinBox->setObjectName(QStringLiteral("separationSpinBox"));
    m_separationSpinBox->setAccessibleName(QStringLiteral("Slit separation"));
    m_separationLabel->setItemVisible(false);
    m_separationSpinBox->setItemVisible(false);
    m_toolbar->addSeparator();
    m_optionsButton = new DropDownButton(m_toolbar, QStringLiteral("Options"), -1,
                                         QStringLiteral("Select one slit or two"));
    m_singleSlitAction = m_optionsButton->addItem(QStringLiteral("Single slit"), 1, 1, true);
    m_doubleSlitAction = m_optionsButton->addItem(QStringLiteral("Double slit"), 1, 2);
    m_optionsButton->button()->setAccessibleName(QStringLiteral("Options"));
    m_optionsButton->button()->setAccessibleDescription(QStringLiteral("Select one slit or two"));

    m_buttonSizes.switchImages = true;
    m_buttonSizes.spinEdit(m_separationSpinBox, 60, 40);
    m_buttonSizes.spinEdit(m_slitWidthSpinBox, 60, 40);
    m_buttonSizes.font(m_separationLabel);
    m_buttonSizes.font(m_slitWidthLabel);
    m_buttonSizes.menu(m_optionsButton);

    connect(m_slitWidthSpinBox, &ToolbarSpinBox::valueEdited, this, &RippleTankWindow::slitsEdited);
    connect(m_separationSpinBox, &ToolbarSpinBox::valueEdited, this, &RippleTankWindow::slitsEdited);
    connect(m_optionsButton, &DropDownButton::itemClicked, this, &RippleTankWindow::slitModeChosen);

    // ---- the tank and its time slider, placed by layoutPanes()
    m_picture = new PaintBox(this);
    m_picture->setObjectName(QStringLiteral("picture"));
    m_picture->setAccessibleName(QStringLiteral("Ripple tank"));
    connect(m_picture, &PaintBox::resized, this, &RippleTankWindow::drawTank);

    m_timeScrollBar = new ToolbarScrollBar({.orientation = Qt::Horizontal, .min = 0,
                                            .max = RippleTankModel::kSliderMax, .position = 0, .smallStep = 1,
                                            .pageStep = 1, .hint = QStringLiteral("Scroll through the animation")},
                                           this);
    m_timeScrollBar->setObjectName(QStringLiteral("timeScrollBar"));
    m_timeScrollBar->setAccessibleName(QStringLiteral("Time"));
    connect(m_timeScrollBar, &ToolbarScrollBar::scrolled, this, &RippleTankWindow::timeScrolled);

    createClock();
    slitsEdited(); // the editors' descriptions
    describeTime();
}

RippleTankWindow::~RippleTankWindow() = default;

void RippleTankWindow::resizeEvent(QResizeEvent *event)
{
    SimulationWindow::resizeEvent(event);
    layoutPanes();
}

// ---------------------------------------------------------------- handlers

void RippleTankWindow::layoutPanes()
{
    const RippleLayout l = RippleTankModel::layout(width(), height(), m_timeScrollBar->sizeHint().height());
    m_cell = l.cell;
    // The cell follows the tank's side, so a tank that keeps its size keeps
    // its picture; a new size redraws through the picture's resized().
    m_picture->setGeometry(l.tank);
    m_timeScrollBar->setGeometry(l.slider);
}

void RippleTankWindow::step(double deltaTime)
{
    m_model.setTime(advance(m_model.time(), deltaTime, 0.05, RippleTankModel::kTimeWrap));
    drawTank();
    if (m_timeScrollBar->position() != m_model.sliderPosition()) {
        m_timeScrollBar->setPosition(m_model.sliderPosition());
        describeTime();
    }
    processEvents();
}

void RippleTankWindow::timeScrolled(int position)
{
    m_model.setSliderPosition(position);
    describeTime();
    drawTank();
}

void RippleTankWindow::slitsEdited()
{
    m_model.setSlits(m_slitWidthSpinBox->value(), m_separationSpinBox->value());
    m_slitWidthSpinBox->setAccessibleDescription(
        QStringLiteral("Slit width, %1 wavelengths").arg(m_model.slitWidth()));
    m_separationSpinBox->setAccessibleDescription(
        QStringLiteral("Slit separation, %1 wavelengths").arg(m_model.slitSeparation()));
    drawTank();
}

void RippleTankWindow::slitModeChosen(QAction *item, bool wasChecked)
{
    if (wasChecked)
        return;
    const SlitMode mode = item == m_doubleSlitAction ? SlitMode::Double : SlitMode::Single;
    if (!m_model.setMode(mode))
        return;
    const bool single = mode == SlitMode::Single;
    m_slitWidthLabel->setItemVisible(single);
    m_slitWidthSpinBox->setItemVisible(single);
    m_separationLabel->setItemVisible(!single);
    m_separationSpinBox->setItemVisible(!single);
    drawTank();
}

void RippleTankWindow::describeTime()
{
    m_timeScrollBar->setAccessibleDescription(
        QStringLiteral("Time, step %1 of %2").arg(m_timeScrollBar->position()).arg(RippleTankModel::kSliderMax));
}

// ---------------------------------------------------------------- picture

void RippleTankWindow::drawTank()
{
    if (isClosing() || m_picture->bitmap().isEmpty())
        return;
    RasterImage &b = m_picture->bitmap();
    const RipplePicture p = m_model.picture(m_cell, b.height());
    const bool single = m_model.mode() == SlitMode::Single;
    m_picture->beginUpdate();
    b.clear(kWhite);
    {
        DrawingContext dc(b);
        auto line = [&](const DrawPen &pen, const QLineF &l) {
            dc.drawLine(pen, float(l.x1()), float(l.y1()), float(l.x2()), float(l.y2()));
        };
        // Straight crests: crisp, without smoothing.
        const DrawPen incident(single ? kBlue : kBlack, kCrestWidth);
        dc.setSmoothing(Smoothing::None);
        for (const QLineF &l : p.incident)
            line(incident, l);

        // Circular crests; with two slits the upper slit's family is red
        // and the lower one's blue, drawn over it.
        dc.setSmoothing(Smoothing::HighQuality);
        const DrawPen blue(kBlue, kCrestWidth), red(kRed, kCrestWidth);
        for (const RippleArc &a : p.arcs) {
            const float r = float(a.radius);
            dc.drawArc(a.source == RippleSource::UpperSlit ? red : blue, float(a.centre.x()) - r,
                       float(a.centre.y()) - r, 2 * r, 2 * r, a.startAngle, a.sweepAngle);
        }
        for (const QLineF &l : p.flat)
            line(blue, l);

        dc.setSmoothing(Smoothing::None);
        const DrawBrush barrier(single ? kSingleBarrier : kDoubleBarrier);
        for (const QRectF &r : p.barrier)
            dc.fillRectangle(barrier, float(r.x()), float(r.y()), float(r.width()), float(r.height()));
    }
    b.frameRect(0, 0, b.width(), b.height(), kBorderGrey);
    m_picture->endUpdate();
}
