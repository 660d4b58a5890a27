import QtQuick
import wslider

// A fader: a knob dragged along a groove, in whole steps between minimumValue and maximumValue.
// A bipolar range fills from the centre, any other from the bottom.
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
    property bool bipolar: false
    property color knobColor: "#ffffff"

    // True only while the user moves the knob; any other change of value came from the widget.
    property bool dragging: false

    // Read with value and the limits by a screen reader's value interface.
    readonly property real stepSize: 1
    readonly property real span: Math.max(maximumValue - minimumValue, 1e-6)
    readonly property real fraction: Math.min(1, Math.max(0, (value - minimumValue) / span))
    readonly property real centreFraction: bipolar ? 0.5 : 0
    readonly property real knobHeight: Math.max(8, Math.min(height * 0.16, width * 0.55))
    readonly property real travel: Math.max(1, height - knobHeight)
    readonly property color grooveColor: wwidget.isToneEqControl ? intrf.accentColor : intrf.grooveColor1
    readonly property color fillColor: wwidget.isToneEqControl ? Qt.darker(intrf.accentColor, 1.5) : intrf.accentColor

    function yOf(f) {
        return knobHeight / 2 + (1 - f) * travel
    }

    function stepsAt(y) {
        const f = 1 - (y - knobHeight / 2) / travel
        const steps = Math.round(minimumValue + Math.min(1, Math.max(0, f)) * span)
        return Math.min(maximumValue, Math.max(minimumValue, steps))
    }

    function moveTo(steps) {
        wwidget.setIsSendNeeded(true)
        if (steps === value)
            return
        value = steps
        wwidget.outputValue(steps)
    }

    // A key press or a wheel notch is a whole drag: one move, sent as the drag sends it.
    function stepTo(steps) {
        dragging = true
        moveTo(Math.min(maximumValue, Math.max(minimumValue, Math.round(steps))))
        dragging = false
    }

    Accessible.role: Accessible.Slider
    Accessible.name: wwidget.caption || qsTr("Fader")
    Accessible.focusable: true
    Accessible.onIncreaseAction: stepTo(value + 1)
    Accessible.onDecreaseAction: stepTo(value - 1)

    Keys.enabled: !intrf.editModeEnable
    Keys.onPressed: (event) => {
        const page = Math.max(1, Math.round(span / 10))
        if (event.modifiers & (Qt.ControlModifier | Qt.AltModifier))
            return
        else if (event.key === Qt.Key_Up || event.key === Qt.Key_Right)
            stepTo(value + 1)
        else if (event.key === Qt.Key_Down || event.key === Qt.Key_Left)
            stepTo(value - 1)
        else if (event.key === Qt.Key_PageUp)
            stepTo(value + page)
        else if (event.key === Qt.Key_PageDown)
            stepTo(value - page)
        else if (event.key === Qt.Key_Home)
            stepTo(maximumValue)
        else if (event.key === Qt.Key_End)
            stepTo(minimumValue)
        else
            return
        event.accepted = true
    }

    onValueChanged: {
        if (!dragging)
            wwidget.setIsSendNeeded(false)
    }

    // Scale marks beside the groove, with the centre one stronger on a bipolar fader.
    Repeater {
        model: 11
        Rectangle {
            required property int index
            readonly property bool centre: root.bipolar && index === 5
            x: root.width / 2 + groove.width + root.width * 0.06
            y: root.yOf(index / 10) - height / 2
            width: root.width * (centre || index % 5 === 0 ? 0.16 : 0.09)
            height: Math.max(1, intrf.pixelScale)
            color: centre ? intrf.textColor : intrf.borderColor
        }
    }

    Rectangle {
        id: groove
        anchors.horizontalCenter: parent.horizontalCenter
        y: root.knobHeight / 2
        width: Math.max(3, root.width * 0.08)
        height: root.travel
        radius: width / 2
        color: root.grooveColor

        Rectangle {
            readonly property real from: root.yOf(root.centreFraction) - root.knobHeight / 2
            readonly property real to: root.yOf(root.fraction) - root.knobHeight / 2
            width: parent.width
            radius: parent.radius
            y: Math.min(from, to)
            height: Math.abs(to - from)
            color: root.fillColor
        }
    }

    Rectangle {
        id: knob
        anchors.horizontalCenter: parent.horizontalCenter
        y: root.yOf(root.fraction) - height / 2
        width: Math.max(12, root.width * 0.7)
        height: root.knobHeight
        radius: Math.min(intrf.controlRadius, height / 3)
        color: root.knobColor
        border.color: area.pressed ? intrf.accentColor : intrf.linkInActive
        border.width: Math.max(1, intrf.pixelScale)

        Rectangle {
            anchors.centerIn: parent
            width: parent.width * 0.6
            height: Math.max(1, intrf.pixelScale * 2)
            color: area.pressed ? intrf.accentColor : intrf.textColor
        }
    }

    MouseArea {
        id: area
        anchors.fill: parent
        enabled: !intrf.editModeEnable
        preventStealing: true

        // Where in the knob it was taken, so that it does not jump under the pointer.
        property real grip: 0

        onPressed: function (mouse) {
            root.dragging = true
            const onKnob = mouse.y >= knob.y && mouse.y <= knob.y + knob.height
            grip = onKnob ? mouse.y - (knob.y + knob.height / 2) : 0
            root.moveTo(root.stepsAt(mouse.y - grip))
        }
        onPositionChanged: function (mouse) {
            if (pressed)
                root.moveTo(root.stepsAt(mouse.y - grip))
        }
        onReleased: {
            wwidget.setIsSendNeeded(true)
            root.dragging = false
        }
        onCanceled: root.dragging = false
        onWheel: function (wheel) {
            root.stepTo(root.value + (wheel.angleDelta.y > 0 ? 1 : (wheel.angleDelta.y < 0 ? -1 : 0)))
        }
    }

    FocusRing {}

    WSlider {
        id: wwidget
        objectName: "widget"
    }
}
