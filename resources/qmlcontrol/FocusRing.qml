import QtQuick

// Where the keyboard is: a ring in the skin's accent colour just outside the control, shown only
// while the control has active focus, so that a mouse user never sees it.
Rectangle {
    readonly property real line: Math.max(2, 2 * intrf.pixelScale)

    anchors.fill: parent
    anchors.margins: -line
    z: 1000
    visible: parent.activeFocus
    color: "transparent"
    radius: intrf.controlRadius + line
    border.color: intrf.accentColor
    border.width: line
    Accessible.ignored: true
}
