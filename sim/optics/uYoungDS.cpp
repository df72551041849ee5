#include "sim/optics/uYoungDS.h"

#include "app/uDataMod.h"
#include "sim/framework/DrawingContext.h"
#include "sim/framework/PaintBox32.h"
#include "sim/framework/ScaleMagnifier.h"
#include "sim/framework/ToolbarItems.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <cmath>

namespace {
const TColor32 kBlack = 0xFF000000;
const TColor32 kScaleYellow = 0xFFFFFF80;
const TColor32 kScreenBlue = 0xFFADD8E6;
const TColor32 kLampGrey = 0xFFD3D3D3;
} // namespace

TYDSFrm::TYDSFrm(QWidget *parent) : TSimulationForm(parent)
{
    setObjectName(QStringLiteral("YDSFrm"));

    // ---- toolbar
    SepLabel = new TToolbarLabel(Toolbar, QStringLiteral(" Slit separation"));
    SlitSE = new TSpinEdit(Toolbar, {.Min = 0.01, .Max = 0.1, .Step = 0.01, .Value = 0.05, .Decimals = 2,
                                     .Suffix = QStringLiteral(" mm"), .Hint = {}, .Width = 80});
    ColorBtn = new TDropDownButton(Toolbar, QStringLiteral("Colour"), biColour);
    QAction **items[] = {&Red, &Orange, &Yellow, &Green, &Blue, &Violet};
    for (size_t i = 0; i < LightChoices().size(); ++i) {
        const TLightChoice &c = LightChoices()[i];
        QAction *a = ColorBtn->AddItem(QString::fromLatin1(c.Name));
        a->setObjectName(QString::fromLatin1(c.Name));
        a->setData(uint(c.Light));
        *items[i] = a;
    }
    // Each item's picture: a square of its colour.
    ColorBtn->SetItemPainter(
        [](QAction *item, QPainter &p, const QRect &square) {
            for (const TLightChoice &c : LightChoices())
                if (c.Light == item->data().toUInt())
                    p.fillRect(square, QColor::fromRgb(c.Swatch));
        },
        16, 16);
    // The button shows the light's colour over its picture.
    if (QToolButton *b = ColorBtn->Button())
        b->installEventFilter(this);

    ButtonSizes.SwitchImages = true;
    ButtonSizes.SpinEdit(SlitSE, 120, 80);
    ButtonSizes.Font(SepLabel);
    ButtonSizes.Menu(ColorBtn);

    connect(SlitSE, &TSpinEdit::ValueChange, this, &TYDSFrm::SlitSEValueChange);
    connect(ColorBtn, &TDropDownButton::ItemClick, this, [this](QAction *item, bool) { RedClick(item); });

    // ---- the scroll bar along the bottom, the picture over the rest
    Xhsb = new TScrollBarEx({.Orientation = Qt::Horizontal, .Min = 500, .Max = 3000, .Position = 1500,
                             .SmallStep = 1, .PageStep = 10, .Hint = {}},
                            this);
    Xhsb->setObjectName(QStringLiteral("Xhsb"));
    Xhsb->setFixedHeight(20);
    TAlignPanel::SetAlign(Xhsb, TAlign::Bottom);
    connect(Xhsb, &TScrollBarEx::Scroll, this, &TYDSFrm::XhsbScroll);

    pic = new TImage32(this);
    pic->setObjectName(QStringLiteral("pic"));
    pic->setMouseTracking(true);
    TAlignPanel::SetAlign(pic, TAlign::Client);
    Marker = pic->AddLayer();
    Marker->OnPaint = [this](TBitmap32 &frame, const QRectF &location) { PaintMarker(frame, location); };
    connect(pic, &TImage32::Resized, this, &TYDSFrm::picResize);
    connect(pic, &TImage32::MouseDown, this, [this](QMouseEvent *e) { picMouseDown(e->position()); });
    connect(pic, &TImage32::MouseMove, this, [this](QMouseEvent *e) { picMouseMove(e->position()); });
    connect(pic, &TImage32::MouseUp, this, [this](QMouseEvent *) { picMouseUp(); });
}

TYDSFrm::~TYDSFrm() = default;

// ---------------------------------------------------------------- controls

void TYDSFrm::XhsbScroll(int position)
{
    m_D = float(position) * 0.1f;
    DrawExperiment();
}

void TYDSFrm::SlitSEValueChange()
{
    m_d = float(SlitSE->Value());
    DrawExperiment();
}

void TYDSFrm::RedClick(QAction *item)
{
    if (!item || !ColorBtn->Items().contains(item))
        return;
    m_color = TLightColor(item->data().toUInt());
    m_lambda = WavelengthOf(m_color);
    if (QToolButton *b = ColorBtn->Button())
        b->update();
    DrawExperiment();
}

// ColorBtnDrawItem: after the button's own painting, a square of the light
// colour, 20 pixels (40 with large buttons), vertically centred. It covers
// the middle of the button's picture, which this toolkit draws 2 pixels in
// from the frame; so the square is centred on the picture rather than put
// at a fixed 4 pixels from the button's edge, and no bit of the picture
// shows beside it.
QRect TYDSFrm::ColorSwatchRect() const
{
    QToolButton *b = ColorBtn ? ColorBtn->Button() : nullptr;
    if (!b)
        return QRect();
    const int side = m_largeButtons ? 40 : 20;
    const int frame = b->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, b);
    const int left = frame + 2 + (b->iconSize().width() - side) / 2;
    return QRect(left, (b->height() - side) / 2, side, side);
}

void TYDSFrm::ColorBtnDrawItem(QWidget *button)
{
    QPainter p(button);
    p.fillRect(ColorSwatchRect(), QColor::fromRgba(m_color));
}

bool TYDSFrm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && ColorBtn && watched == ColorBtn->Button()) {
        // Let the button paint itself first (a direct call passes no filter).
        static_cast<QObject *>(watched)->event(event);
        ColorBtnDrawItem(static_cast<QWidget *>(watched));
        return true;
    }
    return TSimulationForm::eventFilter(watched, event);
}

// ---------------------------------------------------------------- measuring line

void TYDSFrm::picMouseDown(const QPointF &pos)
{
    Marker->SetLocation(QRectF(QPointF(pos.x(), m_markerArea.top()),
                               QPointF(pos.x() + 1, m_markerArea.top() + m_markerArea.height())));
    Marker->SetVisible(true);
}

void TYDSFrm::picMouseMove(const QPointF &pos)
{
    if (m_markerArea.contains(pos.toPoint()))
        pic->setCursor(Qt::PointingHandCursor);
    else
        pic->unsetCursor();
    if (Marker->Visible()) {
        QRectF r = Marker->Location();
        r.moveLeft(pos.x());
        r.setWidth(1);
        Marker->SetLocation(r);
    }
}

void TYDSFrm::picMouseUp()
{
    Marker->SetVisible(false);
}

void TYDSFrm::PaintMarker(TBitmap32 &frame, const QRectF &location)
{
    frame.VertLine(int(std::nearbyint(location.left())), int(std::nearbyint(location.top())),
                   int(std::nearbyint(location.bottom())), kBlack);
}

// ---------------------------------------------------------------- drawing

void TYDSFrm::picResize()
{
    pic->SetupBitmap();
    m_u = PictureUnit(pic->width(), pic->height());
    m_markerArea = ::MarkerArea(pic->width(), pic->height());
    DrawExperiment();
}

void TYDSFrm::DrawExperiment()
{
    TBitmap32 &b = pic->Bitmap();
    if (m_closing || b.Empty())
        return;
    const float u = m_u;
    pic->BeginUpdate();
    b.Clear(0xFFFFFFFF);
    {
        DrawingContext dc(b);
        dc.Translate(float(b.Width()) / 2.0f, float(b.Height()) / 2.0f);
        dc.SetTextRendering(TTextRendering::AntiAlias);

        DrawFringes(dc, ScreenRect(u));
        DrawScreenScale(dc, ScreenScaleRect(u));
        DrawBenchScale(dc, BenchScaleRect(u));

        // The magnifier reads the screen's place on the bench; the screen
        // itself stands on its centre line.
        TDrawPen pen(kBlack, 1);
        TMagnifierSettings glass;
        glass.BenchLength = 300.0f;
        glass.StripHeight = 0.35f;
        glass.PenColor = kBlack;
        glass.UnitLabel = QStringLiteral("cm");
        glass.ContentAfter = [](DrawingContext &dc, TDrawPen &pen, const TMagnifierGlass &g) {
            dc.FillRectangle(TDrawBrush(kScreenBlue), g.cx, g.Y, 4 * g.g, g.S / 2);
            dc.DrawRectangle(pen, g.cx, g.Y, 4 * g.g, g.S / 2);
        };
        const QRectF square = MagnifierSquare(u);
        DrawScaleMagnifier(dc, pen, float(square.x()), float(square.y()), float(square.width()), m_D, glass);

        // Side view: slits, beam, screen, lamp; lamp and screen cover the
        // beam's ends.
        dc.SetSmoothing(TSmoothing::None);
        dc.FillRectangle(TDrawBrush(kBlack), -35 * u, 34 * u, 0.5f * u, 8 * u);
        const float xs = BenchScreenX(m_D, u);
        dc.DrawLine(TDrawPen(m_color, 2), -45 * u, 38 * u, xs, 38 * u);
        dc.FillAndDrawRectangle(TDrawBrush(kScreenBlue), TDrawPen(kBlack, 1), QRectF(xs, 33 * u, u, 10 * u));
        dc.FillAndDrawRectangle(TDrawBrush(kLampGrey), TDrawPen(kBlack, 1), QRectF(-49 * u, 35 * u, 10 * u, 6 * u));
    }
    b.FrameRect(0, 0, b.Width(), b.Height(), 0xFF3F3F3F);
    pic->EndUpdate();
}

void TYDSFrm::DrawFringes(DrawingContext &dc, const QRectF &r)
{
    const float X = float(r.x()), Y = float(r.y()), Wr = float(r.width()), Hr = float(r.height());
    dc.FillRectangle(TDrawBrush(kBlack), X, Y, Wr, Hr);
    TDrawPath clip;
    clip.AddRectangle(X, Y, Wr, Hr);
    dc.SetClip(clip);

    m_fringes = FringeLayout(Wr, m_lambda, m_D, m_d);
    const std::vector<int> alphas = FringeLineAlphas(m_fringes);
    dc.DrawRectangle(TDrawPen(kBlack, 1), X, Y, Wr, Hr);

    // Each bright fringe fades linearly from its centre: line j has alpha
    // 255 - j h. The screen's centre is x = 0.
    TDrawPen pen(m_color, 1);
    for (int i = 0; i <= m_fringes.Orders; ++i) {
        const float c = float(i) * m_fringes.Spacing;
        for (int j = 0; j < int(alphas.size()); ++j) {
            pen.Color = WithAlpha(m_color, alphas[j]);
            const float fj = float(j);
            dc.DrawLine(pen, c + fj, Y, c + fj, Y + Hr);
            if (j > 0)
                dc.DrawLine(pen, c - fj, Y, c - fj, Y + Hr);
            if (i > 0) {
                dc.DrawLine(pen, -c + fj, Y, -c + fj, Y + Hr);
                if (j > 0)
                    dc.DrawLine(pen, -c - fj, Y, -c - fj, Y + Hr);
            }
        }
    }
    dc.ResetClip();
}

void TYDSFrm::DrawScreenScale(DrawingContext &dc, const QRectF &r)
{
    const float X = float(r.x()), Y = float(r.y()), Wr = float(r.width()), Hr = float(r.height());
    dc.FillAndDrawRectangle(TDrawBrush(kScaleYellow), TDrawPen(kBlack, 1), r);
    const TDrawFont font(QStringLiteral("Arial"), 0.4f * Hr, true);
    const TTextFormat topCentre(TTextAlign::Center, TTextAlign::Near);
    const TDrawPen pen(kBlack, 1);
    const TDrawBrush brush(kBlack);
    for (int i = 1; i < kScreenDivisions; ++i) {
        const float x = X + float(i) * Wr / float(kScreenDivisions);
        if (i % 5 == 0) {
            dc.DrawLine(pen, x, Y, x, Y + 0.5f * Hr);
            dc.DrawString(QString::number(std::abs(i - kScreenDivisions / 2)), font, QPointF(x, Y + 0.5f * Hr),
                          topCentre, brush);
        } else {
            dc.DrawLine(pen, x, Y, x, Y + 0.2f * Hr);
        }
    }
    // The divisions are centimetres: the fringe spacing in divisions is
    // lambda*D/d in centimetres, which is what a learner measures here.
    dc.DrawString(QStringLiteral("(cm)"), font, QPointF(0, Y + Hr), topCentre, brush);
}

void TYDSFrm::DrawBenchScale(DrawingContext &dc, const QRectF &r)
{
    const float X = float(r.x()), Y = float(r.y()), Wr = float(r.width()), Hr = float(r.height());
    dc.FillAndDrawRectangle(TDrawBrush(kScaleYellow), TDrawPen(kBlack, 1), r);
    const TDrawFont font(QStringLiteral("Arial"), 0.4f * Hr, true);
    const TTextFormat topCentre(TTextAlign::Center, TTextAlign::Near);
    const TDrawPen pen(kBlack, 1);
    const TDrawBrush brush(kBlack);
    for (int i = 1; i <= 30; ++i) {
        const float x = X + float(i) * Wr / 31.0f;
        if (i % 10 == 0) {
            dc.DrawLine(pen, x, Y, x, Y + 0.5f * Hr);
            dc.DrawString(QStringLiteral("%1m").arg(i / 10), font, QPointF(x, Y + 0.5f * Hr), topCentre, brush);
        } else if (i % 5 == 0) {
            dc.DrawLine(pen, x, Y, x, Y + 0.3f * Hr);
        } else {
            dc.DrawLine(pen, x, Y, x, Y + 0.2f * Hr);
        }
    }
}
