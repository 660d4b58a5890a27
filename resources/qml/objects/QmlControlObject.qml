import QtQuick

// The area between the rows where the panel's controls are placed.
Rectangle {
    id: controlArea
    objectName: "QmlView"

    color: intrf.canvasColor
    clip: true

    Component.onCompleted: intrf.setObject("QmlView", controlArea)
    onHeightChanged: {
        intrf.canvasResize()
        intrf.menuTextSize = height * 0.0375
        intrf.dialogTextSize = height * 0.03125
    }

    component DropTarget: DropArea {
        property string key
        signal received(string text, string data, real x, real y)
        anchors.fill: parent
        keys: [key]
        onDropped: function(drop) {
            received(drop.text, drop.getDataAsString(key), drop.x, drop.y)
            drop.accept()
        }
    }

    MouseArea {
        objectName: "rightClickArea"
        anchors.fill: parent
        acceptedButtons: Qt.RightButton
        enabled: intrf.rightClickEnable
        onClicked: function(mouse) { layoutMenu.popup(mouse.x, mouse.y) }
    }

    DropTarget {
        key: "application/panel"
        onReceived: function(text, data) { intrf.dropPanel(text, data) }
    }

    DropTarget {
        key: "application/control"
        onReceived: function(text, data, x, y) { intrf.dropControl(text, data, x, y) }
    }

    DropTarget {
        key: "application/link"
        onReceived: function(text, data, x, y) { intrf.dropLink(text, data, x, y) }
    }

    // Above the controls: in edit mode any press ends the edit, then goes on to the control.
    MouseArea {
        objectName: "editCancelArea"
        anchors.fill: parent
        z: 1000
        enabled: intrf.editModeEnable
        onPressed: function(mouse) {
            intrf.cancelEdit()
            mouse.accepted = false
        }
    }

    Rectangle {
        id: layoutMenu
        objectName: "layoutMenu"

        readonly property real textSize: Math.max(1, intrf.menuTextSize)

        function popup(px, py) {
            x = Math.min(px, controlArea.width - width)
            y = Math.min(py, controlArea.height - height)
            visible = true
            closeTimer.restart()
        }

        z: 1001
        visible: false
        width: entry.implicitWidth + 2 * textSize * 1.5
        height: textSize * 2.6
        radius: intrf.controlRadius
        color: entryArea.pressed ? intrf.menuLineColor : intrf.menuColor
        border.color: intrf.menuLineColor

        Text {
            id: entry
            anchors.centerIn: parent
            text: qsTr("Layout...")
            color: intrf.menuTextColor
            font { family: "Helvetica"; pixelSize: layoutMenu.textSize }
        }

        MouseArea {
            id: entryArea
            anchors.fill: parent
            onClicked: {
                layoutMenu.visible = false
                intrf.panelSetup()
            }
        }

        Timer {
            id: closeTimer
            interval: 2000
            onTriggered: layoutMenu.visible = false
        }
    }
}
