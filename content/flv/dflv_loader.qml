// The video loader: plays the video named by the movie variable "video" from
// this folder, looping when "loop" is "1" and asking its host for full
// screen at once when "fullscreen" is "1". A double click (or the button,
// or F) switches full screen on and off through the command signal; Space
// or the button pauses and resumes; Escape leaves full screen.
import QtQuick
import QtMultimedia

Rectangle {
    id: root
    width: 640
    height: 480
    color: "#000000"
    focus: true

    signal command(string name, string args)

    // The host always sets movieVariables; a loader opened without them
    // shows a message instead of failing.
    readonly property var vars: typeof movieVariables !== "undefined" && movieVariables ? movieVariables : ({})
    readonly property string videoName: vars.video !== undefined ? String(vars.video) : ""
    readonly property bool looping: String(vars.loop) === "1"
    property bool fullScreen: false
    property string problem: videoName === "" ? "No video was named." : ""

    function setFullScreen(on) {
        if (on === fullScreen)
            return
        fullScreen = on
        if (on)
            command("fullscreen", "true")
        else
            command("normal", "")
    }
    function togglePlay() {
        if (player.playbackState === MediaPlayer.PlayingState)
            player.pause()
        else
            player.play()
        showControls()
    }
    function showControls() {
        controls.shown = true
        hideControls.restart()
    }
    function clock(ms) {
        const s = Math.max(0, Math.floor(ms / 1000))
        return Math.floor(s / 60) + ":" + String(s % 60).padStart(2, "0")
    }

    MediaPlayer {
        id: player
        objectName: "player"
        source: root.videoName !== "" ? Qt.resolvedUrl(root.videoName) : ""
        loops: root.looping ? MediaPlayer.Infinite : 1
        videoOutput: output
        // Sound only for videos that have it: a silent film needs no sound device.
        onHasAudioChanged: {
            if (hasAudio && !audioOutput)
                audioOutput = soundFactory.createObject(player)
        }
        onErrorOccurred: (error, errorString) => {
            root.problem = "This video cannot be played."
                + (errorString !== "" ? "\n" + errorString : "")
        }
    }
    Component {
        id: soundFactory
        AudioOutput {}
    }
    VideoOutput {
        id: output
        anchors.fill: parent
        fillMode: VideoOutput.PreserveAspectFit
    }

    // The host connects to "command" once the loader has loaded, so the
    // first request waits for the event loop.
    Timer {
        interval: 50
        running: true
        onTriggered: {
            if (String(root.vars.fullscreen) === "1")
                root.setFullScreen(true)
            if (root.videoName !== "")
                player.play()
            root.showControls()
        }
    }

    MouseArea {
        anchors.fill: parent
        hoverEnabled: true
        onPositionChanged: root.showControls()
        onClicked: root.showControls()
        onDoubleClicked: root.setFullScreen(!root.fullScreen)
    }

    Keys.onSpacePressed: root.togglePlay()
    // Escape leaves full screen; otherwise it goes on to the window, which
    // closes.
    Keys.onEscapePressed: (event) => {
        if (root.fullScreen)
            root.setFullScreen(false)
        else
            event.accepted = false
    }
    Keys.onPressed: (event) => {
        if (event.key === Qt.Key_F) {
            root.setFullScreen(!root.fullScreen)
            event.accepted = true
        }
    }

    Text {
        anchors.centerIn: parent
        width: parent.width - 60
        visible: root.problem !== ""
        text: root.problem
        color: "#ffffff"
        font.family: "Liberation Sans"
        font.pixelSize: 20
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.Wrap
    }

    // ------------------------------------------------------------ controls
    Timer {
        id: hideControls
        interval: 2500
        onTriggered: controls.shown = player.playbackState !== MediaPlayer.PlayingState
    }
    Rectangle {
        id: controls
        property bool shown: true
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        height: 48
        color: "#b0000000"
        opacity: shown || player.playbackState !== MediaPlayer.PlayingState ? 1 : 0
        visible: opacity > 0 && root.problem === ""
        Behavior on opacity { NumberAnimation { duration: 250 } }

        // play / pause
        Rectangle {
            id: playButton
            x: 10; anchors.verticalCenter: parent.verticalCenter
            width: 36; height: 36; radius: 18
            color: playArea.containsMouse ? "#5a5a5a" : "#3a3a3a"
            readonly property bool playing: player.playbackState === MediaPlayer.PlayingState
            Item {   // a triangle: the right half of a square stood on its corner
                visible: !playButton.playing
                x: 14; y: 8; width: 12; height: 20; clip: true
                Rectangle {
                    x: -7.07; y: 2.93; width: 14.14; height: 14.14
                    rotation: 45; color: "#ffffff"; antialiasing: true
                }
            }
            Row {
                visible: playButton.playing
                anchors.centerIn: parent
                spacing: 5
                Rectangle { width: 5; height: 16; color: "#ffffff" }
                Rectangle { width: 5; height: 16; color: "#ffffff" }
            }
            MouseArea {
                id: playArea
                anchors.fill: parent
                hoverEnabled: true
                onClicked: root.togglePlay()
            }
        }

        // position in the video; click to jump there
        Rectangle {
            id: track
            x: 58; anchors.verticalCenter: parent.verticalCenter
            width: parent.width - 58 - 150; height: 6; radius: 3
            color: "#606060"
            Rectangle {
                width: player.duration > 0 ? parent.width * player.position / player.duration : 0
                height: parent.height; radius: 3
                color: "#ffffff"
            }
            MouseArea {
                anchors.fill: parent
                anchors.margins: -10
                enabled: player.seekable && player.duration > 0
                onClicked: (mouse) => player.position = Math.max(0, Math.min(1, (mouse.x - 10) / track.width)) * player.duration
            }
        }
        Text {
            x: track.x + track.width + 12; anchors.verticalCenter: parent.verticalCenter
            text: root.clock(player.position) + " / " + root.clock(player.duration)
            color: "#ffffff"
            font.family: "Liberation Sans"
            font.pixelSize: 15
        }

        // full screen on / off: four corners
        Rectangle {
            id: screenButton
            anchors.right: parent.right; anchors.rightMargin: 10
            anchors.verticalCenter: parent.verticalCenter
            width: 36; height: 36; radius: 6
            color: screenArea.containsMouse ? "#5a5a5a" : "#3a3a3a"
            Repeater {
                model: 4
                Item {
                    readonly property bool isRight: index % 2 === 1
                    readonly property bool isLower: index >= 2
                    // corners point out for "full screen", in for "back"
                    readonly property bool outward: !root.fullScreen
                    x: isRight ? 24 : 6; y: isLower ? 24 : 6
                    Rectangle {
                        x: (parent.isRight === parent.outward) ? 0 : -4; y: (parent.isLower === parent.outward) ? 4 : -4
                        width: 6; height: 2; color: "#ffffff"
                    }
                    Rectangle {
                        x: (parent.isRight === parent.outward) ? 4 : -4; y: (parent.isLower === parent.outward) ? 0 : -4
                        width: 2; height: 6; color: "#ffffff"
                    }
                }
            }
            MouseArea {
                id: screenArea
                anchors.fill: parent
                hoverEnabled: true
                onClicked: root.setFullScreen(!root.fullScreen)
            }
        }
    }
}
