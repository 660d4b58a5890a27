import QtQuick
import wdroplist

// A one-line selector with a pop-up list.
Item {
    id: root
    visible: false
    width: 75
    height: 20
    z: 1

    property string text: ""
    property string currentText: ""
    property int currentIndex: -1
    property int hasBorder: 0
    property int horizontalAlignment: Text.AlignLeft

    Rectangle {
        anchors.fill: parent
        radius: intrf.controlRadius
        color: intrf.menuColor
        border.color: intrf.linkInActive
        border.width: root.hasBorder ? Math.max(1, intrf.pixelScale) : 0
    }

    Text {
        anchors.fill: parent
        anchors.leftMargin: root.height * 0.25
        text: root.currentText
        color: intrf.textColor
        font.family: "Helvetica"
        font.pixelSize: Math.max(1, root.height * 0.5625)
        horizontalAlignment: root.horizontalAlignment
        verticalAlignment: Text.AlignVCenter
    }

    WDropList {
        id: wwidget
        objectName: "widget"
    }
}
