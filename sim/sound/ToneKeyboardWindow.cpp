#include "sim/sound/ToneKeyboardWindow.h"

#include "sim/framework/PaintBox.h"
#include "sim/framework/ToolbarItems.h"
#include "sim/sound/TonePlayer.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QStatusTipEvent>
#include <QToolBar>
#include <cmath>

namespace {
const Color32 kWhite = 0xFFFFFFFF;
const Color32 kBlack = 0xFF000000;
const Color32 kFrameGrey = 0xFF7F7F7F;
const Color32 kKeyIvory = 0xFFFFFFE0;
const Color32 kWaveBlue = 0xFF0000FF;

// The pixel under the pointer (positions may be fractional on a scaled
// screen).
QPoint pixelAt(const QMouseEvent *event)
{
    const QPointF p = event->position();
    return QPoint(int(std::floor(p.x())), int(std::floor(p.y())));
}
} // namespace

const QString ToneKeyboardWindow::noSoundMessage =
    QStringLiteral("No sound output was found: the keys show their waveform but play no tone.");

ToneKeyboardWindow::ToneKeyboardWindow(QWidget *parent) : SimulationWindow(parent)
{
    setObjectName(QStringLiteral("toneKeyboardWindow"));
    setModelTitle(QStringLiteral("Tone keyboard"));

    // ---- toolbar
    m_amplitudeLabel = new ToolbarLabel(m_toolbar, QStringLiteral("Amplitude"));
    const auto strengthSpinBox = [this](const QString &hint, double value) {
        return new ToolbarSpinBox(m_toolbar, {.min = 0, .max = 32, .step = 1, .value = value, .decimals = 0,
                                              .suffix = {}, .hint = hint, .width = 40, .readOnlyText = true});
    };
    m_strengthSpinBoxes[0] = strengthSpinBox(QStringLiteral("Set the amplitude"), 16);
    m_toolbar->addSeparator();
    m_harmonicsLabel = new ToolbarLabel(m_toolbar, QStringLiteral("Harmonics"));
    for (int k = 1; k <= 4; ++k) {
        m_strengthSpinBoxes[size_t(k)] = strengthSpinBox(QStringLiteral("Add harmonics (%1f)").arg(k + 1), 0);
        // One caption stands before four boxes: each is read as its own harmonic.
        m_strengthSpinBoxes[size_t(k)]->setQuantity(QStringLiteral("Harmonic %1f").arg(k + 1));
    }

    m_strengthSpinBoxes[0]->setObjectName(QStringLiteral("amplitudeSpinBox"));
    m_strengthSpinBoxes[0]->setAccessibleName(QStringLiteral("Amplitude"));
    m_strengthSpinBoxes[0]->setAccessibleDescription(QStringLiteral("Strength of the fundamental, 0 to 32"));
    for (int k = 1; k <= 4; ++k) {
        ToolbarSpinBox *box = m_strengthSpinBoxes[size_t(k)];
        box->setObjectName(QStringLiteral("harmonic%1fSpinBox").arg(k + 1));
        box->setAccessibleName(QStringLiteral("Harmonic %1f").arg(k + 1));
        box->setAccessibleDescription(QStringLiteral("Strength of the harmonic at %1 times the key's frequency, 0 to 32")
                                          .arg(k + 1));
    }

    // This window keeps no button state: every call applies the sizes.
    m_keepsButtonState = false;
    for (ToolbarSpinBox *box : m_strengthSpinBoxes) {
        m_buttonSizes.spinEdit(box, 50, 40);
        connect(box, &ToolbarSpinBox::valueEdited, this, &ToneKeyboardWindow::strengthsEdited);
    }
    m_buttonSizes.font(m_amplitudeLabel);
    m_buttonSizes.font(m_harmonicsLabel);

    // ---- the two pictures, placed by layoutPanes()
    m_waveformPicture = new PaintBox(this);
    m_waveformPicture->setObjectName(QStringLiteral("waveformPicture"));
    m_waveformPicture->setAccessibleName(QStringLiteral("Waveform"));
    connect(m_waveformPicture, &PaintBox::resized, this, &ToneKeyboardWindow::drawWaveform);

    m_keyboardPicture = new PaintBox(this);
    m_keyboardPicture->setObjectName(QStringLiteral("keyboardPicture"));
    m_keyboardPicture->setAccessibleName(QStringLiteral("Keyboard"));
    m_keyboardPicture->setAccessibleDescription(
        QStringLiteral("16 white and 11 black keys from C at 262 Hz; press a key with the mouse to hear it"));
    connect(m_keyboardPicture, &PaintBox::resized, this, &ToneKeyboardWindow::drawKeyboard);
    connect(m_keyboardPicture, &PaintBox::mousePressed, this, [this](QMouseEvent *e) { keyPressed(pixelAt(e)); });
    connect(m_keyboardPicture, &PaintBox::mouseMoved, this, [this](QMouseEvent *e) {
        if (e->buttons() != Qt::NoButton)
            keyMoved(pixelAt(e));
    });
    connect(m_keyboardPicture, &PaintBox::mouseReleased, this, [this](QMouseEvent *) { keyReleased(); });

    layoutPanes();
}

ToneKeyboardWindow::~ToneKeyboardWindow() = default;

// ---------------------------------------------------------------- layout

void ToneKeyboardWindow::resizeEvent(QResizeEvent *event)
{
    SimulationWindow::resizeEvent(event);
    layoutPanes();
}

void ToneKeyboardWindow::layoutPanes()
{
    const ToneKeyboardLayout l = toneKeyboardLayout(width(), height());
    m_waveformPicture->setGeometry(l.waveform);
    m_keyboardPicture->setGeometry(l.keyboard);
    drawWaveform();
    drawKeyboard();
}

// ---------------------------------------------------------------- handlers

void ToneKeyboardWindow::strengthsEdited()
{
    ToneStrengths s{};
    for (size_t k = 0; k < s.size(); ++k)
        s[k] = float(m_strengthSpinBoxes[k]->value());
    m_model.setStrengths(s);
    drawWaveform();
}

void ToneKeyboardWindow::keyPressed(QPoint position)
{
    playSound(m_model.press(position));
}

void ToneKeyboardWindow::keyMoved(QPoint position)
{
    playSound(m_model.move(position));
}

void ToneKeyboardWindow::keyReleased()
{
    playSound(m_model.release());
}

void ToneKeyboardWindow::playSound(ToneKeyboardModel::Sound sound)
{
    switch (sound) {
    case ToneKeyboardModel::Sound::Unchanged:
        break;
    case ToneKeyboardModel::Sound::Play:
        drawWaveform();
        if (!m_player) {
            m_player = new TonePlayer(this);
            connect(m_player, &TonePlayer::unavailable, this, &ToneKeyboardWindow::reportNoSound);
        }
        m_player->play(m_model.image());
        break;
    case ToneKeyboardModel::Sound::Stop:
        if (m_player)
            m_player->stop();
        break;
    }
}

void ToneKeyboardWindow::reportNoSound()
{
    m_soundMessage = noSoundMessage;
    // Goes up to the main window, which shows it in its status bar.
    QStatusTipEvent tip(m_soundMessage);
    QCoreApplication::sendEvent(this, &tip);
}

// A tone must not outlive the key that holds it: a window hidden or closed
// with the button down never sees the release.
void ToneKeyboardWindow::hideEvent(QHideEvent *event)
{
    if (m_model.playing())
        playSound(m_model.release());
    SimulationWindow::hideEvent(event);
}

bool ToneKeyboardWindow::closeQuery()
{
    if (m_model.playing())
        playSound(m_model.release());
    return SimulationWindow::closeQuery();
}

// ---------------------------------------------------------------- pictures

void ToneKeyboardWindow::drawWaveform()
{
    RasterImage &b = m_waveformPicture->bitmap();
    if (b.isEmpty())
        return;
    const int w = b.width(), h = b.height();
    const WaveformPicture wave = ::waveformPicture(w, h, m_model.strengths(), m_model.frequency());
    m_waveformPicture->beginUpdate();
    b.clear(kWhite);
    b.font = RasterFont{QStringLiteral("arial"), 10.0, kBlack, false};
    b.horizontalLine(0, wave.mid, w, kBlack);
    std::vector<FixedPoint> points;
    points.reserve(wave.points.size());
    for (size_t i = 0; i < wave.points.size(); ++i) {
        const QPointF &p = wave.points[i];
        points.push_back(fixedPoint(p.x(), p.y()));
        const int x = int(p.x());
        if (i % 24 == 0)
            b.verticalLine(x, wave.mid, wave.mid + 4, kBlack);
        if (i % 48 == 0) {
            const QString label = QString::number(i / 48);
            b.drawText(x - b.textExtent(label).width() / 2, wave.mid + 5, label);
        }
    }
    const QString axis = QStringLiteral("time (ms)");
    const QSize extent = b.textExtent(axis);
    b.drawText(w - 10 - extent.width(), wave.mid - extent.height(), axis);
    b.polylineAntialiased(points, kWaveBlue);
    const QString title = frequencyTitle(m_model.frequency());
    b.drawText(5, 5, title);
    b.frameRect(0, 0, w, h, kFrameGrey);
    m_waveformPicture->endUpdate();
    m_waveformPicture->setAccessibleDescription(title);
}

void ToneKeyboardWindow::drawKeyboard()
{
    RasterImage &b = m_keyboardPicture->bitmap();
    m_model.setKeyboardSize(b.width(), b.height());
    if (b.isEmpty())
        return;
    const KeyboardGeometry &g = m_model.geometry();
    const int h = g.keyHeight;
    m_keyboardPicture->beginUpdate();
    b.clear(kWhite);
    b.fillRect(0, 0, b.width(), 2 * h, kKeyIvory);
    b.frameRect(0, 0, b.width(), 2 * h, kBlack);
    for (int i = 0; i < kKeyCount; ++i) {
        const QRect &r = g.keys[size_t(i)];
        if (isBlackKey(i))
            b.fillRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height(), kBlack);
        else
            b.verticalLine(r.left(), 0, 2 * h - 1, kBlack);
    }
    const QRect &extra = g.extraBlackKey;
    b.fillRect(extra.left(), extra.top(), extra.left() + extra.width(), extra.top() + extra.height(), kBlack);
    b.frameRect(0, 0, b.width(), b.height(), kFrameGrey);
    m_keyboardPicture->endUpdate();
}
