// Polarisation: unpolarised light, a polariser, and an analyser that the
// host turns (variable "angle", then the label "DoRotate" on the clip
// "caller_mc", which runs its function doRotate()).
// The light behind the analyser follows Malus's law, I = I0 cos²θ, shown as
// the beam's brightness, a bar, a point on the cos² curve and as numbers.
// The stage is wide and low: the movie sits above the 3D view.
import QtQuick

Rectangle {
    id: root
    // What the host and screen readers call this movie.
    property string title: "Polarisation of light"
    Accessible.name: title
    width: 550
    height: 300
    color: "#ffffff"

    // Set by the host as text ("-45"), then DoRotate turns the analyser.
    property string angle: "0"
    signal command(string name, string args)

    // Analyser angle in degrees from the polariser's (vertical) axis; the
    // shown angle follows the target smoothly.
    property real targetAngle: 0
    property real shownAngle: targetAngle
    Behavior on shownAngle { NumberAnimation { duration: 450; easing.type: Easing.InOutQuad } }

    readonly property real cosTheta: Math.cos(shownAngle * Math.PI / 180)
    readonly property real transmitted: cosTheta * cosTheta          // I / I0
    readonly property real polarisedShare: 0.5                       // a polariser passes half of unpolarised light

    // Oscillation phase of the light's electric field, for the moving vectors.
    property real phase: 0
    NumberAnimation on phase {
        from: 0; to: 2 * Math.PI; duration: 1100
        loops: Animation.Infinite; running: true
    }
    // Unpolarised light: the direction of vibration keeps changing at random.
    property real randomDirection: 0
    Timer {
        interval: 160; repeat: true; running: true
        onTriggered: root.randomDirection = Math.random() * 180
    }

    function applyAngle() {
        const v = Number(String(root.angle).trim())
        if (String(root.angle).trim() === "" || !isFinite(v))
            return
        root.targetAngle = Math.max(-90, Math.min(90, Math.trunc(v)))
    }

    // Numbers with a real minus sign.
    function signed(v) { return String(v).replace("-", "−") }
    function fixed(v, digits) { return signed(v.toFixed(digits)) }

    // ----------------------------------------------------------- pieces
    component Label: Text {
        font.family: "Liberation Sans"
        font.pixelSize: 14
        color: "#1a1a1a"
    }

    // A straight line from (x1, y1) to (x2, y2).
    component Line: Rectangle {
        property real x1
        property real y1
        property real x2
        property real y2
        property real thickness: 2
        x: x1
        y: y1 - thickness / 2
        width: Math.max(0.01, Math.sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1)))
        height: thickness
        transformOrigin: Item.Left
        rotation: Math.atan2(y2 - y1, x2 - x1) * 180 / Math.PI
        antialiasing: true
    }

    // The vibration of the light seen along the beam: a faint line for the
    // full swing and a bright vector for the field at this instant. The
    // direction is degrees from the vertical, clockwise on the screen.
    component Vibration: Item {
        id: vib
        property real direction: 0
        property real amplitude: 22      // stage pixels for E0
        property real field: 0           // -1 .. 1, E / E0 at this instant
        property color tint: "#fff3a0"
        property bool showSwing: true
        width: 0; height: 0
        rotation: direction
        Rectangle {   // full swing, both ways
            visible: vib.showSwing && vib.amplitude > 0.5
            x: -1.5; y: -vib.amplitude; width: 3; height: 2 * vib.amplitude
            color: vib.tint; opacity: 0.6; antialiasing: true
        }
        Rectangle {   // the field vector now
            x: -2
            y: vib.field >= 0 ? -vib.field * vib.amplitude : 0
            width: 4; height: Math.abs(vib.field) * vib.amplitude
            color: vib.tint; antialiasing: true
        }
        Rectangle {
            x: -4.5; y: -vib.field * vib.amplitude - 4.5
            width: 9; height: 9; radius: 4.5
            color: vib.tint
            visible: vib.amplitude > 0.5
        }
    }

    // A polarising filter seen face on: a grey disc with lines along its
    // transmission axis (degrees from the vertical, clockwise).
    component Filter: Item {
        id: filter
        property real axis: 0
        property real radius: 46
        width: 0; height: 0
        Rectangle {
            x: -filter.radius; y: -filter.radius
            width: 2 * filter.radius; height: 2 * filter.radius; radius: filter.radius
            color: "#8f9aa6"; opacity: 0.55
            border.color: "#d8dee6"; border.width: 3
        }
        Item {
            rotation: filter.axis
            Repeater {
                model: 7
                Rectangle {
                    readonly property real offset: (index - 3) * 12
                    readonly property real half: Math.sqrt(Math.max(0, (filter.radius - 3) * (filter.radius - 3) - offset * offset))
                    x: offset - 1; y: -half; width: 2; height: 2 * half
                    color: "#2c3440"; opacity: 0.7; antialiasing: true
                }
            }
            Rectangle {   // the transmission axis, drawn past the rim
                x: -2; y: -filter.radius - 10; width: 4; height: 2 * filter.radius + 20
                color: "#ffffff"; antialiasing: true
            }
        }
    }

    // ------------------------------------------------------------ bench
    Rectangle {
        id: bench
        x: 6; y: 6; width: 538; height: 170; radius: 10
        color: "#1d2636"

        readonly property real beamY: 84
        readonly property real polariserX: 162
        readonly property real analyserX: 338
        readonly property real screenX: 516

        // Beam brightness stands for intensity relative to the lamp's light.
        function glow(share) { return 0.08 + 0.8 * share }

        Rectangle {   // lamp
            x: 12; y: bench.beamY - 20; width: 28; height: 40; radius: 8
            color: "#ffd75a"
            Rectangle { anchors.centerIn: parent; width: 14; height: 24; radius: 5; color: "#fff6cf" }
        }
        Rectangle {
            x: 40; y: bench.beamY - 13; width: bench.polariserX - 40; height: 26
            color: "#ffd75a"; opacity: bench.glow(1.0)
        }
        Rectangle {
            x: bench.polariserX; y: bench.beamY - 13; width: bench.analyserX - bench.polariserX; height: 26
            color: "#ffd75a"; opacity: bench.glow(root.polarisedShare)
        }
        Rectangle {
            x: bench.analyserX; y: bench.beamY - 13; width: bench.screenX - bench.analyserX; height: 26
            color: "#ffd75a"; opacity: bench.glow(root.polarisedShare * root.transmitted)
        }
        Rectangle {   // screen, lit by what the analyser lets through
            x: bench.screenX; y: bench.beamY - 44; width: 10; height: 88; radius: 2
            color: Qt.rgba(0.25 + 0.75 * root.transmitted, 0.25 + 0.68 * root.transmitted,
                           0.3 + 0.1 * root.transmitted, 1)
        }

        // Unpolarised light: vibrations in every direction across the beam.
        Item {
            x: 84; y: bench.beamY
            Repeater {
                model: 4
                Vibration {
                    direction: index * 45; amplitude: 24; field: 0
                    tint: "#fff3a0"; showSwing: true
                }
            }
            Vibration {
                direction: root.randomDirection; amplitude: 24
                field: Math.sin(root.phase * 2); showSwing: false
            }
        }
        Filter { x: bench.polariserX; y: bench.beamY; axis: 0 }

        // Polarised light: one plane only, the polariser's.
        Vibration {
            x: 250; y: bench.beamY
            direction: 0; amplitude: 24; field: Math.sin(root.phase)
        }

        // The analyser, turned by the host.
        Filter {
            id: analyser
            objectName: "caller_mc"
            x: bench.analyserX; y: bench.beamY
            axis: root.shownAngle
            // The frame label "DoRotate" (QML names start in lower case).
            function doRotate() { root.applyAngle() }
        }
        // Angle from the polariser's direction: a dashed vertical and an arc.
        Repeater {
            model: 6
            Rectangle {
                x: bench.analyserX - 1; y: bench.beamY - 64 + index * 7
                width: 2; height: 4; color: "#9fd0ff"
            }
        }
        Repeater {
            id: arc
            model: 24
            Line {
                readonly property real r: 56
                readonly property real a0: (root.shownAngle * index / 24 - 90) * Math.PI / 180
                readonly property real a1: (root.shownAngle * (index + 1) / 24 - 90) * Math.PI / 180
                x1: bench.analyserX + r * Math.cos(a0); y1: bench.beamY + r * Math.sin(a0)
                x2: bench.analyserX + r * Math.cos(a1); y2: bench.beamY + r * Math.sin(a1)
                thickness: 2.5; color: "#9fd0ff"
                visible: Math.abs(root.shownAngle) > 0.5
            }
        }
        Label {
            readonly property real mid: (root.shownAngle / 2 - 90) * Math.PI / 180
            x: bench.analyserX + 70 * Math.cos(mid) - width / 2
            y: bench.beamY + 70 * Math.sin(mid) - height / 2
            text: "θ"; color: "#9fd0ff"; font.pixelSize: 18; font.bold: true
            visible: Math.abs(root.shownAngle) > 8
        }

        // Behind the analyser: the component along its axis, E0 cos θ.
        Vibration {
            x: 432; y: bench.beamY
            direction: root.shownAngle
            amplitude: 24 * Math.abs(root.cosTheta)
            field: Math.sin(root.phase)
        }

        Label { x: 84 - width / 2; y: 10; text: "unpolarised light"; color: "#ffffff" }
        Label { x: 250 - width / 2; y: 10; text: "polarised, I₀"; color: "#ffffff" }
        Label { x: 434 - width / 2; y: 10; text: "I = I₀ cos²θ"; color: "#ffffff" }
        Label { x: bench.polariserX - width / 2; y: 142; text: "polariser"; color: "#ffffff" }
        Label { x: bench.analyserX - width / 2; y: 142; text: "analyser"; color: "#ffffff" }
    }

    // ------------------------------------------------ Malus's law graph
    Item {
        id: graph
        x: 52; y: 192
        readonly property real w: 270      // θ from -90 to 90
        readonly property real h: 76       // I / I0 from 0 to 1
        function px(theta) { return (theta + 90) / 180 * w }
        function py(share) { return h - share * h }

        Rectangle { x: 0; y: graph.h; width: graph.w; height: 2; color: "#333333" }
        Rectangle { x: graph.px(0) - 1; y: -6; width: 2; height: graph.h + 6; color: "#999999" }
        Rectangle { x: -1; y: -6; width: 2; height: graph.h + 8; color: "#333333" }
        Repeater {   // gridlines at 1 and 0.5
            model: [1, 0.5]
            Rectangle { x: 0; y: graph.py(modelData); width: graph.w; height: 1; color: "#d0d4da" }
        }
        Repeater {   // the cos² curve
            model: 60
            Line {
                readonly property real t0: -90 + index * 3
                readonly property real t1: t0 + 3
                x1: graph.px(t0); y1: graph.py(Math.pow(Math.cos(t0 * Math.PI / 180), 2))
                x2: graph.px(t1); y2: graph.py(Math.pow(Math.cos(t1 * Math.PI / 180), 2))
                thickness: 2.5; color: "#2457c5"
            }
        }
        Repeater {   // drop lines to the axes
            model: 10
            Rectangle {
                x: graph.px(root.shownAngle) - 1
                y: graph.py(root.transmitted) + index * (graph.h - graph.py(root.transmitted)) / 10
                width: 2; height: Math.max(0, (graph.h - graph.py(root.transmitted)) / 20)
                color: "#d0312d"
            }
        }
        Rectangle {
            x: graph.px(root.shownAngle) - 7; y: graph.py(root.transmitted) - 7
            width: 14; height: 14; radius: 7
            color: "#d0312d"; border.color: "#ffffff"; border.width: 2
        }
        Label { x: -width - 6; y: graph.py(1) - height / 2; text: "1" }
        Label { x: -width - 6; y: graph.py(0.5) - height / 2; text: "0.5" }
        Label { x: -width - 6; y: graph.py(0) - height / 2; text: "0" }
        Label { x: -width / 2; y: graph.h + 4; text: "−90°" }
        Label { x: graph.px(0) - width / 2; y: graph.h + 4; text: "0°" }
        Label { x: graph.w - width / 2; y: graph.h + 4; text: "90°" }
        Label { x: graph.w + 8; y: graph.h - height / 2; text: "θ"; font.bold: true; font.pixelSize: 16 }
        Label { x: 8; y: 2; text: "I / I₀"; font.bold: true }
    }

    // ------------------------------------------------ bar and numbers
    Item {
        x: 374; y: 190
        Rectangle {
            x: 0; y: 0; width: 30; height: 80
            color: "#f1f3f6"; border.color: "#333333"; border.width: 2
        }
        Rectangle {
            x: 2; width: 26
            height: 76 * root.transmitted
            y: 78 - height
            color: "#f0b400"
        }
        Label { x: 15 - width / 2; y: 84; text: "I / I₀" }
    }
    Column {
        x: 418; y: 188
        spacing: 2
        Label { text: "θ = " + root.signed(Math.round(root.shownAngle)) + "°"; font.pixelSize: 22; font.bold: true }
        Label { text: "cos θ = " + root.fixed(root.cosTheta, 2); font.pixelSize: 16 }
        Label { text: "I / I₀ = cos²θ"; font.pixelSize: 16 }
        Label { text: "= " + root.fixed(root.transmitted, 2); font.pixelSize: 24; font.bold: true; color: "#b07800" }
    }
}
