import QtQuick
import wdialer

// The keypad of a telephone block.
Item {
    id: root
    visible: false
    width: 75
    height: 20
    z: 1

    property string text: ""

    WDialer {
        id: wwidget
        objectName: "widget"
    }
}
