// How a liquid crystal display works: one twisted-nematic cell between
// crossed polarisers, drawn as an exploded view, and a seven-segment digit
// built from such cells, counting. With no voltage the molecules twist
// through 90° and turn the light's plane of polarisation, so it passes the
// second polariser; with the voltage on they untwist and line up with the
// field, the plane is not turned and the light is blocked.
import QtQuick

Rectangle {
    id: root
    // What the host and screen readers call this movie.
    property string title: "Liquid crystal display"
    Accessible.name: title
    width: 560
    height: 660
    color: "#ffffff"

    signal command(string name, string args)

    // ------------------------------------------------------------ the digit
    // Segments a to g of each digit, on (voltage) or off.
    readonly property var digitSegments: [
        "abcdef", "bc", "abdeg", "abcdg", "bcfg", "acdfg", "acdefg", "abc", "abcdefg", "abcdfg"
    ]
    readonly property string cellSegment: "e"     // the segment drawn as the cell above
    // Counting starts at 1, so that the film opens on a cell with no voltage.
    property int digit: 1
    Timer {
        interval: 2600; repeat: true; running: true
        onTriggered: root.digit = (root.digit + 1) % 10
    }
    function segmentOn(segment) { return digitSegments[digit].indexOf(segment) >= 0 }

    // ------------------------------------------------------------ the cell
    // Voltage on the cell, 0 (off) to 1 (fully on); the molecules follow it
    // over a moment, untwisting faster than they relax.
    readonly property real targetVoltage: segmentOn(cellSegment) ? 1 : 0
    property real voltage: targetVoltage
    Behavior on voltage {
        NumberAnimation { duration: root.targetVoltage > 0.5 ? 900 : 1400; easing.type: Easing.InOutSine }
    }

    readonly property int layers: 7
    // Molecule k (0 at the first plate) is twisted by 90° k/(layers-1) by the
    // grooves; the field tilts the middle ones towards the field direction,
    // while the ones held by the plates stay put.
    function twist(k) { return 90 * k / (layers - 1) }
    function tilt(k) { return voltage * 88 * Math.sin(Math.PI * k / (layers - 1)) }
    // The light's plane follows the twist while the molecules lie across the
    // beam; untwisted molecules leave it alone. Turned by rho at the exit.
    function planeAfter(k) { return twist(k) * (1 - voltage) }
    readonly property real rotation90: planeAfter(layers - 1)
    // The second polariser is at 90° to the first: Malus's law with 90° - rho.
    readonly property real transmitted: Math.pow(Math.cos((90 - rotation90) * Math.PI / 180), 2)

    // ------------------------------------------------------------ drawing
    // Oblique view: x along the beam (to the right), y up, z towards the
    // viewer (drawn down and to the left).
    readonly property real originX: 0
    readonly property real originY: 206
    readonly property real plateHalf: 58
    readonly property real depthX: 0.72
    readonly property real depthY: 0.42
    function sx(x, y, z) { return originX + x - depthX * z }
    function sy(x, y, z) { return originY - y + depthY * z }

    readonly property real backlightX: 26
    readonly property real polariser1X: 112
    readonly property real glass1X: 166
    readonly property real glass2X: 384
    readonly property real polariser2X: 440
    readonly property real viewerX: 520
    function layerX(k) { return glass1X + 28 + k * (glass2X - glass1X - 56) / (layers - 1) }

    function fixed(v, digits) { return v.toFixed(digits) }

    component Label: Text {
        font.family: "Liberation Sans"
        font.pixelSize: 14
        color: "#1a1a1a"
    }
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
    // A plate across the beam at x, seen obliquely: a parallelogram.
    component Plate: Rectangle {
        property real plateX
        property real half: root.plateHalf
        width: 2 * half
        height: 2 * half
        antialiasing: true
        border.width: 2
        // Local (u, v) with z = u - half and y = half - v.
        transform: Matrix4x4 {
            matrix: Qt.matrix4x4(-root.depthX, 0, 0, root.sx(plateX, 0, 0) + root.depthX * half,
                                 root.depthY, 1, 0, root.originY - (1 + root.depthY) * half,
                                 0, 0, 1, 0,
                                 0, 0, 0, 1)
        }
    }
    // The vibration of the light across the beam at x: a double arrow at
    // angle psi from the first polariser's axis (y) towards z.
    component Vibration: Item {
        id: vib
        property real atX
        property real psi
        property real half: 26
        property color tint: "#e0a000"
        z: 2
        readonly property real x1: root.sx(atX, -half * Math.cos(psi * Math.PI / 180), -half * Math.sin(psi * Math.PI / 180))
        readonly property real y1: root.sy(atX, -half * Math.cos(psi * Math.PI / 180), -half * Math.sin(psi * Math.PI / 180))
        readonly property real x2: root.sx(atX, half * Math.cos(psi * Math.PI / 180), half * Math.sin(psi * Math.PI / 180))
        readonly property real y2: root.sy(atX, half * Math.cos(psi * Math.PI / 180), half * Math.sin(psi * Math.PI / 180))
        readonly property real len: Math.sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1))
        readonly property real ux: len > 0 ? (x2 - x1) / len : 0
        readonly property real uy: len > 0 ? (y2 - y1) / len : 0
        visible: half > 1
        Line { x1: vib.x1; y1: vib.y1; x2: vib.x2; y2: vib.y2; thickness: 3.5; color: vib.tint }
        Line { x1: vib.x2; y1: vib.y2; x2: vib.x2 - 9 * vib.ux - 5 * vib.uy; y2: vib.y2 - 9 * vib.uy + 5 * vib.ux; thickness: 3; color: vib.tint }
        Line { x1: vib.x2; y1: vib.y2; x2: vib.x2 - 9 * vib.ux + 5 * vib.uy; y2: vib.y2 - 9 * vib.uy - 5 * vib.ux; thickness: 3; color: vib.tint }
        Line { x1: vib.x1; y1: vib.y1; x2: vib.x1 + 9 * vib.ux - 5 * vib.uy; y2: vib.y1 + 9 * vib.uy + 5 * vib.ux; thickness: 3; color: vib.tint }
        Line { x1: vib.x1; y1: vib.y1; x2: vib.x1 + 9 * vib.ux + 5 * vib.uy; y2: vib.y1 + 9 * vib.uy - 5 * vib.ux; thickness: 3; color: vib.tint }
    }
    // Lines drawn on a plate: its transmission axis or its grooves, along y
    // (alongY) or along z.
    component PlateLines: Repeater {
        id: lines
        property real plateX
        property bool alongY: true
        property color tint: "#39424e"
        property real half: root.plateHalf * 0.86
        model: 5
        Line {
            readonly property real off: (index - 2) * root.plateHalf * 0.38
            x1: lines.alongY ? root.sx(lines.plateX, -lines.half, off) : root.sx(lines.plateX, off, -lines.half)
            y1: lines.alongY ? root.sy(lines.plateX, -lines.half, off) : root.sy(lines.plateX, off, -lines.half)
            x2: lines.alongY ? root.sx(lines.plateX, lines.half, off) : root.sx(lines.plateX, off, lines.half)
            y2: lines.alongY ? root.sy(lines.plateX, lines.half, off) : root.sy(lines.plateX, off, lines.half)
            thickness: 2; color: lines.tint; opacity: 0.8
        }
    }

    Label { x: 16; y: 8; text: "The liquid crystal display"; font.pixelSize: 22; font.bold: true }

    // ------------------------------------------------------------ the light
    Rectangle {   // backlight
        x: root.backlightX - 12; y: root.originY - 62; width: 24; height: 124; radius: 6
        color: "#ffe27a"; border.color: "#d4a800"; border.width: 2
    }
    Rectangle {
        x: root.backlightX + 12; y: root.originY - 7
        width: root.polariser2X - root.backlightX - 12; height: 14
        color: "#ffd23f"; opacity: 0.45
    }
    Rectangle {
        x: root.polariser2X; y: root.originY - 7
        width: root.viewerX - root.polariser2X - 24; height: 14
        color: "#ffd23f"; opacity: 0.05 + 0.4 * root.transmitted
    }
    Repeater {   // unpolarised light from the lamp
        model: 4
        Vibration { atX: 64; psi: index * 45; half: 18; tint: "#d49b00" }
    }

    // ------------------------------------------------------------ the layers
    Plate { plateX: root.polariser1X; color: "#7f8c99"; opacity: 0.45; border.color: "#4b5561" }
    PlateLines { plateX: root.polariser1X; alongY: true }
    Vibration { atX: (root.polariser1X + root.glass1X) / 2; psi: 0 }

    Plate { plateX: root.glass1X; color: "#bfe3f2"; opacity: 0.55; border.color: "#6aa6c0" }
    PlateLines { plateX: root.glass1X; alongY: true; tint: "#6aa6c0"; half: root.plateHalf * 0.7 }

    // Molecules: three in each layer, turned by the twist and tilted by the field.
    Repeater {
        model: root.layers
        Item {
            id: slab
            readonly property int k: index
            readonly property real lx: root.layerX(k)
            readonly property real phi: root.twist(k) * Math.PI / 180
            readonly property real alpha: root.tilt(k) * Math.PI / 180
            // direction of the molecule: tilt towards x, twist from y towards z
            readonly property real dx: Math.sin(alpha)
            readonly property real dy: Math.cos(alpha) * Math.cos(phi)
            readonly property real dz: Math.cos(alpha) * Math.sin(phi)
            Repeater {
                model: [-40, 40]
                Line {
                    readonly property real cy: modelData
                    readonly property real r: 13
                    x1: root.sx(slab.lx - r * slab.dx, cy - r * slab.dy, -r * slab.dz)
                    y1: root.sy(slab.lx - r * slab.dx, cy - r * slab.dy, -r * slab.dz)
                    x2: root.sx(slab.lx + r * slab.dx, cy + r * slab.dy, r * slab.dz)
                    y2: root.sy(slab.lx + r * slab.dx, cy + r * slab.dy, r * slab.dz)
                    thickness: 8; radius: 4
                    color: "#3566c4"
                    z: 1
                }
            }
            // the light's plane after this layer
            Vibration {
                atX: slab.lx
                psi: root.planeAfter(slab.k)
                half: 19
            }
        }
    }

    Plate { plateX: root.glass2X; color: "#bfe3f2"; opacity: 0.55; border.color: "#6aa6c0" }
    PlateLines { plateX: root.glass2X; alongY: false; tint: "#6aa6c0"; half: root.plateHalf * 0.7 }
    Vibration { atX: (root.glass2X + root.polariser2X) / 2; psi: root.rotation90 }

    Plate { plateX: root.polariser2X; color: "#7f8c99"; opacity: 0.45; border.color: "#4b5561" }
    PlateLines { plateX: root.polariser2X; alongY: false }
    // Behind the second polariser only the part along its axis (z) is left.
    Vibration {
        atX: (root.polariser2X + root.viewerX) / 2 - 8
        psi: 90
        half: 26 * Math.sqrt(root.transmitted)
    }

    // What the viewer sees of this cell.
    Rectangle {
        x: root.viewerX - 20; y: root.originY - 40; width: 44; height: 80; radius: 4
        border.color: "#555555"; border.width: 2
        color: Qt.rgba(0.12 + 0.7 * root.transmitted, 0.14 + 0.72 * root.transmitted, 0.1 + 0.62 * root.transmitted, 1)
    }

    // The field, while the voltage is on: along the beam, plate to plate.
    Label {
        x: root.layerX(5) + 6; y: root.originY + 104
        text: "field"; color: "#c0392b"; opacity: root.voltage
    }
    Repeater {
        model: 3
        Item {
            opacity: root.voltage
            Line {
                x1: root.layerX(0); y1: root.originY + 112 + index * 10 - 10
                x2: root.layerX(5); y2: root.originY + 112 + index * 10 - 10
                thickness: 2; color: "#c0392b"
            }
            Line {
                x1: root.layerX(5); y1: root.originY + 112 + index * 10 - 10
                x2: root.layerX(5) - 8; y2: root.originY + 107 + index * 10 - 10
                thickness: 2; color: "#c0392b"
            }
        }
    }

    // The circuit: a battery and a switch joining the two electrodes.
    Item {
        id: circuit
        readonly property real wireY: root.originY + 140
        readonly property real leftX: root.sx(root.glass1X, -root.plateHalf, root.plateHalf)
        readonly property real rightX: root.sx(root.glass2X, -root.plateHalf, root.plateHalf)
        readonly property real footY: root.sy(0, -root.plateHalf, root.plateHalf)
        readonly property real midX: (leftX + rightX) / 2
        Line { x1: circuit.leftX; y1: circuit.footY; x2: circuit.leftX; y2: circuit.wireY; color: "#333333" }
        Line { x1: circuit.rightX; y1: circuit.footY; x2: circuit.rightX; y2: circuit.wireY; color: "#333333" }
        Line { x1: circuit.leftX; y1: circuit.wireY; x2: circuit.midX - 30; y2: circuit.wireY; color: "#333333" }
        Line { x1: circuit.midX + 6; y1: circuit.wireY; x2: circuit.rightX; y2: circuit.wireY; color: "#333333" }
        // battery
        Rectangle { x: circuit.midX - 2; y: circuit.wireY - 14; width: 3; height: 28; color: "#333333" }
        Rectangle { x: circuit.midX + 5; y: circuit.wireY - 8; width: 5; height: 16; color: "#333333" }
        // switch: a blade that closes when the voltage is on
        Line {
            x1: circuit.midX - 30; y1: circuit.wireY
            x2: circuit.midX - 30 + 24 * Math.cos(root.targetVoltage > 0.5 ? 0 : -0.6)
            y2: circuit.wireY + 24 * Math.sin(root.targetVoltage > 0.5 ? 0 : -0.6)
            thickness: 3; color: "#333333"
        }
        Label {
            x: circuit.midX - width / 2; y: circuit.wireY + 16
            text: root.targetVoltage > 0.5 ? "voltage on" : "voltage off"
            font.bold: true; color: root.targetVoltage > 0.5 ? "#c0392b" : "#333333"
        }
    }

    // ------------------------------------------------------------ names
    component Tag: Item {
        id: tag
        property real atX
        property real row: 0
        property string text
        readonly property real topY: root.sy(0, root.plateHalf, -root.plateHalf) - 8
        Label { x: Math.max(4, tag.atX - width / 2); y: 42 + tag.row * 20; text: tag.text }
        Rectangle { x: tag.atX - 0.5; y: 60 + tag.row * 20; width: 1; height: Math.max(0, tag.topY - 60 - tag.row * 20); color: "#8a94a0" }
    }
    Tag { atX: root.backlightX; text: "backlight"; row: 1 }
    Tag { atX: root.sx(root.polariser1X, 0, -root.plateHalf); text: "polariser"; row: 1 }
    Tag { atX: root.sx(root.glass1X, 0, -root.plateHalf); text: "glass + electrode"; row: 0 }
    Tag { atX: root.sx(root.layerX(3), 0, -root.plateHalf * 0.5); text: "liquid crystal"; row: 1 }
    Tag { atX: root.sx(root.glass2X, 0, -root.plateHalf); text: "glass + electrode"; row: 0 }
    Tag { atX: root.sx(root.polariser2X, 0, -root.plateHalf); text: "polariser at 90°"; row: 1 }
    Label { x: root.viewerX + 2 - width / 2; y: root.originY + 44; text: "you see" }

    // ------------------------------------------------------------ the digit
    Rectangle {
        id: display
        x: 24; y: 424; width: 170; height: 222; radius: 10
        color: "#cdd6bd"; border.color: "#7d866d"; border.width: 3
        readonly property real segLong: 82
        readonly property real segThick: 18
        readonly property real segLeft: 40
        readonly property real segTop: 18
        // a, b, c, d, e, f, g as rectangles within the display
        readonly property var boxes: ({
            a: [segLeft + 10, segTop, segLong, segThick],
            b: [segLeft + segLong + 12, segTop + 10, segThick, segLong],
            c: [segLeft + segLong + 12, segTop + segLong + 22, segThick, segLong],
            d: [segLeft + 10, segTop + 2 * segLong + 24, segLong, segThick],
            e: [segLeft - 8, segTop + segLong + 22, segThick, segLong],
            f: [segLeft - 8, segTop + 10, segThick, segLong],
            g: [segLeft + 10, segTop + segLong + 12, segLong, segThick]
        })
        Repeater {
            model: ["a", "b", "c", "d", "e", "f", "g"]
            Rectangle {
                readonly property var box: display.boxes[modelData]
                readonly property bool isCell: modelData === root.cellSegment
                // A segment is dark where the light is blocked.
                property real darkness: root.segmentOn(modelData) ? 1 : 0
                Behavior on darkness { NumberAnimation { duration: 700 } }
                readonly property real shade: isCell ? 1 - root.transmitted : darkness
                x: box[0]; y: box[1]; width: box[2]; height: box[3]; radius: 6
                color: Qt.rgba(0.80 - 0.69 * shade, 0.84 - 0.70 * shade, 0.74 - 0.64 * shade, 1)
                border.color: isCell ? "#e07b00" : "#b3bda2"
                border.width: isCell ? 3 : 1
            }
        }
    }
    Label {
        x: display.x + display.width + 8; y: display.y + 146
        text: "← segment e is\n    the cell above"
        color: "#b05f00"; font.bold: true
    }

    // ------------------------------------------------------------ numbers
    Column {
        x: 216; y: 426
        spacing: 4
        Label { text: "The digit shows " + root.digit; font.pixelSize: 20; font.bold: true }
        Label { text: "Segments with a voltage are dark."; font.pixelSize: 15; color: "#4a5563" }
        Item { width: 1; height: 6 }
        Label {
            text: "Cell (segment e): " + (root.targetVoltage > 0.5 ? "voltage on" : "no voltage")
            font.pixelSize: 16; font.bold: true
            color: root.targetVoltage > 0.5 ? "#c0392b" : "#1a1a1a"
        }
        Label { text: "Plane of the light turned by " + root.fixed(root.rotation90, 0) + "°"; font.pixelSize: 16 }
        Label { text: "I / I₀ = cos²(90° − " + root.fixed(root.rotation90, 0) + "°) = " + root.fixed(root.transmitted, 2); font.pixelSize: 16 }
        Label {
            text: root.transmitted > 0.9 ? "The light passes: bright."
                  : (root.transmitted < 0.1 ? "The light is blocked: dark." : "Partly turned: grey.")
            font.pixelSize: 16; font.bold: true; color: "#2d5f9a"
        }
    }
}
