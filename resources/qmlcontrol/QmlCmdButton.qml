import QtQuick
import wcmdbutton

// A button that sends a command to the dialer of its control.
Item {
    id: root
    visible: false
    width: 75
    height: 20
    z: 1

    property bool checked: false
    property string text: ""
    property string onText // no initialiser: "onText: ..." would read as a signal handler
    property string offText: ""
    property string partialText: ""
    property string onImage // likewise
    property string offImage: ""
    property string partialImage: ""
    property bool hasText: false
    property bool hasImage: false
    property real imageSize: 1.0
    property int hasBorder: 0

    Rectangle {
        anchors.fill: parent
        radius: intrf.controlRadius
        color: root.checked ? intrf.accentColor : intrf.menuColor
        border.color: intrf.linkInActive
        border.width: root.hasBorder ? Math.max(1, intrf.pixelScale) : 0
    }

    Text {
        anchors.fill: parent
        text: root.hasText ? (root.checked ? root.onText : root.offText) : root.text
        color: intrf.textColor
        font.family: "Helvetica"
        font.pixelSize: Math.max(1, root.height * 0.5625)
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }

    WCmdButton {
        id: wwidget
        objectName: "widget"
    }
}
