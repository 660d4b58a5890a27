import QtQuick

// A handle on one vertex of a polygon in edit mode; dragging it moves that vertex.
Rectangle {
    id: handle

    property int index: 0
    signal moved(int index, real x, real y)

    width: 10
    height: 10
    radius: 5
    color: intrf.editColor
    border.color: intrf.accentColor
    visible: intrf.editModeEnable
    // Only the mouse edits shapes.
    Accessible.role: Accessible.Grip
    Accessible.name: qsTr("Vertex %1").arg(index + 1)
    Accessible.ignored: true

    MouseArea {
        anchors.fill: parent
        drag.target: handle
        onPositionChanged: handle.moved(handle.index, handle.x + handle.width / 2,
                                        handle.y + handle.height / 2)
    }
}
