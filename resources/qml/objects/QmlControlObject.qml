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
}
