// The hydrogen spectrum: the energy levels E = -13.6 eV / n² to scale, an
// electron dropping from level to level, each photon coloured by its
// wavelength 1/λ = R (1/n₁² - 1/n₂²), and the visible Balmer lines building
// a line spectrum under a continuous one. Clicking two levels shows that
// jump; the film then carries on by itself.
import QtQuick

Rectangle {
    id: root
    // What the host and screen readers call this movie.
    property string title: "Energy levels and spectrum of hydrogen"
    Accessible.name: title
    width: 560
    height: 660
    color: "#ffffff"

    signal command(string name, string args)

    // ------------------------------------------------------------ physics
    readonly property real ionisationEnergy: 13.6     // eV
    readonly property real rydberg: 1.0968e7          // m^-1, for hydrogen
    readonly property var levels: [1, 2, 3, 4, 5, 6, Infinity]

    function invSquare(n) { return 1 / (n * n) }
    function energy(n) { return -ionisationEnergy * invSquare(n) }
    function photonEnergy(upper, lower) { return ionisationEnergy * (invSquare(lower) - invSquare(upper)) }
    function wavelength(upper, lower) { return 1e9 / (rydberg * (invSquare(lower) - invSquare(upper))) }   // nm
    function levelName(n) { return n === Infinity ? "∞" : String(n) }
    function signed(text) { return String(text).replace("-", "−") }

    function seriesName(lower) {
        return ["Lyman", "Balmer", "Paschen", "Brackett", "Pfund", "Humphreys"][lower - 1] + " series"
    }
    function bandName(nm) {
        if (nm < 380) return "ultraviolet: invisible"
        if (nm > 750) return "infrared: invisible"
        if (nm < 450) return "violet"
        if (nm < 480) return "blue"
        if (nm < 500) return "blue-green"
        if (nm < 565) return "green"
        if (nm < 590) return "yellow"
        if (nm < 625) return "orange"
        return "red"
    }
    // The colour the eye sees for one wavelength; ultraviolet and infrared,
    // which the eye does not see, get a violet-grey and a dark red.
    function spectralColour(nm) {
        if (nm < 380) return "#8c84a8"
        if (nm > 750) return "#7a2323"
        let r = 0, g = 0, b = 0
        if (nm < 440) { r = (440 - nm) / 60; b = 1 }
        else if (nm < 490) { g = (nm - 440) / 50; b = 1 }
        else if (nm < 510) { g = 1; b = (510 - nm) / 20 }
        else if (nm < 580) { r = (nm - 510) / 70; g = 1 }
        else if (nm < 645) { r = 1; g = (645 - nm) / 65 }
        else { r = 1 }
        // The eye's sensitivity falls off at both ends of the visible range.
        let f = 1
        if (nm < 420) f = 0.3 + 0.7 * (nm - 380) / 40
        else if (nm > 700) f = 0.3 + 0.7 * (750 - nm) / 50
        return Qt.rgba(Math.pow(r * f, 0.8), Math.pow(g * f, 0.8), Math.pow(b * f, 0.8), 1)
    }

    // ------------------------------------------------------------ layout
    readonly property real levelTop: 84         // y of E = 0 (n = ∞)
    readonly property real pixelsPerEV: 30
    readonly property real levelLeft: 70
    readonly property real levelRight: 400
    function yOfEnergy(e) { return levelTop - e * pixelsPerEV }
    function yOfLevel(n) { return yOfEnergy(energy(n)) }
    // Labels of the crowded upper levels are fanned out 17 pixels apart.
    function labelY(n) {
        const i = levels.indexOf(n)
        return i < 2 ? yOfLevel(n) : yOfLevel(3) - (i - 2) * 17
    }

    readonly property real spectrumLeft: 64
    readonly property real spectrumRight: 496
    readonly property real continuousTop: 546
    readonly property real linesTop: 576
    readonly property real stripHeight: 24
    function xOfWavelength(nm) { return spectrumLeft + (nm - 380) * (spectrumRight - spectrumLeft) / 370 }

    // ------------------------------------------------------------ the film
    // The jumps shown in turn, with the x of their arrows.
    readonly property var jumps: [
        { upper: 3, lower: 2, x: 200 }, { upper: 4, lower: 2, x: 218 },
        { upper: 5, lower: 2, x: 236 }, { upper: 6, lower: 2, x: 254 },
        { upper: 2, lower: 1, x: 96 }, { upper: 3, lower: 1, x: 112 },
        { upper: 4, lower: 1, x: 128 }, { upper: 5, lower: 1, x: 144 },
        { upper: 6, lower: 1, x: 160 },
        { upper: 4, lower: 3, x: 300 }, { upper: 5, lower: 3, x: 318 },
        { upper: 6, lower: 3, x: 336 }
    ]
    readonly property real stepSeconds: 2.6
    property real time: 0
    NumberAnimation on time {
        id: film
        from: 0; to: root.jumps.length * root.stepSeconds
        duration: root.jumps.length * root.stepSeconds * 1000
        loops: Animation.Infinite; running: true
    }
    readonly property int autoStep: Math.min(jumps.length - 1, Math.floor(time / stepSeconds))
    readonly property real autoFraction: time / stepSeconds - autoStep

    // A jump the learner chose by clicking two levels; the film waits.
    property var chosen: null
    property real chosenTime: 0
    property var firstPick: null
    NumberAnimation {
        id: chosenFilm
        target: root; property: "chosenTime"
        from: 0; to: root.stepSeconds; duration: root.stepSeconds * 1000
    }
    Timer {
        id: resume
        interval: 7000
        onTriggered: { root.chosen = null; film.resume() }
    }
    // The keys pick levels as clicks do: 1 to 6 for n = 1 to 6, 0 for n = ∞.
    focus: true
    Keys.onPressed: (event) => {
        if (event.key >= Qt.Key_1 && event.key <= Qt.Key_6) {
            pick(event.key - Qt.Key_0)
            event.accepted = true
        } else if (event.key === Qt.Key_0) {
            pick(Infinity)
            event.accepted = true
        }
    }

    function pick(n) {
        if (firstPick === null) { firstPick = n; return }
        if (firstPick === n) { firstPick = null; return }
        const upper = energy(firstPick) > energy(n) ? firstPick : n
        const lower = upper === n ? firstPick : n
        firstPick = null
        chosen = { upper: upper, lower: lower, x: 372 }
        film.pause()
        chosenFilm.restart()
        resume.restart()
    }

    readonly property var current: chosen !== null ? chosen : jumps[autoStep]
    readonly property real fraction: chosen !== null ? chosenTime / stepSeconds : autoFraction
    readonly property real currentWavelength: wavelength(current.upper, current.lower)
    readonly property color currentColour: spectralColour(currentWavelength)
    // Within one jump: the electron falls, then the photon flies to the spectrum.
    readonly property real fall: Math.max(0, Math.min(1, (fraction - 0.12) / 0.3))
    readonly property real flight: Math.max(0, Math.min(1, (fraction - 0.45) / 0.42))
    function emitted(step) { return step < autoStep || (step === autoStep && autoFraction >= 0.87) }

    // ------------------------------------------------------------ pieces
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
    // A downward arrow for one jump, in the colour of its photon.
    component JumpArrow: Item {
        id: arrow
        property real upper
        property real lower
        property real arrowX
        property real strength: 0.3
        readonly property color tint: root.spectralColour(root.wavelength(upper, lower))
        readonly property real yTop: root.yOfLevel(upper)
        readonly property real yBottom: root.yOfLevel(lower)
        opacity: strength
        Rectangle {
            x: arrow.arrowX - 1.5; y: arrow.yTop; width: 3; height: arrow.yBottom - arrow.yTop - 2
            color: arrow.tint; antialiasing: true
        }
        Line { x1: arrow.arrowX; y1: arrow.yBottom; x2: arrow.arrowX - 5; y2: arrow.yBottom - 9; thickness: 3; color: arrow.tint }
        Line { x1: arrow.arrowX; y1: arrow.yBottom; x2: arrow.arrowX + 5; y2: arrow.yBottom - 9; thickness: 3; color: arrow.tint }
    }

    // ------------------------------------------------------------ title
    Label { x: 16; y: 8; text: "The hydrogen spectrum"; font.pixelSize: 22; font.bold: true }

    // ------------------------------------------------------------ energy axis
    Label { x: 10; y: root.levelTop - 28; text: "E (eV)"; font.bold: true }
    Rectangle { x: 60; y: root.levelTop; width: 2; height: 14 * root.pixelsPerEV; color: "#333333" }
    Repeater {
        model: 15
        Item {
            Rectangle {
                x: index % 2 === 0 ? 54 : 57; y: root.yOfEnergy(-index) - 1
                width: index % 2 === 0 ? 8 : 5; height: 2; color: "#333333"
            }
            Label {
                visible: index % 2 === 0
                x: 50 - width; y: root.yOfEnergy(-index) - height / 2
                text: root.signed(-index)
            }
        }
    }

    // ------------------------------------------------------------ levels
    Repeater {
        model: root.levels
        Item {
            id: level
            readonly property var n: modelData
            readonly property real ly: root.yOfLevel(n)
            readonly property real lay: root.labelY(n)
            readonly property bool picked: root.firstPick === n
            readonly property bool inJump: root.current.upper === n || root.current.lower === n
            Rectangle {
                x: root.levelLeft; y: level.ly - height / 2
                width: root.levelRight - root.levelLeft; height: level.picked ? 4 : 2
                color: level.picked ? "#e07b00" : (level.n === Infinity ? "#7a8594" : "#25303d")
            }
            Line {
                x1: root.levelRight; y1: level.ly; x2: root.levelRight + 10; y2: level.lay
                thickness: 1.5; color: "#7a8594"
            }
            Label {
                x: root.levelRight + 14; y: level.lay - height / 2
                text: "n = " + root.levelName(level.n) + "   " + root.signed(root.energy(level.n).toFixed(2)) + " eV"
                font.bold: level.picked || level.inJump
                color: level.picked ? "#e07b00" : "#1a1a1a"
            }
            MouseArea {   // the label, and a band along the line as far as the neighbours allow
                x: root.levelRight; y: level.lay - 9; width: root.width - root.levelRight; height: 18
                cursorShape: Qt.PointingHandCursor
                onClicked: root.pick(level.n)
            }
            MouseArea {
                readonly property int i: root.levels.indexOf(level.n)
                readonly property real gap: Math.min(
                    i > 0 ? Math.abs(level.ly - root.yOfLevel(root.levels[i - 1])) : 20,
                    i < root.levels.length - 1 ? Math.abs(level.ly - root.yOfLevel(root.levels[i + 1])) : 20)
                x: root.levelLeft; width: root.levelRight - root.levelLeft
                height: Math.max(3, Math.min(16, gap))
                y: level.ly - height / 2
                cursorShape: Qt.PointingHandCursor
                onClicked: root.pick(level.n)
            }
        }
    }

    // ------------------------------------------------------------ jumps
    Repeater {
        model: root.jumps
        JumpArrow {
            upper: modelData.upper; lower: modelData.lower; arrowX: modelData.x
            strength: root.chosen === null && index === root.autoStep ? 1 : (root.emitted(index) ? 0.55 : 0.22)
        }
    }
    JumpArrow {
        visible: root.chosen !== null
        upper: root.chosen ? root.chosen.upper : 2
        lower: root.chosen ? root.chosen.lower : 1
        arrowX: 372; strength: 1
    }
    Label { x: 72; y: root.yOfLevel(1) + 4; text: "Lyman series: ultraviolet"; font.bold: true; color: "#5a5278" }
    Column {
        x: 227 - width / 2; y: root.yOfLevel(2) + 5
        Label { anchors.horizontalCenter: parent.horizontalCenter; text: "Balmer series"; font.bold: true; color: "#2d5f9a" }
        Label { anchors.horizontalCenter: parent.horizontalCenter; text: "visible"; color: "#2d5f9a" }
    }
    Column {
        x: 318 - width / 2; y: root.yOfLevel(3) + 4
        Label { anchors.horizontalCenter: parent.horizontalCenter; text: "Paschen"; font.bold: true; color: "#7a2323" }
        Label { anchors.horizontalCenter: parent.horizontalCenter; text: "infrared"; color: "#7a2323" }
    }

    // ------------------------------------------------------------ the jump now
    Rectangle {
        id: info
        x: 196; y: 262; width: 354; height: 190; radius: 8
        color: "#f3f5f9"; border.color: "#c9d0da"
        readonly property real up: root.current.upper
        readonly property real low: root.current.lower
        Column {
            x: 14; y: 10; spacing: 3
            Label {
                text: "n = " + root.levelName(info.up) + "  →  n = " + root.levelName(info.low)
                font.pixelSize: 22; font.bold: true
            }
            Label { text: root.seriesName(info.low); font.pixelSize: 16; color: "#4a5563" }
            Label {
                text: "ΔE = 13.6 eV × (1/" + info.low + "² − 1/" + root.levelName(info.up) + "²) = "
                      + root.photonEnergy(info.up, info.low).toFixed(2) + " eV"
                font.pixelSize: 15
            }
            Label {
                text: "1/λ = R (1/" + info.low + "² − 1/" + root.levelName(info.up) + "²)"
                font.pixelSize: 15
            }
            Row {
                spacing: 10
                Label {
                    text: "λ = " + root.currentWavelength.toFixed(0) + " nm"
                    font.pixelSize: 26; font.bold: true
                }
                Rectangle {
                    anchors.verticalCenter: parent.verticalCenter
                    width: 34; height: 22; radius: 4
                    color: root.currentColour; border.color: "#555555"
                }
            }
            Label { text: root.bandName(root.currentWavelength); font.pixelSize: 16; font.bold: true; color: "#4a5563" }
        }
    }

    // ------------------------------------------------------------ electron and photon
    Rectangle {
        readonly property real sx: root.current.x
        readonly property real sy: root.yOfLevel(root.current.upper)
                                   + (root.yOfLevel(root.current.lower) - root.yOfLevel(root.current.upper))
                                     * root.fall * root.fall
        x: sx - 7; y: sy - 7; width: 14; height: 14; radius: 7
        color: "#1f5fd1"; border.color: "#ffffff"; border.width: 2
        visible: root.fraction > 0.02 && root.fraction < 0.6
        opacity: root.fraction < 0.45 ? 1 : 1 - (root.fraction - 0.45) / 0.15
        z: 5
    }
    Item {
        id: photon
        z: 6
        visible: root.flight > 0 && root.flight < 1
        readonly property real startX: root.current.x
        readonly property real startY: root.yOfLevel(root.current.lower)
        readonly property real nm: root.currentWavelength
        readonly property real endX: nm < 380 ? 32 : (nm > 750 ? 528 : root.xOfWavelength(nm))
        readonly property real endY: root.linesTop + root.stripHeight / 2
        x: startX + (endX - startX) * root.flight
        y: startY + (endY - startY) * root.flight
        rotation: Math.atan2(endY - startY, endX - startX) * 180 / Math.PI
        // A short wave train; its wiggles are longer for longer wavelengths.
        readonly property real wiggle: Math.max(5, Math.min(34, nm * 0.022))
        Repeater {
            model: 24
            Line {
                readonly property real u0: -60 + index * 2.5
                readonly property real u1: u0 + 2.5
                function shape(u) {
                    return 6 * Math.sin(Math.PI * (u + 60) / 60) * Math.sin(2 * Math.PI * u / photon.wiggle)
                }
                x1: u0; y1: shape(u0); x2: u1; y2: shape(u1)
                thickness: 3; color: root.currentColour
            }
        }
    }

    // ------------------------------------------------------------ spectra
    Repeater {   // wavelength scale
        model: [400, 500, 600, 700]
        Item {
            Rectangle { x: root.xOfWavelength(modelData) - 1; y: root.continuousTop - 5; width: 2; height: 5; color: "#333333" }
            Label {
                x: root.xOfWavelength(modelData) - width / 2; y: root.continuousTop - 22
                text: modelData + (modelData === 700 ? " nm" : "")
            }
        }
    }
    Item {   // continuous spectrum, as a hot solid gives
        x: root.spectrumLeft; y: root.continuousTop
        Repeater {
            model: 144
            Rectangle {
                x: index * 3; width: 3.5; height: root.stripHeight
                color: root.spectralColour(380 + (index + 0.5) * 370 / 144)
            }
        }
        Label {
            x: 8; y: (root.stripHeight - height) / 2; text: "continuous spectrum"
            color: "#ffffff"; style: Text.Outline; styleColor: "#000000"
        }
    }
    Rectangle {   // hydrogen's line spectrum, built line by line
        x: root.spectrumLeft; y: root.linesTop
        width: root.spectrumRight - root.spectrumLeft; height: root.stripHeight
        color: "#000000"
        Label {
            x: parent.width - width - 6; y: (root.stripHeight - height) / 2
            text: "hydrogen"; color: "#ffffff"
        }
    }
    Repeater {
        model: root.jumps
        Item {
            readonly property real nm: root.wavelength(modelData.upper, modelData.lower)
            visible: nm >= 380 && nm <= 750 && root.emitted(index)
            Rectangle {
                x: root.xOfWavelength(parent.nm) - 1.5; y: root.linesTop
                width: 3; height: root.stripHeight; color: root.spectralColour(parent.nm)
            }
            Label {
                x: root.xOfWavelength(parent.nm) - width / 2; y: root.linesTop + root.stripHeight + 2
                text: parent.nm.toFixed(0)
            }
        }
    }
    Rectangle {   // a visible line from a chosen jump
        readonly property real nm: root.currentWavelength
        visible: root.chosen !== null && nm >= 380 && nm <= 750 && root.flight >= 1
        x: root.xOfWavelength(nm) - 1.5; y: root.linesTop
        width: 3; height: root.stripHeight; color: root.spectralColour(nm)
    }
    // Boxes for the invisible lines, lit when such a photon arrives.
    Repeater {
        model: [{ x: 6, ultraviolet: true, name: "UV" }, { x: 502, ultraviolet: false, name: "IR" }]
        Rectangle {
            readonly property bool mine: modelData.ultraviolet ? root.currentWavelength < 380 : root.currentWavelength > 750
            readonly property bool lit: mine && root.flight >= 1
            x: modelData.x; y: root.continuousTop; width: 52
            height: root.linesTop + root.stripHeight - root.continuousTop
            radius: 5
            color: lit ? root.currentColour : "#eef0f4"
            border.color: root.spectralColour(modelData.ultraviolet ? 300 : 900); border.width: 2
            Column {
                anchors.centerIn: parent
                Label {
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: modelData.name; font.bold: true; font.pixelSize: 16
                    color: parent.parent.lit ? "#ffffff" : "#1a1a1a"
                }
                Label {
                    anchors.horizontalCenter: parent.horizontalCenter
                    visible: parent.parent.mine && root.flight >= 1
                    text: root.currentWavelength.toFixed(0)
                    color: "#ffffff"
                }
            }
        }
    }

    Label {
        x: 16; y: root.height - 30
        text: root.firstPick === null
              ? "Click a level, then another, to see that jump."
              : "n = " + root.levelName(root.firstPick) + " chosen: now click the other level."
        color: root.firstPick === null ? "#5a6573" : "#e07b00"
        font.pixelSize: 15
    }
}
