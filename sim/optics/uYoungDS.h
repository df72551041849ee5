#pragma once
// The double-slit window: the screen with its fringes and scale, a
// magnifier reading the screen's place on the bench, and a side view of the
// bench. Holding a mouse button over the picture shows a measuring line
// that follows the pointer. Static: it redraws when an input changes.
#include "sim/framework/SimulationForm.h"
#include "sim/optics/YoungDSModel.h"

#include <QRect>

class DrawingContext;
class QAction;
class QMouseEvent;
class TDropDownButton;
class TImage32;
class TOverlayLayer;
class TScrollBarEx;
class TSpinEdit;
class TToolbarLabel;
class TBitmap32;

class TYDSFrm : public TSimulationForm
{
    Q_OBJECT
public:
    explicit TYDSFrm(QWidget *parent = nullptr);
    ~TYDSFrm() override;

    // ---- controls
    TToolbarLabel *SepLabel = nullptr;
    TSpinEdit *SlitSE = nullptr;
    TDropDownButton *ColorBtn = nullptr;
    QAction *Red = nullptr;
    QAction *Orange = nullptr;
    QAction *Yellow = nullptr;
    QAction *Green = nullptr;
    QAction *Blue = nullptr;
    QAction *Violet = nullptr;
    TScrollBarEx *Xhsb = nullptr;
    TImage32 *pic = nullptr;
    TOverlayLayer *Marker = nullptr; // the measuring line

    // ---- state
    float Distance() const { return m_D; }    // cm, slits to screen
    float Separation() const { return m_d; }  // mm
    float Wavelength() const { return m_lambda; } // nm
    TLightColor LightColor() const { return m_color; }
    float Unit() const { return m_u; }
    QRect MarkerArea() const { return m_markerArea; }
    // The fringes as last drawn.
    const TFringeLayout &Fringes() const { return m_fringes; }
    // Where the colour button shows the light's colour, in its pixels.
    QRect ColorSwatchRect() const;

    // ---- handlers
    void picResize();
    void XhsbScroll(int position);
    void SlitSEValueChange();
    void RedClick(QAction *item);
    void picMouseDown(const QPointF &pos);
    void picMouseMove(const QPointF &pos);
    void picMouseUp();

    void DrawExperiment();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void DrawFringes(DrawingContext &dc, const QRectF &r);
    void DrawScreenScale(DrawingContext &dc, const QRectF &r);
    void DrawBenchScale(DrawingContext &dc, const QRectF &r);
    void PaintMarker(TBitmap32 &frame, const QRectF &location);
    void ColorBtnDrawItem(QWidget *button);

    float m_D = 150.0f;
    float m_d = 0.05f;
    float m_lambda = 700.0f;
    TLightColor m_color = 0xFFFF0000;
    float m_u = 0;
    QRect m_markerArea;
    TFringeLayout m_fringes;
};
