import QtQuick
import wframe

// A filled rectangle with an optional border.
Rectangle {
    id: root
    visible: false
    width: 200
    height: 200
    z: 1

    property string text: ""
    property color fieldColor: intrf.fieldColor
    property color borderColor: intrf.borderColor
    property real borderWidth: 1
    property int hasBorder: 0

    // Decoration only: nothing for a screen reader to say.
    Accessible.role: Accessible.Pane
    Accessible.name: text || wwidget.caption || qsTr("Frame")
    Accessible.ignored: true

    color: fieldColor
    radius: intrf.controlRadius
    border.color: borderColor
    border.width: hasBorder ? Math.max(1, borderWidth * intrf.pixelScale) : 0

    WFrame {
        id: wwidget
        objectName: "widget"
    }
}
