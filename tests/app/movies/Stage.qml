// A still movie of a known stage, for the player's tests: dark blue
// background, an orange block at the stage's centre.
import QtQuick

Rectangle {
    id: root
    width: 400; height: 200
    color: "#203040"
    property string angle: "0"
    property string lastVariables: JSON.stringify(movieVariables)
    signal command(string name, string args)

    Rectangle {
        objectName: "caller_mc"
        x: 150; y: 50; width: 100; height: 100
        color: "#e04010"
        property int calls: 0
        function doRotate() { rotation = Number(root.angle); calls += 1 }
        function sendFullScreen() { root.command("fullscreen", "true") }
        function sendNormal() { root.command("normal", "") }
        Item { objectName: "inner"; property string note: "" }
    }
}
