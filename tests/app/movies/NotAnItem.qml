import QtQml
QtObject { property string angle: "0" }
