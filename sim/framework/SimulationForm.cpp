#include "sim/framework/SimulationForm.h"

#include "app/CadencerEx.h"
#include "app/SimGlobals.h"
#include "app/ToolbarDock.h"
#include "app/uDataMod.h"
#include "sim/framework/Bitmap32.h"
#include "sim/framework/ToolbarItems.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMainWindow>
#include <QToolButton>

// ---------------------------------------------------------------- button sizes

QFont LargeButtonFont(QFont f)
{
    if (f.pixelSize() > 0)
        f.setPixelSize(qRound(f.pixelSize() * 1.5));
    else
        f.setPointSizeF(f.pointSizeF() * 1.5);
    return f;
}

void TButtonSizes::SpinEdit(QWidget *edit, int largeWidth, int normalWidth)
{
    if (!edit)
        return;
    edit->setFixedWidth(normalWidth);
    m_sizes.push_back({edit, largeWidth, normalWidth, false});
    Font(edit);
}

void TButtonSizes::Height(QWidget *widget, int largeHeight, int normalHeight)
{
    if (!widget)
        return;
    widget->setFixedHeight(normalHeight);
    m_sizes.push_back({widget, largeHeight, normalHeight, true});
}

void TButtonSizes::Font(QWidget *widget)
{
    if (widget)
        m_fonts.push_back({widget, nullptr, std::nullopt, false});
}

void TButtonSizes::Font(QAction *item)
{
    if (item)
        m_fonts.push_back({nullptr, item, std::nullopt, false});
}

void TButtonSizes::Menu(TDropDownButton *button, bool withButton)
{
    if (!button)
        return;
    if (withButton)
        Font(button->Button());
    for (QAction *item : button->Items())
        Font(item);
    QPointer<TDropDownButton> b(button);
    Custom([b](bool large) {
        if (b)
            b->SetLargeItems(large);
    });
}

void TButtonSizes::Custom(std::function<void(bool large)> apply)
{
    m_custom.push_back(std::move(apply));
}

void TButtonSizes::applyFont(FontEntry &e, bool large)
{
    // The design font is taken when first needed, so a font inherited from
    // wherever the toolbar is docked counts as the design.
    if (e.widget) {
        if (!e.design) {
            e.design = e.widget->font();
            e.explicitFont = e.widget->testAttribute(Qt::WA_SetFont);
        }
        if (large)
            e.widget->setFont(LargeButtonFont(*e.design));
        else
            e.widget->setFont(e.explicitFont ? *e.design : QFont()); // QFont(): inherit again
    } else if (e.action) {
        if (!e.design)
            e.design = e.action->font();
        e.action->setFont(large ? LargeButtonFont(*e.design) : *e.design);
    }
}

void TButtonSizes::Apply(QToolBar *toolbar, bool large)
{
    if (toolbar)
        toolbar->setUpdatesEnabled(false);
    if (SwitchImages && toolbar) {
        TDataMod *dm = TDataMod::Instance();
        ApplyImageList(toolbar, large ? dm->Buttons48 : dm->Buttons24);
    }
    for (FontEntry &e : m_fonts)
        applyFont(e, large);
    for (const SizeEntry &s : m_sizes) {
        if (!s.widget)
            continue;
        const int v = large ? s.large : s.normal;
        if (s.height)
            s.widget->setFixedHeight(v);
        else
            s.widget->setFixedWidth(v);
    }
    for (const auto &f : m_custom)
        f(large);
    if (toolbar)
        toolbar->setUpdatesEnabled(true);
}

// ---------------------------------------------------------------- window

TSimulationForm::TSimulationForm(QWidget *parent) : TAlignPanel(parent)
{
    QFont f(PictureFontFamily(QStringLiteral("Arial")));
    f.setPixelSize(11);
    setFont(f);
    resize(767, 504);

    Toolbar = new QToolBar(this);
    Toolbar->setObjectName(QStringLiteral("Toolbar"));
    Toolbar->setIconSize(QSize(24, 24));
    Toolbar->installEventFilter(this);
    connect(Toolbar, &QToolBar::topLevelChanged, this, [this](bool floating) {
        if (!floating)
            noteDock();
    });
}

TSimulationForm::~TSimulationForm()
{
    // The clock goes first, so no tick can reach what is being destroyed.
    if (Clock) {
        Clock->OnProgress = nullptr;
        delete Clock;
        Clock = nullptr;
    }
    // The toolbar lives in the main window's dock while the window is shown;
    // it belongs to the window all the same.
    if (Toolbar) {
        Toolbar->removeEventFilter(this);
        delete Toolbar;
    }
}

void TSimulationForm::SetLargeButtons(bool large)
{
    if (KeepsButtonState && large == m_largeButtons)
        return;
    m_largeButtons = large;
    ButtonSizes.Apply(Toolbar, large);
}

void TSimulationForm::noteDock()
{
    if (!Toolbar || Toolbar->isFloating())
        return;
    if (auto *mw = qobject_cast<QMainWindow *>(Toolbar->parentWidget())) {
        const Qt::ToolBarArea area = mw->toolBarArea(Toolbar);
        if (area != Qt::NoToolBarArea)
            m_lastDock = area;
    }
}

void TSimulationForm::ToolbarCloseQuery(QObject *sender, bool &canClose)
{
    Q_UNUSED(sender);
    canClose = false;
    if (!Toolbar || !Toolbar->isFloating())
        return;
    if (auto *mw = qobject_cast<QMainWindow *>(Toolbar->parentWidget())) {
        // Adding takes the toolbar out of its floating window; it then goes
        // first in its row, where the host keeps it.
        const Qt::ToolBarArea area = m_lastDock.value_or(Qt::TopToolBarArea);
        mw->addToolBar(area, Toolbar);
        ToolbarDock::DockFirst(mw, Toolbar, area);
        Toolbar->show();
    }
}

bool TSimulationForm::FormCloseQuery()
{
    m_closing = true;
    if (Clock)
        Clock->SetEnabled(false);
    return true;
}

void TSimulationForm::closeEvent(QCloseEvent *event)
{
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

bool TSimulationForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Toolbar) {
        switch (event->type()) {
        case QEvent::Close: {
            bool canClose = true;
            ToolbarCloseQuery(Toolbar, canClose);
            if (!canClose) {
                event->ignore();
                return true;
            }
            break;
        }
        case QEvent::Show:
        case QEvent::Move:
        case QEvent::ParentChange:
            noteDock();
            break;
        default:
            break;
        }
    }
    return TAlignPanel::eventFilter(watched, event);
}

bool TSimulationForm::IsClockRunning() const
{
    return Clock && Clock->Enabled();
}

QAction *TSimulationForm::AddRunButton(TRunButton which, const QString &caption, const QString &hint)
{
    int image = -1;
    QAction **slot = nullptr;
    switch (which) {
    case TRunButton::Start:
        image = biStart;
        slot = &StartBtn;
        break;
    case TRunButton::Stop:
        image = biStop;
        slot = &StopBtn;
        break;
    case TRunButton::Reset:
        image = biReset;
        slot = &ResetBtn;
        break;
    case TRunButton::None:
        return nullptr;
    }
    QAction *a = AddToolButton(Toolbar, caption, image, hint);
    *slot = a;
    connect(a, &QAction::triggered, this, [this, a] { StartBtnClick(a); });
    return a;
}

TSimulationForm::TRunButton TSimulationForm::RunButtonOf(QObject *sender) const
{
    if (!sender)
        return TRunButton::None;
    if (sender == StartBtn)
        return TRunButton::Start;
    if (sender == StopBtn)
        return TRunButton::Stop;
    if (sender == ResetBtn)
        return TRunButton::Reset;
    return TRunButton::None;
}

void TSimulationForm::StartBtnClick(QObject *sender)
{
    switch (RunButtonOf(sender)) {
    case TRunButton::Start:
        ShowRunning();
        break;
    case TRunButton::Stop:
    case TRunButton::Reset:
        ShowStopped(false);
        break;
    case TRunButton::None:
        break;
    }
}

void TSimulationForm::ShowRunning()
{
    if (StartBtn)
        StartBtn->setEnabled(false);
    if (ResetBtn)
        ResetBtn->setEnabled(false);
    if (StopBtn)
        StopBtn->setEnabled(true);
    if (Clock)
        Clock->SetEnabled(true);
}

void TSimulationForm::ShowStopped(bool resetEnabled)
{
    if (Clock)
        Clock->SetEnabled(false);
    if (StartBtn)
        StartBtn->setEnabled(true);
    if (StopBtn)
        StopBtn->setEnabled(false);
    if (ResetBtn)
        ResetBtn->setEnabled(resetEnabled);
}

float TSimulationForm::Advance(float accumulator, double deltaTime, double factor, float wrap)
{
    const int speed = ActiveKind >= 0 && ActiveKind < kKindCount ? Speeds[size_t(ActiveKind)] : 1;
    return Advance(accumulator, deltaTime, factor, wrap, speed);
}

float TSimulationForm::Advance(float accumulator, double deltaTime, double factor, float wrap, int speed)
{
    float a = float(double(accumulator) + double(speed) * deltaTime * factor);
    if (wrap > 0.0f && a > wrap)
        a -= wrap;
    return a;
}

void TSimulationForm::ProcessMessages()
{
    QCoreApplication::processEvents();
}

TNGLCadencer *TSimulationForm::CreateClock()
{
    if (Clock)
        return Clock;
    Clock = new TNGLCadencer(this);
    Clock->SetEnabled(false);
    Clock->OnProgress = [this](TNGLCadencer *, double deltaTime, double) {
        if (!m_closing)
            Step(deltaTime);
    };
    return Clock;
}
