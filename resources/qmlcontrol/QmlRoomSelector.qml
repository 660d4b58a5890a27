import QtQuick
import wroomselection

// One room of a floor plan.
Item {
    id: root
    visible: false
    width: 75
    height: 20
    z: 1

    property string text: ""
    property color borderColor: intrf.borderColor
    property real borderWidth: 1
    property string vertexJson: "[]"

    WRoomSelection {
        id: wwidget
        objectName: "widget"
        anchors.fill: parent
        z: -1 // the fill under the outline
    }
}
