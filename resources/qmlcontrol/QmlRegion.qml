import QtQuick
import wregion

// A polygon area of a floor plan that jumps to another panel when tapped.
Item {
    id: root
    visible: false
    width: 75
    height: 20
    z: 1
    activeFocusOnTab: true

    property string text: ""
    property color borderColor: intrf.borderColor
    property real borderWidth: 1
    property string vertexJson: "[]"

    onVertexJsonChanged: outline.requestPaint()
    onBorderColorChanged: outline.requestPaint()
    onBorderWidthChanged: outline.requestPaint()

    // The fill is drawn by the widget; the outline follows the same vertices.
    Canvas {
        id: outline
        anchors.fill: parent
        onPaint: {
            var context = getContext("2d")
            context.reset()
            var points = JSON.parse(root.vertexJson)
            if (points.length < 2 || root.borderWidth <= 0)
                return
            context.strokeStyle = root.borderColor
            context.lineWidth = Math.max(1, root.borderWidth * intrf.pixelScale)
            context.beginPath()
            context.moveTo(points[0].x, points[0].y)
            for (var i = 1; i < points.length; ++i)
                context.lineTo(points[i].x, points[i].y)
            context.closePath()
            context.stroke()
        }
    }

    Accessible.role: Accessible.Button
    Accessible.name: text || wwidget.caption || qsTr("Region")
    Accessible.onPressAction: wwidget.activate()

    Keys.enabled: !intrf.editModeEnable
    Keys.onPressed: (event) => {
        if (event.key !== Qt.Key_Space && event.key !== Qt.Key_Return && event.key !== Qt.Key_Enter)
            return
        if (!event.isAutoRepeat)
            wwidget.activate()
        event.accepted = true
    }

    MouseArea {
        anchors.fill: parent
        enabled: !intrf.editModeEnable
        onPressed: (mouse) => wwidget.outputPressed(mouse.x, mouse.y)
    }

    FocusRing {}

    WRegion {
        id: wwidget
        objectName: "widget"
        anchors.fill: parent
        z: -1 // the fill under the outline
    }
}
