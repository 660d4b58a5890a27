import QtQuick
import wmeterimage

// A picture that follows the level, with its caption above it.
Item {
    id: root
    visible: false
    width: 75
    height: 20
    z: 1

    property string text: ""
    property real value: -60
    property string path: "../images/meterGrey.png"
    property real imageSize: 1.0
    property real imageOpacity: 1.0
    property color textColor: intrf.textColor

    Accessible.role: Accessible.Indicator
    Accessible.name: text || wwidget.caption || qsTr("Level meter")
    Accessible.description: value.toFixed(1)

    Text {
        Accessible.ignored: true
        id: caption
        anchors { left: parent.left; right: parent.right; top: parent.top }
        height: root.text === "" ? 0 : root.height * 0.4
        visible: root.text !== ""
        text: root.text
        color: root.textColor
        font.family: "Helvetica"
        font.pixelSize: Math.max(1, height * 0.7)
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }

    Item {
        id: area
        anchors { left: parent.left; right: parent.right; top: caption.bottom; bottom: parent.bottom }

        // The four pictures share one size and are cached, so a change of level swaps the
        // texture of this one item and redraws only it.
        Image {
            Accessible.ignored: true
            anchors.centerIn: parent
            width: area.width * (root.imageSize > 0 ? root.imageSize : 1.0)
            height: area.height * (root.imageSize > 0 ? root.imageSize : 1.0)
            source: root.path
            opacity: root.imageOpacity
            fillMode: Image.PreserveAspectFit
            smooth: true
        }
    }

    WMeterImage {
        id: wwidget
        objectName: "widget"
    }
}
