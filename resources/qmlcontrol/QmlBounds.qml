import QtQuick
import wframe

// The invisible outline of a panel's content; the panel is scaled to it.
Item {
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
    Accessible.name: text || wwidget.caption || qsTr("Panel outline")
    Accessible.ignored: true

    WFrame {
        id: wwidget
        objectName: "widget"
    }
}
