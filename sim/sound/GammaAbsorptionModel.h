#pragma once
// Gamma absorption apart from its window: a source in its pot at the left
// end of a 300 cm ruler, an absorber plate and a detector that slide along
// it, a stop clock that runs to 60 s at 1, 10 or 50 times real time and a
// counter. The count rate falls with the square of the detector's distance
// and halves with every 2.0 mm of absorber, with a 10 % random error drawn
// at each start; with the source hidden only the background remains.
//
// The bench is a plane 400 x 340 units (one unit is a centimetre); pixels
// are bench units x scale(), the ruler's zero at bench x = rulerZero().
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

constexpr float kAttenuation = 0.346f;     // per mm of absorber
constexpr float kSourceStrength = 1.0e7f;
constexpr float kRateCap = 1000.0f;        // counts per second
constexpr float kBackgroundRate = 0.3f;    // counts per second
constexpr float kRateError = 0.1f;         // relative standard deviation
constexpr float kCountingTime = 60.0f;     // seconds on the stop clock

// Scroll bar ranges, a tenth of a centimetre per step.
constexpr int kAbsorberBarMin = 0, kAbsorberBarMax = 2980;
constexpr int kDetectorBarMin = 20, kDetectorBarMax = 3000;
constexpr int kBarGap = 10; // the absorber stays 1 cm before the detector

// The rate before its random error: K e^(-mu t) / (10 d)^2 capped at 1000
// with the source shown (t in mm, d in cm), else the background.
float expectedCountRate(float thickness, float detector, bool sourceShown);

// Texts of the counter and the stop clock: "%.5d" and "%.2d.00" of the
// value rounded to the nearest whole number, halves to even.
QString counterText(float counts);
QString stopClockText(float elapsed);

// A tick on the ruler, in pixels: from (x, top) down to (x, bottom), with
// its label's top centre at (x, labelTop) (no label on the small ticks).
struct RulerTick {
    float x = 0, top = 0, bottom = 0, labelTop = 0;
    QString label;
};

// Where everything stands on the bench, in pixels.
struct GammaBench {
    QRectF ruler;
    std::vector<RulerTick> ticks;
    QRectF counter;       // the rounded counter box
    QRectF counterWindow; // its value window
    QRectF stopClock;     // the read-out panel
    QRectF source;        // the pot's square, one pixel further left
    std::optional<QRectF> absorberPlate; // none when the thickness is 0
    QRectF detector;
    QPointF cableDot;
    QPolygonF cable;      // from the detector's right side to the counter
    QRectF detectorGlass; // squares of the two magnifiers
    QRectF absorberGlass;
    QPointF counterCaption; // top-left corners of "counter" and "stop clock"
    QPointF stopClockCaption;
    float fontSize = 0;     // the captions' pixel size (the ruler's: 0.8 of it)
};

// The pot of the source in the square (A, B, side C): a box with a square
// cavity and a narrow opening in its right wall, facing the ruler.
QPolygonF sourcePot(const QRectF &square);
// The radiation sign's circle in the cavity.
QRectF radiationSign(const QRectF &square);

class GammaAbsorptionModel
{
public:
    // A normally distributed number (mean, standard deviation); the program
    // draws from its seeded generator, tests may put in their own.
    using GaussSource = std::function<float(float mean, float sd)>;

    enum class State {
        Ready,    // elapsed 0, clock off
        Counting, // clock on
        Stopped,  // 0 < elapsed < 60, clock off
        Finished, // elapsed 60, clock off
    };

    explicit GammaAbsorptionModel(GaussSource gauss = {});

    // ---- the picture
    // Fits the 400 x 340 bench into the picture and centres the ruler; a
    // picture with no area keeps the last fit.
    void setPictureSize(int width, int height);
    float scale() const { return m_s; }
    float rulerZero() const { return m_x0; }
    GammaBench bench() const;

    // ---- inputs
    float thickness() const { return m_t; }         // mm
    float absorberPosition() const { return m_a; }  // cm on the ruler
    float detectorPosition() const { return m_d; }  // cm on the ruler
    int absorberBar() const { return m_absorberBar; }
    int detectorBar() const { return m_detectorBar; }
    bool sourceShown() const { return m_sourceShown; }
    int multiplier() const { return m_multiplier; } // 1, 10 or 50

    // True when the thickness changed (redraw). The rate counts it from the
    // next start or source toggle.
    bool setThickness(float mm);
    // The bars' new positions; the other bar is pushed to keep the absorber
    // 1 cm before the detector. Both positions may change.
    void setAbsorberBar(int position);
    void setDetectorBar(int position);
    // Shows or hides the source and draws a new rate at once.
    void setSourceShown(bool shown);
    // False when the clock already runs at that speed.
    bool setMultiplier(int multiplier);

    // ---- the run
    State state() const;
    bool running() const { return m_running; }
    bool startEnabled() const { return !m_running; }
    bool stopEnabled() const { return m_running; }
    bool resetEnabled() const { return m_resetEnabled; }
    float elapsed() const { return m_elapsed; } // seconds on the stop clock
    float rate() const { return m_rate; }       // counts per second this run
    float counts() const { return m_counts; }

    // Draws a rate and runs the clock; after a finished count the clock and
    // counter start again from 0, after a stop they go on.
    void start();
    void stop();
    void reset();
    // One clock tick of deltaTime real seconds. Returns true when the count
    // finished with this tick.
    bool step(double deltaTime);

private:
    float newCountRate();

    GaussSource m_gauss;
    float m_s = 0.1f;
    float m_x0 = 5.0f;
    float m_t = 5.0f;
    float m_a = 50.0f;
    float m_d = 100.0f;
    int m_absorberBar = 500;
    int m_detectorBar = 1000;
    bool m_sourceShown = true;
    int m_multiplier = 10;

    bool m_running = false;
    bool m_resetEnabled = false;
    float m_elapsed = 0;
    float m_rate = 0;
    float m_counts = 0;
};
