#pragma once
// The double-slit window: the screen with its fringes and scale, a
// magnifier reading the screen's place on the bench, and a side view of the
// bench. Holding a mouse button over the picture shows a measuring line
// that follows the pointer. Static: it redraws when an input changes.
#include "sim/framework/SimulationWindow.h"
#include "sim/optics/DoubleSlitModel.h"

#include <QFont>
#include <QRect>

class DrawingContext;
class QAction;
class QMouseEvent;
class DropDownButton;
class ImageSurface;
class OverlayLayer;
class ToolbarScrollBar;
class ToolbarSpinBox;
class ToolbarLabel;
class RasterImage;

class DoubleSlitWindow : public SimulationWindow
{
    Q_OBJECT
public:
    explicit DoubleSlitWindow(QWidget *parent = nullptr);
    ~DoubleSlitWindow() override;

    // ---- controls
    ToolbarLabel *separationLabel() const { return m_separationLabel; }
    ToolbarSpinBox *separationSpinBox() const { return m_separationSpinBox; }
    DropDownButton *colourButton() const { return m_colourButton; }
    QAction *redAction() const { return m_redAction; }
    QAction *orangeAction() const { return m_orangeAction; }
    QAction *yellowAction() const { return m_yellowAction; }
    QAction *greenAction() const { return m_greenAction; }
    QAction *blueAction() const { return m_blueAction; }
    QAction *violetAction() const { return m_violetAction; }
    ToolbarScrollBar *distanceScrollBar() const { return m_distanceScrollBar; }
    ImageSurface *picture() const { return m_picture; }
    OverlayLayer *markerLayer() const { return m_markerLayer; }  // the measuring line
    // Where the measuring line stands on the screen's scale, as shown beside
    // it ("12.3 mm"); empty while it is hidden or off the screen.
    QString lineReading() const;

    // ---- state
    float distance() const { return m_D; }    // cm, slits to screen
    float separation() const { return m_d; }  // mm
    float wavelength() const { return m_lambda; } // nm
    LightColor lightColor() const { return m_color; }
    float unit() const { return m_u; }
    QRect markerArea() const { return m_markerArea; }
    // The fringes as last drawn.
    const FringeLayout &fringes() const { return m_fringes; }
    // Where the colour button shows the light's colour, in its pixels.
    QRect colorSwatchRect() const;

    // ---- handlers
    void pictureResized();
    void distanceScrolled(int position);
    void separationEdited();
    void colourChosen(QAction *item);
    void pictureMousePressed(const QPointF &pos);
    void pictureMouseMoved(const QPointF &pos);
    void pictureMouseReleased();

    void drawExperiment();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void drawFringes(DrawingContext &dc, const QRectF &r);
    void drawScreenScale(DrawingContext &dc, const QRectF &r);
    void drawBenchScale(DrawingContext &dc, const QRectF &r);
    void paintMarker(RasterImage &frame, const QRectF &location);
    QFont readingFont() const;
    QRect readingRect(const QString &reading) const;
    void drawColourSwatch(QWidget *button);

    float m_D = 150.0f;
    float m_d = 0.05f;
    float m_lambda = 700.0f;
    LightColor m_color = 0xFFFF0000;
    float m_u = 0;
    QRect m_markerArea;
    FringeLayout m_fringes;

    ToolbarLabel *m_separationLabel = nullptr;
    ToolbarSpinBox *m_separationSpinBox = nullptr;
    DropDownButton *m_colourButton = nullptr;
    QAction *m_redAction = nullptr;
    QAction *m_orangeAction = nullptr;
    QAction *m_yellowAction = nullptr;
    QAction *m_greenAction = nullptr;
    QAction *m_blueAction = nullptr;
    QAction *m_violetAction = nullptr;
    ToolbarScrollBar *m_distanceScrollBar = nullptr;
    ImageSurface *m_picture = nullptr;
    OverlayLayer *m_markerLayer = nullptr; // the measuring line
};
