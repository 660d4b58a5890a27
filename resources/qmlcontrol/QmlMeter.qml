import QtQuick
import wmeter

// A bar meter with a scale.
Item {
    id: root
    visible: false
    width: 75
    height: 20
    z: 1

    property string text: ""
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

    MeterGauge {
        anchors.fill: parent
        minimum: wwidget.minimum
        maximum: wwidget.maximum
        unitsText: wwidget.unitsText
    }

    WMeter {
        id: wwidget
        objectName: "widget"
    }
}
