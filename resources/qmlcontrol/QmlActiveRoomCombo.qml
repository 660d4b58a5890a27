import QtQuick
import wactivecombo

// The names of the rooms combined with this one, on one line that scrolls when too long.
Item {
    id: root
    visible: false
    width: 75
    height: 20
    z: 1

    property string text: ""
    property color textColor: intrf.textColor
    property color borderColor: intrf.borderColor
    property real borderWidth: 0
    property real textScale: 1.0
    property bool autoSize: false

    Accessible.role: Accessible.StaticText
    Accessible.name: names.text || text || wwidget.caption || qsTr("Combined rooms")

    Rectangle {
        anchors.fill: parent
        color: "transparent"
        border.color: root.borderColor
        border.width: root.borderWidth > 0 ? Math.max(1, root.borderWidth * intrf.pixelScale) : 0
    }

    Item {
        id: lane
        anchors.fill: parent
        anchors.leftMargin: wwidget.sideMargins
        anchors.rightMargin: wwidget.sideMargins
        clip: true

        Text {
            Accessible.ignored: true
            id: names
            objectName: "comboText"
            readonly property bool scrolls: width > lane.width

            anchors.verticalCenter: parent.verticalCenter
            text: wwidget.count > 0
                  ? qsTr("Combined w/ ") + wwidget.roomNames.join(wwidget.separator) : ""
            color: root.textColor
            font.family: "Helvetica"
            font.pixelSize: Math.max(1, root.height * 0.5 * (root.autoSize ? 1.0 : root.textScale))
            onScrollsChanged: x = 0

            // Runs from the right edge until the last name has passed the left one.
            NumberAnimation on x {
                running: names.scrolls && root.visible
                loops: Animation.Infinite
                from: lane.width
                to: -names.width
                duration: Math.max(1, (lane.width + names.width) * 20)
            }
        }
    }

    WActiveCombo {
        id: wwidget
        objectName: "widget"
    }
}
