import QtQuick
import wmeter

// A bar meter in dB: its caption above, the gauge below.
Item {
    id: root
    visible: false
    width: 75
    height: 20
    z: 1

    property string text: ""
    property real value: -60
    property color textColor: intrf.textColor
    property color colorAtPoint1: "#C3C3C3"
    property color colorAtPoint2: "#C3C3C3"
    property color colorAtPoint3: "#C3C3C3"
    property real colorStopPoint1: 0
    property real colorStopPoint2: 0
    property real colorStopPoint3: 0
    property real markerLevelPoint: 0
    property bool isMarkerEnabled: false
    property real peakLevelPoint: 0
    property bool isPeakEnabled: false

    Accessible.role: Accessible.Indicator
    Accessible.name: text || wwidget.caption || qsTr("Level meter")
    Accessible.description: qsTr("%1 %2").arg(value.toFixed(1)).arg(wwidget.unitsText)

    Text {
        Accessible.ignored: true
        id: caption
        anchors { left: parent.left; right: parent.right; top: parent.top }
        height: root.text === "" ? 0 : Math.min(root.height * 0.1, 18)
        visible: root.text !== ""
        text: root.text
        color: root.textColor
        font.family: "Helvetica"
        font.pixelSize: Math.max(1, height * 0.75)
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }

    MeterGauge {
        anchors { left: parent.left; right: parent.right; top: caption.bottom; bottom: parent.bottom }
        minimum: wwidget.minimum
        maximum: wwidget.maximum
        unitsText: wwidget.unitsText
        textColor: root.textColor
        markerColor: intrf.accentColor
        colorAtPoint1: root.colorAtPoint1
        colorAtPoint2: root.colorAtPoint2
        colorAtPoint3: root.colorAtPoint3
        colorStopPoint1: root.colorStopPoint1
        colorStopPoint2: root.colorStopPoint2
        colorStopPoint3: root.colorStopPoint3
        markerLevelPoint: root.markerLevelPoint
        isMarkerEnabled: root.isMarkerEnabled
        peakLevelPoint: root.peakLevelPoint
        isPeakEnabled: root.isPeakEnabled
    }

    WMeter {
        id: wwidget
        objectName: "widget"
    }
}
