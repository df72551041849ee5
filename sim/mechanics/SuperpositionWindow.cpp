#include "sim/mechanics/SuperpositionWindow.h"

#include "sim/framework/Hints.h"
#include "sim/framework/IconLibrary.h"
#include "sim/framework/RasterImage.h"
#include "sim/framework/DrawingContext.h"
#include "sim/framework/DrawingSurface.h"
#include "sim/framework/PaintBox.h"
#include "sim/framework/ProjectorMode.h"
#include "sim/framework/ToolbarItems.h"

#include <QKeyEvent>
#include <QLabel>
#include <QStyleOptionViewItem>
#include <QVBoxLayout>
#include <QPainter>
#include "sim/framework/ThemedSplitter.h"
#include <QToolBar>
#include <cmath>

namespace {

// The frame both graphs share: grid, the curve, the plot's outline, the
// axis numbers with their ticks and the rotated "Displacement" title.
void drawGraph(DrawingSurface *surface, const QRectF &plot, float unit, const QVector<AxisNumber> &numbers,
               const std::function<void(DrawingContext &)> &curve)
{
    RasterImage &b = surface->bitmap();
    surface->beginUpdate();
    b.clear(0xFFFFFFFF);
    {
        DrawingContext dc(b);
        const float X = float(plot.left()), Y = float(plot.top());
        const float W = float(plot.width()), H = float(plot.height());
        const float g = H / 10.0f;

        DrawPen grid(0xFFD3D3D3, 1);
        for (int i = 1; i <= 11; ++i) {
            const float x = X + float(i) * W / 12.0f;
            dc.drawLine(grid, x, Y, x, Y + H);
        }
        for (int i = 1; i <= 9; ++i)
            dc.drawLine(grid, X, Y + float(i) * g, X + W, Y + float(i) * g);

        curve(dc);

        const DrawPen black(0xFF000000, 1);
        dc.drawRectangle(black, X, Y, W, H);

        const DrawFont font(QStringLiteral("Arial"), 0.4f * unit);
        const DrawBrush brush(0xFF000000);
        dc.setTextRendering(TextRendering::AntiAlias);
        const TextFormat topCentre(TextAlign::Center, TextAlign::Near);
        for (const AxisNumber &n : numbers) {
            dc.drawString(n.text, font, QPointF(n.x, Y + H), topCentre, brush);
            if (n.tick)
                dc.drawLine(black, n.x, Y + H - 0.2f * unit, n.x, Y + H);
        }

        // Reads upwards along the left side, centred on the mid-height.
        dc.translate(X, Y + H / 2.0f);
        dc.rotate(-90.0f);
        dc.drawString(QStringLiteral("Displacement"), font, QPointF(0, 0), TextFormat(TextAlign::Center, TextAlign::Far),
                      brush);
        dc.resetTransform();
    }
    b.frameRect(0, 0, b.width(), b.height(), 0xFF3F3F3F);
    surface->endUpdate();
}

} // namespace

SineListItem::SineListItem(std::unique_ptr<SineComponent> info) : m_info(std::move(info))
{
    setText(m_info->formulaText());
    setFlags(flags() | Qt::ItemIsUserCheckable);
    setCheckState(Qt::Checked);
}

SuperpositionWindow::SuperpositionWindow(QWidget *parent) : SimulationWindow(parent)
{
    setObjectName(QStringLiteral("superpositionWindow"));
    setModelTitle(QStringLiteral("Superposition of waves"));

    // ---- toolbar
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_frequencyLabel = new ToolbarLabel(m_toolbar, QStringLiteral(" Frequency "));
    m_frequencySpinBox = new ToolbarSpinBox(m_toolbar, {.min = 1.0, .max = 20.0, .step = 0.1, .value = 1.0, .decimals = 1,
                                     .suffix = {}, .hint = QStringLiteral("Set the frequency"), .width = 55});
    m_toolbar->addSeparator();
    m_amplitudeLabel = new ToolbarLabel(m_toolbar, QStringLiteral(" Amplitude"));
    m_amplitudeSpinBox = new ToolbarSpinBox(m_toolbar, {.min = -10.0, .max = 10.0, .step = 0.1, .value = 10.0, .decimals = 1,
                                    .suffix = {}, .hint = QStringLiteral("Set the amplitude"), .width = 55});
    m_toolbar->addSeparator();
    m_phaseLabel = new ToolbarLabel(m_toolbar, QStringLiteral(" Phase"));
    m_phaseSpinBox = new ToolbarSpinBox(m_toolbar, {.min = -360, .max = 360, .step = 1, .value = 0, .decimals = 0,
                                      .suffix = {}, .hint = QStringLiteral("Set the phase"), .width = 45});
    m_toolbar->addSeparator();
    m_addAction = addToolButton(m_toolbar, QStringLiteral("Add"), AddIcon,
                           QStringLiteral("Add the current wave to the combined graph"));
    m_clearAction = addToolButton(m_toolbar, QStringLiteral("Clear"), ClearListIcon,
                              QStringLiteral("Clear all entries in the list"));
    m_scaleButton = new DropDownButton(m_toolbar, QStringLiteral("Scale"), ZoomInIcon,
                                   QStringLiteral("Set the graph X axis scale"));
    m_oneCycleAction = m_scaleButton->addItem(QStringLiteral("360 degrees"), 1, 1, true);
    m_twoCyclesAction = m_scaleButton->addItem(QStringLiteral("2 x 360 degrees"), 1, 2);
    m_threeCyclesAction = m_scaleButton->addItem(QStringLiteral("3 x 360 degrees"), 1, 3);
    m_examplesButton = new DropDownButton(m_toolbar, QStringLiteral("Examples"));
    m_squareWaveAction = m_examplesButton->addItem(QStringLiteral("Square wave"));
    m_triangularWaveAction = m_examplesButton->addItem(QStringLiteral("Triangular wave"));
    m_beatsAction = m_examplesButton->addItem(QStringLiteral("Beats"));
    m_modulationAction = m_examplesButton->addItem(QStringLiteral("Amplitude modulation"));

    m_buttonSizes.switchImages = true;
    m_buttonSizes.spinEdit(m_frequencySpinBox, 75, 55);
    m_buttonSizes.spinEdit(m_amplitudeSpinBox, 75, 55);
    m_buttonSizes.spinEdit(m_phaseSpinBox, 65, 45);
    m_buttonSizes.font(m_frequencyLabel);
    m_buttonSizes.font(m_amplitudeLabel);
    m_buttonSizes.font(m_phaseLabel);
    m_buttonSizes.menu(m_examplesButton);
    m_buttonSizes.menu(m_scaleButton, false);

    connect(m_frequencySpinBox, &ToolbarSpinBox::valueEdited, this, &SuperpositionWindow::waveEdited);
    connect(m_amplitudeSpinBox, &ToolbarSpinBox::valueEdited, this, &SuperpositionWindow::waveEdited);
    connect(m_phaseSpinBox, &ToolbarSpinBox::valueEdited, this, &SuperpositionWindow::waveEdited);
    connect(m_addAction, &QAction::triggered, this, [this] { listButtonClicked(m_addAction); });
    connect(m_clearAction, &QAction::triggered, this, [this] { listButtonClicked(m_clearAction); });
    connect(m_scaleButton, &DropDownButton::itemClicked, this, [this](QAction *item, bool wasChecked) {
        if (!wasChecked)
            scaleChosen(item);
    });
    connect(m_examplesButton, &DropDownButton::itemClicked, this, [this](QAction *item, bool) { exampleChosen(item); });

    // ---- surfaces: the list and the wave graph above, the sum graph below
    m_sumSplitter = new ThemedSplitter(Qt::Vertical, this);
    AlignPanel::setAlign(m_sumSplitter, PanelAlign::Client);
    m_upperSplitter = new ThemedSplitter(Qt::Horizontal, m_sumSplitter);
    // The list under its heading.
    auto *listPane = new QWidget(m_upperSplitter);
    auto *listLayout = new QVBoxLayout(listPane);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->setSpacing(0);
    m_listHeading = new QLabel(QStringLiteral("Components (ticked ones are added)"), listPane);
    m_listHeading->setObjectName(QStringLiteral("listHeading"));
    m_listHeading->setWordWrap(true);
    m_listHeading->setContentsMargins(4, 3, 4, 3);
    m_waveList = new QListWidget(listPane);
    m_listHeading->setBuddy(m_waveList);
    m_waveList->setAccessibleName(QStringLiteral("Components"));
    m_waveList->setAccessibleDescription(QStringLiteral("Ticked waves are added; Space ticks or unticks, Delete removes"));
    m_waveList->setObjectName(QStringLiteral("waveList"));
    QFont lf(pictureFontFamily(QStringLiteral("Arial")));
    lf.setPixelSize(13);
    lf.setBold(true);
    m_waveList->setFont(lf);
    QFont hf = lf;
    hf.setBold(false);
    m_listHeading->setFont(hf);
    listLayout->addWidget(m_listHeading);
    listLayout->addWidget(m_waveList, 1);
    m_waveList->setUniformItemSizes(true);
    setListRowHeight();
    m_waveList->setSelectionMode(QAbstractItemView::SingleSelection);
    setHint(m_waveList, QStringLiteral("Use the DELETE key to remove an entry"));
    m_waveList->installEventFilter(this);
    m_wavePicture = new PaintBox(m_upperSplitter);
    m_wavePicture->setObjectName(QStringLiteral("wavePicture"));
    m_wavePicture->setAccessibleName(QStringLiteral("Current wave"));
    m_upperSplitter->setStretchFactor(0, 0);
    m_upperSplitter->setStretchFactor(1, 1);
    // Wide enough for the longest formula an entry can have; the splitter
    // still lets the reader change it.
    m_upperSplitter->setSizes({formulaListWidth(), 600});
    m_sumPicture = new PaintBox(m_sumSplitter);
    m_sumPicture->setObjectName(QStringLiteral("sumPicture"));
    m_sumPicture->setAccessibleName(QStringLiteral("Combined graph"));
    m_sumSplitter->setStretchFactor(0, 0);
    m_sumSplitter->setStretchFactor(1, 1);

    connect(m_waveList, &QListWidget::currentRowChanged, this, [this] {
        if (!m_selecting)
            listClicked();
    });
    connect(m_waveList, &QListWidget::itemChanged, this, [this] { listCheckToggled(); });
    connect(m_wavePicture, &PaintBox::resized, this, &SuperpositionWindow::pictureResized);
    connect(m_sumPicture, &PaintBox::resized, this, &SuperpositionWindow::sumPictureResized);
    layoutPanes();
}

SuperpositionWindow::~SuperpositionWindow()
{
    // Destruction
    m_closing = true;
    clearList();
}

// ---------------------------------------------------------------- list

const SineComponent *SuperpositionWindow::component(int row) const
{
    const auto *item = dynamic_cast<const SineListItem *>(m_waveList->item(row));
    return item ? &item->info() : nullptr;
}

std::vector<SumEntry> SuperpositionWindow::entries() const
{
    std::vector<SumEntry> entries;
    for (int i = 0; i < m_waveList->count(); ++i)
        if (const SineComponent *info = component(i))
            entries.push_back({*info, m_waveList->item(i)->checkState() == Qt::Checked});
    return entries;
}

void SuperpositionWindow::appendEntry(std::unique_ptr<SineComponent> info)
{
    // Checked before it joins the list: no check-toggle notification.
    m_waveList->addItem(new SineListItem(std::move(info)));
}

void SuperpositionWindow::addCurrentWave()
{
    appendEntry(std::make_unique<SineComponent>(m_phase, m_frequency, m_amplitude));
}

void SuperpositionWindow::clearList()
{
    m_selecting = true;
    m_waveList->clear(); // deletes the entries and their components
    m_selecting = false;
}

void SuperpositionWindow::selectEntry(int row)
{
    m_selecting = true;
    m_waveList->setCurrentRow(row);
    m_selecting = false;
}

void SuperpositionWindow::listClicked()
{
    const SineComponent *info = component(m_waveList->currentRow());
    if (!info)
        return;
    m_toolbar->setUpdatesEnabled(false);
    m_frequency = info->frequency;
    m_phase = info->phase;
    m_amplitude = info->amplitude;
    m_frequencySpinBox->setValueQuietly(m_frequency);
    m_amplitudeSpinBox->setValueQuietly(m_amplitude);
    m_phaseSpinBox->setValueQuietly(m_phase);
    m_toolbar->setUpdatesEnabled(true);
    drawWave();
}

void SuperpositionWindow::listCheckToggled()
{
    drawSum();
}

void SuperpositionWindow::listKeyPressed(int key)
{
    if (key != Qt::Key_Delete)
        return;
    const int row = m_waveList->currentRow();
    if (row < 0 || !m_waveList->item(row)->isSelected())
        return;
    m_fineSum = false;
    m_selecting = true;
    delete m_waveList->takeItem(row); // frees its component
    m_selecting = false;
    if (m_waveList->count() > 0) {
        selectEntry(std::max(0, row - 1));
        listClicked();
    }
    drawSum();
}

bool SuperpositionWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_waveList && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Delete) {
            listKeyPressed(key->key());
            return true;
        }
    }
    return SimulationWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------- toolbar

void SuperpositionWindow::waveEdited()
{
    m_frequency = float(m_frequencySpinBox->value());
    m_amplitude = float(m_amplitudeSpinBox->value());
    m_phase = int(std::trunc(m_phaseSpinBox->value()));
    drawWave();
}

void SuperpositionWindow::listButtonClicked(QObject *sender)
{
    if (sender == m_addAction)
        addCurrentWave();
    else if (sender == m_clearAction)
        clearList();
    else
        return;
    m_fineSum = false;
    drawSum();
}

void SuperpositionWindow::scaleChosen(QAction *item)
{
    const int scale = item ? item->data().toInt() : 0;
    if (scale < 1 || scale > 3 || scale == m_scale)
        return;
    m_scaleButton->check(item);
    m_scale = scale;
    drawSum();
}

void SuperpositionWindow::exampleChosen(QAction *item)
{
    if (item == m_squareWaveAction)
        loadExample(SumExample::SquareWave);
    else if (item == m_triangularWaveAction)
        loadExample(SumExample::TriangularWave);
    else if (item == m_beatsAction)
        loadExample(SumExample::Beats);
    else if (item == m_modulationAction)
        loadExample(SumExample::AmplitudeModulation);
}

void SuperpositionWindow::loadExample(SumExample example)
{
    clearList();
    for (const SineComponent &info : exampleComponents(example))
        appendEntry(std::make_unique<SineComponent>(info));
    m_fineSum = example == SumExample::Beats || example == SumExample::AmplitudeModulation;
    if (m_waveList->count() > 0) {
        selectEntry(0);
        listClicked();
    }
    drawSum();
}

void SuperpositionWindow::applyProjectorMode()
{
    SimulationWindow::applyProjectorMode();
    setListRowHeight();
}

void SuperpositionWindow::setListRowHeight()
{
    m_waveList->setStyleSheet(QStringLiteral("QListWidget::item { height: %1px; }")
                                  .arg(qRound(16 * ProjectorMode::textScale())));
}

void SuperpositionWindow::handlePageCommand(const QString &text)
{
    const bool scaleChanged = m_scale != 3;
    m_scale = 3;
    m_scaleButton->check(m_threeCyclesAction);
    if (text == QLatin1String("+beats"))
        loadExample(SumExample::Beats);
    else if (text == QLatin1String("+am"))
        loadExample(SumExample::AmplitudeModulation);
    else if (scaleChanged)
        drawSum(); // so the graph agrees with the checked scale item
}

// ---------------------------------------------------------------- layout

void SuperpositionWindow::resizeEvent(QResizeEvent *event)
{
    SimulationWindow::resizeEvent(event);
    layoutPanes();
}

void SuperpositionWindow::layoutPanes()
{
    const int upper = std::max(0, height() / 2 - 10);
    m_sumSplitter->setSizes({upper, std::max(0, height() - upper - m_sumSplitter->handleWidth())});
}

void SuperpositionWindow::pictureResized()
{
    m_u = 0.1f * float(std::min(m_wavePicture->width(), m_wavePicture->height()));
    drawWave();
    // The sum graph's unit follows the wave graph's.
    const float us = sumUnit();
    if (us != m_us)
        sumPictureResized();
}

void SuperpositionWindow::sumPictureResized()
{
    m_us = sumUnit();
    drawSum();
}

int SuperpositionWindow::formulaListWidth() const
{
    // The widest text: every number at its widest, the phase with "+ ".
    const QString widest = SineComponent(360, 20.0f, -10.0f).formulaText();
    QStyleOptionViewItem item;
    item.initFrom(m_waveList);
    item.widget = m_waveList;
    item.font = m_waveList->font();
    item.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    item.checkState = Qt::Checked;
    item.text = widest;
    QStyle *style = m_waveList->style();
    const int itemWidth = style->sizeFromContents(QStyle::CT_ItemViewItem, &item, QSize(), m_waveList).width();
    // Room for the frame and for a scroll bar once the list is long.
    return itemWidth + 2 * m_waveList->frameWidth() + style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_waveList)
           + 4;
}

float SuperpositionWindow::sumUnit() const
{
    // The wave graph's unit, so that both graphs share their lettering; at
    // the default split the lower pane is a little taller than the upper
    // one and the sum graph, with its caption and numbers, fits. Where the
    // splitters leave the lower pane too low, the unit shrinks to fit it.
    const float u = 0.1f * float(std::min(m_wavePicture->width(), m_wavePicture->height()));
    const float fit = float(m_sumPicture->height()) / 10.5f;
    return std::min(u, fit);
}

QRectF SuperpositionWindow::wavePlot() const
{
    return wavePlotRect(float(m_wavePicture->width()), m_u);
}

QRectF SuperpositionWindow::sumPlot() const
{
    return sumPlotRect(float(m_sumPicture->width()), m_us);
}

// ---------------------------------------------------------------- drawing

void SuperpositionWindow::drawWave()
{
    if (m_closing || m_wavePicture->bitmap().isEmpty())
        return;
    const QRectF plot = wavePlot();
    const QVector<QPointF> points = wavePoints(plot, m_frequency, m_amplitude, m_phase);
    drawGraph(m_wavePicture, plot, m_u, axisNumbers(plot, 1), [&](DrawingContext &dc) {
        dc.setSmoothing(Smoothing::HighQuality);
        dc.drawLines(DrawPen(0xFF0000FF, 1), points);
        dc.setSmoothing(Smoothing::None);
    });
}

void SuperpositionWindow::drawSum()
{
    if (m_closing || m_sumPicture->bitmap().isEmpty())
        return;
    const QRectF plot = sumPlot();
    m_lastSum = sumCurve(plot, entries(), m_scale, m_fineSum ? kFineSumSegments : kSumSegments);
    m_sumCaption = QStringLiteral("Maximum amplitude ") + formatFixed2(m_lastSum.total);
    drawGraph(m_sumPicture, plot, m_us, axisNumbers(plot, m_scale), [&](DrawingContext &dc) {
        const DrawPen red(0xFFFF0000, 1);
        if (m_lastSum.straight) {
            dc.drawLine(red, m_lastSum.points[0].x(), m_lastSum.points[0].y(), m_lastSum.points[1].x(),
                        m_lastSum.points[1].y());
        } else {
            dc.setSmoothing(Smoothing::HighQuality);
            dc.drawLines(red, m_lastSum.points);
            dc.setSmoothing(Smoothing::None);
        }
        const DrawFont font(QStringLiteral("Arial"), 0.4f * m_us);
        dc.setTextRendering(TextRendering::AntiAlias);
        dc.drawString(m_sumCaption, font, plot.topLeft(), TextFormat(TextAlign::Near, TextAlign::Far),
                      DrawBrush(0xFF000000));
    });
}
