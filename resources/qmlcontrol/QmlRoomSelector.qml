import QtQuick
import wroomselection

// One room of a floor plan; its fill shows the combination the room is in.
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
    property color fillColor: "black"
    // The software renderer draws no custom geometry: there the canvas fills the room too.
    readonly property bool canvasFills: outline.GraphicsInfo.api === GraphicsInfo.Software

    onVertexJsonChanged: outline.requestPaint()
    onFillColorChanged: outline.requestPaint()
    onCanvasFillsChanged: outline.requestPaint()
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
            if (points.length < 2)
                return
            context.beginPath()
            context.moveTo(points[0].x, points[0].y)
            for (var i = 1; i < points.length; ++i)
                context.lineTo(points[i].x, points[i].y)
            context.closePath()
            if (root.canvasFills) {
                context.globalAlpha = wwidget.opacity
                context.fillStyle = root.fillColor
                context.fill()
                context.globalAlpha = 1
            }
            if (root.borderWidth <= 0)
                return
            context.strokeStyle = root.borderColor
            context.lineWidth = Math.max(1, root.borderWidth * intrf.pixelScale)
            context.stroke()
        }
    }

    Accessible.role: Accessible.Button
    Accessible.name: text || wwidget.caption || qsTr("Room")
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

    WRoomSelection {
        id: wwidget
        objectName: "widget"
        anchors.fill: parent
        z: -1 // the fill under the outline
        opacity: isSelected ? selectedOpacity : unselectedOpacity
        onOpacityChanged: outline.requestPaint()
    }
}
