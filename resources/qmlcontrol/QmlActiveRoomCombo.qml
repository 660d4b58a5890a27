import QtQuick
import wactivecombo

// The names of the rooms combined with this one.
Item {
    id: root
    visible: false
    width: 75
    height: 20
    z: 1

    property string text: ""
    property color textColor: intrf.textColor
    property color borderColor: intrf.borderColor
    property real borderWidth: 0

    WActiveCombo {
        id: wwidget
        objectName: "widget"
    }
}
