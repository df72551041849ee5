import QtQuick
Rectangle { width: 10; height: 10; color: undefinedThing.value
