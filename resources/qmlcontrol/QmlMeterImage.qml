import QtQuick
import wmeterimage

// A picture that follows the level.
Item {
    id: root
    visible: false
    width: 75
    height: 20
    z: 1

    property string text: ""
    property string path: "../images/meterGrey.png"
    property real imageSize: 1.0
    property real imageOpacity: 1.0

    Text {
        id: caption
        anchors { left: parent.left; right: parent.right; top: parent.top }
        height: root.height * 0.2
        text: root.text
        color: intrf.textColor
        font.family: "Helvetica"
        font.pixelSize: Math.max(1, height * 0.8)
        horizontalAlignment: Text.AlignHCenter
    }

    Image {
        anchors { left: parent.left; right: parent.right; top: caption.bottom; bottom: parent.bottom }
        source: root.path
        opacity: root.imageOpacity
        fillMode: Image.PreserveAspectFit
    }

    WMeterImage {
        id: wwidget
        objectName: "widget"
    }
}
