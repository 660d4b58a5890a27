import QtQuick
import wtextedit

// A text box, usually the read-out of a fader.
Item {
    id: root
    visible: false
    width: 75
    height: 20
    z: 1

    property string text: ""

    Text {
        anchors.fill: parent
        text: root.text
        color: intrf.textColor
        font.family: "Helvetica"
        font.pixelSize: Math.max(1, root.height * 0.5)
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }

    WTextEdit {
        id: wwidget
        objectName: "widget"
    }
}
