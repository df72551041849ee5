#include "sim/sound/uSndSpeed.h"

#include "sim/framework/DrawingContext.h"
#include "sim/framework/GDIP_RoundRects.h"
#include "sim/framework/PaintBox32.h"
#include "sim/framework/ScaleMagnifier.h"
#include "sim/framework/ToolbarItems.h"

#include <QToolBar>
#include <cmath>

namespace {
const TColor32 kBlack = 0xFF000000;
const TColor32 kLightGrey = 0xFFD3D3D3;
const TColor32 kDarkGrey = 0xFF3F3F3F;

QVector<QPointF> scaled(std::initializer_list<QPointF> points, float u)
{
    QVector<QPointF> out;
    for (const QPointF &p : points)
        out.append(p * u);
    return out;
}
} // namespace

TSndSpeedFrm::TSndSpeedFrm(QWidget *parent) : TSimulationForm(parent)
{
    setObjectName(QStringLiteral("SndSpeedFrm"));

    // ---- toolbar
    FreqLabel = new TToolbarLabel(Toolbar, QStringLiteral(" Frequency "));
    FrequencySE = new TSpinEdit(Toolbar, {.Min = 200, .Max = 1200, .Step = 10, .Value = 200, .Decimals = 0,
                                          .Suffix = {}, .Hint = QStringLiteral("Set the sound frequency"), .Width = 64});
    Toolbar->addSeparator();
    YGainLabel = new TToolbarLabel(Toolbar, QStringLiteral(" Volts/div"));
    YGainSE = new TSpinEdit(Toolbar, {.Min = 0.05, .Max = 1.0, .Step = 0.1, .Value = 0.5, .Decimals = 2,
                                      .Suffix = {}, .Hint = QStringLiteral("Set the c.r.o Y gain"), .Width = 50});
    Toolbar->addSeparator();
    YShiftLabel = new TToolbarLabel(Toolbar, QStringLiteral("Y shift"));
    YShiftSE = new TSpinEdit(Toolbar, {.Min = -5.0, .Max = 5.0, .Step = 0.1, .Value = 0.0, .Decimals = 1,
                                       .Suffix = {}, .Hint = QStringLiteral("Set the c.r.o. Y shift"), .Width = 50});

    ButtonSizes.SpinEdit(FrequencySE, 96, 64);
    ButtonSizes.SpinEdit(YGainSE, 75, 50);
    ButtonSizes.SpinEdit(YShiftSE, 75, 50);
    ButtonSizes.Font(FreqLabel);
    ButtonSizes.Font(YGainLabel);
    ButtonSizes.Font(YShiftLabel);

    connect(FrequencySE, &TSpinEdit::ValueChange, this, &TSndSpeedFrm::FrequencySEValueChange);
    connect(YGainSE, &TSpinEdit::ValueChange, this, &TSndSpeedFrm::FrequencySEValueChange);
    connect(YShiftSE, &TSpinEdit::ValueChange, this, &TSndSpeedFrm::FrequencySEValueChange);

    // ---- the scroll bar along the bottom (0.1 cm per step), the picture
    XHsb = new TScrollBarEx({.Orientation = Qt::Horizontal, .Min = 0, .Max = 3000, .Position = 500,
                             .SmallStep = 1, .PageStep = 10, .Hint = {}},
                            this);
    XHsb->setObjectName(QStringLiteral("XHsb"));
    XHsb->setFixedHeight(20);
    TAlignPanel::SetAlign(XHsb, TAlign::Bottom);
    connect(XHsb, &TScrollBarEx::Scroll, this, &TSndSpeedFrm::XHsbScroll);

    Pic = new TPaintBox32(this);
    Pic->setObjectName(QStringLiteral("Pic"));
    TAlignPanel::SetAlign(Pic, TAlign::Client);
    connect(Pic, &TPaintBox32::Resized, this, &TSndSpeedFrm::picResize);
}

TSndSpeedFrm::~TSndSpeedFrm() = default;

void TSndSpeedFrm::picResize()
{
    m_u = SoundUnit(Pic->width(), Pic->height());
    DrawSoundBench();
}

void TSndSpeedFrm::XHsbScroll(int position)
{
    m_x = float(position) * 0.1f;
    DrawSoundBench();
}

void TSndSpeedFrm::FrequencySEValueChange()
{
    m_f = float(FrequencySE->Value());
    m_gain = float(YGainSE->Value());
    m_shift = float(YShiftSE->Value());
    DrawSoundBench();
}

QRectF TSndSpeedFrm::ScreenInPicture() const
{
    const TBitmap32 &b = Pic->Bitmap();
    return ScopeScreen(OscilloscopeRect(m_u)).translated(b.Width() / 2.0, b.Height() / 2.0);
}

// ---------------------------------------------------------------- drawing

void TSndSpeedFrm::DrawSoundBench()
{
    TBitmap32 &b = Pic->Bitmap();
    if (m_closing || b.Empty())
        return;
    const float u = m_u;
    Pic->BeginUpdate();
    b.Clear(0xFFFFFFFF);
    {
        DrawingContext dc(b);
        TDrawPen pen(kBlack, 1);
        TDrawBrush brush(kLightGrey);
        const TDrawFont font(QStringLiteral("Arial"), 0.5f * u);
        dc.Translate(float(b.Width()) / 2.0f, float(b.Height()) / 2.0f);

        DrawCentimetreScale(dc, CentimetreScaleRect(u));
        DrawOscilloscope(dc, OscilloscopeRect(u));

        // The microphone seen through the glass: its cone's open side on the
        // centre line, which marks the microphone's position.
        TMagnifierSettings glass;
        glass.BenchLength = 200.0f;
        glass.StripHeight = 0.35f;
        glass.PenColor = kBlack;
        glass.UnitLabel = QStringLiteral("cm");
        glass.ContentAfter = [](DrawingContext &dc, TDrawPen &pen, const TMagnifierGlass &g) {
            const float q = 0.25f * g.S;
            dc.FillAndDrawPolygon(TDrawBrush(kLightGrey), pen,
                                  {{g.cx, g.cy}, {g.cx, g.Y}, {g.cx + q, g.Y}, {g.cx + q, g.Y + q}});
            dc.FillAndDrawRectangle(TDrawBrush(kDarkGrey), pen, g.cx + q, g.Y, q, q);
        };
        const QRectF square = MicrophoneGlassSquare(u);
        // The glass leaves the pen 2 pixels wide in dark grey: the speaker
        // and the microphone on the bench are outlined with it.
        DrawScaleMagnifier(dc, pen, float(square.x()), float(square.y()), float(square.width()), m_x, glass);

        DrawSignalGenerator(dc, SignalGeneratorRect(u));

        // Loudspeaker.
        dc.FillAndDrawPolygon(brush, pen, scaled({{-9, 3.2}, {-9, 0.8}, {-9.5, 1.6}, {-9.5, 2.4}}, u));
        dc.FillAndDrawRectangle(TDrawBrush(kDarkGrey), pen, -9.9f * u, 1.6f * u, 0.4f * u, 0.8f * u);

        // Microphone on the bench, its cone open towards the loudspeaker.
        const float xm = MicrophoneBenchX(m_x, u);
        dc.FillAndDrawPolygon(brush, pen,
                              {{xm, 3.2 * u}, {xm, 0.8 * u}, {xm + 0.5 * u, 1.6 * u}, {xm + 0.5 * u, 2.4 * u}});
        dc.FillAndDrawRectangle(TDrawBrush(kDarkGrey), pen, xm + 0.5f * u, 1.6f * u, 0.4f * u, 0.8f * u);

        // Cables.
        dc.SetSmoothing(TSmoothing::None);
        const TDrawPen cable(kBlack, 2);
        const float xc = xm / u + 0.9f;
        dc.DrawLines(cable, scaled({{-9.9, 2.1}, {-10.3, 2.1}, {-10.3, -1}, {-8, -1}, {-8, -2.2}}, u));
        dc.DrawLines(cable, scaled({{-9.9, 1.9}, {-10.1, 1.9}, {-10.1, -0.8}, {-6, -0.8}, {-6, -2.2}}, u));
        dc.DrawLines(cable, scaled({{-8, -2.6}, {-8, -2.8}, {-3, -2.8}}, u));
        dc.DrawLine(cable, -5.8f * u, -2.4f * u, -3 * u, -2.4f * u);
        dc.DrawLines(cable, scaled({{xc, 2.1}, {10.3, 2.1}, {10.3, -2.8}, {9, -2.8}}, u));
        dc.DrawLines(cable, scaled({{xc, 1.9}, {10.1, 1.9}, {10.1, -2.4}, {9, -2.4}}, u));

        brush.Color = kBlack;
        const TTextFormat topCentre(TTextAlign::Center, TTextAlign::Near);
        dc.DrawString(QStringLiteral("signal generator"), font, QPointF(-7 * u, -7 * u), topCentre, brush);
        dc.DrawString(QStringLiteral("oscilloscope"), font, QPointF(3 * u, 0), topCentre, brush);
    }
    b.FrameRect(0, 0, b.Width(), b.Height(), 0xFF3F3F3F);
    Pic->EndUpdate();
}

void TSndSpeedFrm::DrawCentimetreScale(DrawingContext &dc, const QRectF &r)
{
    const float X = float(r.x()), Y = float(r.y()), Ws = float(r.width()), Hs = float(r.height());
    const TDrawPen pen(kBlack, 1);
    TDrawBrush brush(0xFFFFFF80);
    const TDrawFont font(QStringLiteral("Arial"), 0.4f * Hs, true);
    const TTextFormat topCentre(TTextAlign::Center, TTextAlign::Near);
    dc.FillAndDrawRectangle(brush, pen, X, Y, Ws, Hs);
    dc.SetTextRendering(TTextRendering::AntiAlias);
    brush.Color = kBlack;
    for (int i = 1; i <= 19; ++i) {
        const float x = X + float(i) * Ws / 20.0f;
        if (i % 5 == 0) {
            dc.DrawLine(pen, x, Y, x, Y + 0.4f * Hs);
            dc.DrawString(QString::number(10 * i), font, QPointF(x, Y + 0.4f * Hs), topCentre, brush);
        } else {
            dc.DrawLine(pen, x, Y, x, Y + 0.2f * Hs);
        }
    }
}

void TSndSpeedFrm::DrawOscilloscope(DrawingContext &dc, const QRectF &r)
{
    TDrawPen pen(kLightGrey, 1);
    const TDrawBrush brush(0xFFC0DCC0);
    TDrawPath path;
    const QRectF screen = ScopeScreen(r);
    const float sx = float(screen.x()), sy = float(screen.y()), sw = float(screen.width()), sh = float(screen.height());
    dc.SetSmoothing(TSmoothing::None);

    const float d = 0.1f * sw;
    for (int i = 1; i <= 9; ++i)
        dc.DrawLine(pen, sx + float(i) * d, sy, sx + float(i) * d, sy + sh);
    const float cy = sy + sh / 2.0f;
    const int n = int(std::trunc(0.5f * sh / d));
    for (int j = 1; j <= n; ++j) {
        dc.DrawLine(pen, sx, cy - float(j) * d, sx + sw, cy - float(j) * d);
        dc.DrawLine(pen, sx, cy + float(j) * d, sx + sw, cy + float(j) * d);
    }
    pen.Color = kBlack;
    dc.DrawLine(pen, sx, cy, sx + sw, cy);
    dc.DrawLine(pen, sx + sw / 2.0f, sy, sx + sw / 2.0f, sy + sh);

    const TScopeTraces traces = ScopeTraces(screen, m_f, m_gain, m_shift, m_x);
    dc.SetSmoothing(TSmoothing::HighQuality);
    pen.Color = 0xFF0000FF;
    dc.DrawLines(pen, traces.Generator);

    // The microphone's trace may be taller than the screen: cut at its edge.
    path.AddRectangle(sx, sy, sw, sh);
    dc.SetClip(path);
    pen.Color = 0xFFFF0000;
    dc.DrawLines(pen, traces.Microphone);
    dc.ResetClip();

    // The bezel: the rounded case with the screen left open (even-odd fill
    // of the path that still holds the screen's rectangle).
    AddRoundedRect(path, float(r.x()), float(r.y()), float(r.width()), float(r.height()), 0.05f * float(r.width()));
    dc.FillPath(brush, path);
    pen.Color = kBlack;
    dc.DrawPath(pen, path);
}

void TSndSpeedFrm::DrawSignalGenerator(DrawingContext &dc, const QRectF &r)
{
    const float X = float(r.x()), Y = float(r.y()), Wg = float(r.width()), Hg = float(r.height());
    const TDrawPen pen(kBlack, 1);
    TDrawBrush brush(0xFFC0E1FF);
    TDrawPath path;
    AddRoundedRect(path, X, Y, Wg, Hg, 0.1f * Wg);
    dc.FillPath(brush, path);
    dc.SetSmoothing(TSmoothing::HighQuality);
    dc.DrawPath(pen, path);

    dc.FillAndDrawEllipse(TDrawBrush(0xFFFFFFFF), pen, X + 0.2f * Wg, Y + 0.1f * Wg, 0.6f * Wg, 0.6f * Wg);

    const TDialPointer p = DialPointer(r, m_f);
    const QVector<QPointF> pointer{p.P0, p.P1, p.P2};
    dc.FillPolygon(TDrawBrush(kLightGrey), pointer);
    dc.DrawLines(pen, pointer);
    const float hr = p.HubRadius;
    dc.FillAndDrawEllipse(TDrawBrush(kLightGrey), pen, float(p.Centre.x()) - hr, float(p.Centre.y()) - hr, 2 * hr,
                          2 * hr);

    brush.Color = 0xFFFFFF00;
    dc.FillAndDrawEllipse(brush, pen, X + 0.2f * Wg, Y + 0.85f * Hg, 0.1f * Wg, 0.1f * Wg);
    dc.FillAndDrawEllipse(brush, pen, X + 0.7f * Wg, Y + 0.85f * Hg, 0.1f * Wg, 0.1f * Wg);
}
