import QtQuick
import wdropsite

// An area of the editing view that takes a dragged control.
Item {
    id: root
    visible: false
    width: 200
    height: 200
    z: 1

    property string text: ""

    Rectangle {
        anchors.fill: parent
        radius: intrf.controlRadius
        color: dropArea.containsDrag
               ? Qt.rgba(intrf.accentColor.r, intrf.accentColor.g, intrf.accentColor.b, 0.15)
               : "transparent"
        border.color: dropArea.containsDrag ? intrf.accentColor : intrf.editColor
        border.width: Math.max(1, intrf.pixelScale)
        visible: intrf.editModeEnable || dropArea.containsDrag
    }

    Text {
        anchors.centerIn: parent
        width: parent.width * 0.9
        text: root.text
        visible: intrf.editModeEnable && text.length > 0
        color: intrf.editColor
        elide: Text.ElideRight
        horizontalAlignment: Text.AlignHCenter
        font.family: "Helvetica"
        font.pixelSize: Math.max(1, Math.min(root.height, root.width) * 0.1)
    }

    DropArea {
        id: dropArea
        anchors.fill: parent
        keys: ["application/dropsite"]
        onEntered: function(drag) {
            drag.accepted = intrf.dropSite(drag.text,
                                           drag.getDataAsString("application/dropsite"),
                                           wwidget)
        }
        onDropped: function(drop) {
            if (intrf.dropSite(drop.text, drop.getDataAsString("application/dropsite"), wwidget))
                drop.acceptProposedAction()
        }
    }

    WDropSite {
        id: wwidget
        objectName: "widget"
    }
}
