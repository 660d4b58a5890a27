import QtQuick
import wdropsite

// An area of a template panel that takes a node dragged from the node list and holds the
// controls built for it.
Item {
    id: root
    visible: false
    width: 200
    height: 200
    z: 1

    property string text: ""
    // Whether the node hovering now is one this site takes; a refused one may still be dropped,
    // so that the program can say why it does not fit.
    property bool hoverAccepted: false
    readonly property color refusedColor: "#D9534F"
    readonly property color hoverColor: hoverAccepted ? intrf.accentColor : refusedColor

    Accessible.role: Accessible.Grouping
    Accessible.name: text || wwidget.caption || qsTr("Drop site")

    // A drag from another program carries its node in the mime data; one from the node list,
    // which stays inside the window, carries it on its source item.
    function dragText(drag) {
        if (drag.text.length > 0)
            return drag.text
        return drag.source && drag.source.dropText !== undefined ? String(drag.source.dropText) : ""
    }

    function dragData(drag) {
        const data = drag.getDataAsString("application/dropsite")
        if (data.length > 0)
            return data
        return drag.source && drag.source.dropData !== undefined ? String(drag.source.dropData) : ""
    }

    Rectangle {
        anchors.fill: parent
        radius: intrf.controlRadius
        color: dropArea.containsDrag
               ? Qt.rgba(root.hoverColor.r, root.hoverColor.g, root.hoverColor.b, 0.15)
               : "transparent"
        border.color: dropArea.containsDrag ? root.hoverColor : intrf.editColor
        border.width: Math.max(1, intrf.pixelScale)
        visible: intrf.editModeEnable || dropArea.containsDrag
    }

    Text {
        Accessible.ignored: true
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
        objectName: "dropArea"
        anchors.fill: parent
        keys: ["application/dropsite"]
        onEntered: function(drag) {
            root.hoverAccepted = intrf.dropSite(root.dragText(drag), root.dragData(drag), wwidget)
        }
        onDropped: function(drop) {
            if (wwidget.outputDrop(root.dragText(drop), root.dragData(drop)))
                drop.acceptProposedAction()
            else
                drop.accepted = false
        }
    }

    Rectangle {
        id: clearButton
        objectName: "clearButton"
        readonly property real side: Math.max(14, Math.min(root.width, root.height) * 0.12)
        anchors { top: parent.top; right: parent.right; margins: side * 0.2 }
        width: side
        height: side
        radius: side / 2
        z: 10
        visible: wwidget.occupied && !intrf.editModeEnable
        color: clearArea.pressed ? Qt.darker(intrf.accentColor, 1.2) : intrf.menuColor
        border.color: intrf.menuLineColor

        Accessible.role: Accessible.Button
        Accessible.name: qsTr("Clear drop site")
        Accessible.onPressAction: wwidget.clear()

        Text {
            anchors.centerIn: parent
            text: "\u00D7"
            color: clearArea.pressed ? "#FFFFFF" : intrf.menuTextColor
            font { family: "Helvetica"; pixelSize: clearButton.side * 0.8; bold: true }
        }

        MouseArea {
            id: clearArea
            anchors.fill: parent
            onClicked: wwidget.clear()
        }
    }

    WDropSite {
        id: wwidget
        objectName: "widget"
    }
}
