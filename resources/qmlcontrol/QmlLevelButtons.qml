import QtQuick
import wlevelbuttons

// Minus and plus buttons around a caption and a read-out. A click moves the value one step; a
// held button repeats every 200 ms, and a button is tinted for 100 ms at each step it makes.
Item {
    id: root
    visible: false
    width: 75
    height: 20
    z: 1
    activeFocusOnTab: true

    property string text: ""
    property real value: 0
    property real minimumValue: 0
    property real maximumValue: 100
    property color knobColor: "#ffffff"
    property bool hasBorder: false
    property bool isCircularEnabled: false
    property string valueText: ""

    readonly property real stepSize: 1 // for a screen reader, with value and the limits
    readonly property real buttonSize: Math.min(height * (hasBorder ? 0.7 : 0.9), width * 0.22)

    function stepBy(delta) {
        const steps = Math.min(maximumValue, Math.max(minimumValue, Math.round(value) + delta))
        if (steps === value)
            return
        value = steps
        wwidget.outputValue(steps)
    }

    Accessible.role: Accessible.SpinBox
    Accessible.name: text || wwidget.caption || qsTr("Level")
    Accessible.description: valueText
    Accessible.focusable: true
    Accessible.onIncreaseAction: plus.step()
    Accessible.onDecreaseAction: minus.step()

    Keys.enabled: !intrf.editModeEnable
    Keys.onPressed: (event) => {
        if (event.key === Qt.Key_Up || event.key === Qt.Key_Right)
            plus.step()
        else if (event.key === Qt.Key_Down || event.key === Qt.Key_Left)
            minus.step()
        else
            return
        event.accepted = true
    }

    component StepButton: Rectangle {
        id: button
        required property int delta
        required property string sign

        width: root.buttonSize
        height: root.buttonSize
        anchors.verticalCenter: parent.verticalCenter
        radius: root.isCircularEnabled ? width / 2 : Math.min(intrf.controlRadius, width / 4)
        color: tint.running ? intrf.accentColor : root.knobColor
        border.color: tint.running ? intrf.accentColor : intrf.linkInActive
        border.width: Math.max(1, intrf.pixelScale)

        function step() {
            tint.restart()
            root.stepBy(delta)
        }

        Text {
            anchors.centerIn: parent
            Accessible.ignored: true
            text: button.sign
            color: tint.running ? intrf.canvasColor : intrf.textColor
            font.family: "Helvetica"
            font.bold: true
            font.pixelSize: Math.max(1, button.height * 0.6)
        }

        Timer {
            id: tint
            interval: 100
        }

        Timer {
            id: repeat
            interval: 200
            repeat: true
            running: press.pressed
            onTriggered: button.step()
        }

        MouseArea {
            id: press
            anchors.fill: parent
            enabled: !intrf.editModeEnable
            onPressed: button.step()
        }
    }

    Rectangle {
        anchors.fill: parent
        visible: root.hasBorder
        color: "transparent"
        radius: intrf.controlRadius
        border.color: intrf.linkInActive
        border.width: Math.max(1, intrf.pixelScale)
    }

    StepButton {
        id: minus
        anchors.left: parent.left
        anchors.leftMargin: root.hasBorder ? root.height * 0.1 : 0
        delta: -1
        sign: "\u2212"
    }

    Column {
        anchors.centerIn: parent
        width: root.width - 2 * (root.buttonSize + root.height * 0.12)

        Text {
            width: parent.width
            Accessible.ignored: true
            visible: root.text.length > 0
            text: root.text
            color: intrf.textColor
            elide: Text.ElideRight
            horizontalAlignment: Text.AlignHCenter
            font.family: "Helvetica"
            font.pixelSize: Math.max(1, root.height * 0.22)
        }

        Text {
            width: parent.width
            Accessible.ignored: true
            text: root.valueText
            color: intrf.textColor
            horizontalAlignment: Text.AlignHCenter
            font.family: "Helvetica"
            font.bold: true
            font.pixelSize: Math.max(1, root.height * 0.28)
        }
    }

    StepButton {
        id: plus
        anchors.right: parent.right
        anchors.rightMargin: root.hasBorder ? root.height * 0.1 : 0
        delta: 1
        sign: "+"
    }

    FocusRing {}

    WLevelButtons {
        id: wwidget
        objectName: "widget"
    }
}
