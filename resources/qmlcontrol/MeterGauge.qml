import QtQuick

// A vertical bar meter: three colour zones stacked from the bottom over an unlit groove, a
// peak-hold line, an optional fixed marker, a scale column to the left of the bar and the units
// caption underneath. Only the zone and peak rectangles move with the level, so an update
// redraws the bar and nothing else.
Item {
    id: gauge

    property real minimum: -60
    property real maximum: 0
    property string unitsText: "dBFS"
    property color textColor: "#231F20"
    property color offColor: "#C3C3C3"
    property color markerColor: "#1D98D5"
    property color colorAtPoint1: offColor
    property color colorAtPoint2: offColor
    property color colorAtPoint3: offColor
    property real colorStopPoint1: 0
    property real colorStopPoint2: 0
    property real colorStopPoint3: 0
    property real markerLevelPoint: 0
    property bool isMarkerEnabled: false
    property real peakLevelPoint: 0
    property bool isPeakEnabled: false

    // The layout constants are drawn for a gauge of about 160 pixels; smaller and larger
    // gauges scale them, within limits that keep the digits legible.
    readonly property real barWidthRef: MeterGaugeLocalValue.barWidth
    readonly property real alignerWidthRef: MeterGaugeLocalValue.alignerWidth
    readonly property real unit: Math.max(0.4, Math.min(1.5,
                                     width / (alignerWidthRef + barWidthRef), height / 160))
    readonly property real digitHeight: -2 * MeterGaugeLocalValue.digitOffset * unit
    readonly property real digitSize: Math.max(1, digitHeight * 0.7)
    readonly property real span: maximum > minimum ? maximum - minimum : 1

    function clamped(point) {
        return Math.max(0, Math.min(1, point))
    }

    // Scale values at a round step that leaves room between the digits.
    function ticks(barHeight) {
        var steps = [1, 2, 3, 5, 6, 10, 12, 15, 20, 30, 60, 120]
        var room = Math.max(1, Math.floor(barHeight / (digitHeight * 1.1)))
        var step = steps[steps.length - 1]
        for (var i = 0; i < steps.length; ++i) {
            if (span / steps[i] <= room) {
                step = steps[i]
                break
            }
        }
        var first = Math.ceil(minimum / step) * step
        var count = Math.floor((maximum - first) / step + 0.0001) + 1
        return Array.from({ length: Math.max(0, count) }, (item, i) => first + i * step)
    }

    Text {
        Accessible.ignored: true
        id: units
        anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
        height: gauge.digitHeight
        text: gauge.unitsText
        color: gauge.textColor
        font.family: "Helvetica"
        font.pixelSize: gauge.digitSize
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }

    Item {
        id: column
        width: (gauge.alignerWidthRef + gauge.barWidthRef) * gauge.unit
        anchors { top: parent.top; bottom: units.top; horizontalCenter: parent.horizontalCenter }

        readonly property real barTop: MeterGaugeLocalValue.barHeightDif * gauge.unit / 2
        readonly property real barHeight: Math.max(1, height - 2 * barTop)

        function levelY(point) {
            return barTop + barHeight * (1 - gauge.clamped(point))
        }

        Repeater {
            model: gauge.ticks(column.barHeight)

            Item {
                id: tick
                required property real modelData
                readonly property real point: (modelData - gauge.minimum) / gauge.span
                x: 0
                y: column.levelY(point) + MeterGaugeLocalValue.digitOffset * gauge.unit
                width: groove.x
                height: gauge.digitHeight

                Text {
                    Accessible.ignored: true
                    anchors { left: parent.left; right: mark.left; rightMargin: 3 * gauge.unit }
                    height: parent.height
                    text: Math.round(tick.modelData)
                    color: gauge.textColor
                    font.family: "Helvetica"
                    font.pixelSize: gauge.digitSize
                    horizontalAlignment: Text.AlignRight
                    verticalAlignment: Text.AlignVCenter
                }

                Rectangle {
                    id: mark
                    anchors { right: parent.right; rightMargin: 2 * gauge.unit
                              verticalCenter: parent.verticalCenter }
                    width: 4 * gauge.unit
                    height: 1
                    color: gauge.textColor
                }
            }
        }

        Rectangle {
            id: groove
            x: gauge.alignerWidthRef * gauge.unit
            y: column.barTop
            width: gauge.barWidthRef * gauge.unit
            height: column.barHeight
            color: gauge.offColor

            readonly property real stop1: gauge.clamped(gauge.colorStopPoint1)
            readonly property real stop2: gauge.clamped(Math.min(gauge.colorStopPoint2, 1 - stop1))
            readonly property real stop3: gauge.clamped(Math.min(gauge.colorStopPoint3,
                                                                 1 - stop1 - stop2))

            Rectangle {
                id: zone1
                anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
                height: parent.height * groove.stop1
                color: gauge.colorAtPoint1
            }
            Rectangle {
                id: zone2
                anchors { left: parent.left; right: parent.right; bottom: zone1.top }
                height: parent.height * groove.stop2
                color: gauge.colorAtPoint2
            }
            Rectangle {
                anchors { left: parent.left; right: parent.right; bottom: zone2.top }
                height: parent.height * groove.stop3
                color: gauge.colorAtPoint3
            }
        }

        Rectangle {
            id: peak
            visible: gauge.isPeakEnabled
            x: groove.x
            width: groove.width
            height: Math.max(1, 2 * gauge.unit)
            y: column.levelY(gauge.peakLevelPoint) - height / 2
            color: gauge.textColor
        }

        Rectangle {
            visible: gauge.isMarkerEnabled
            x: groove.x - 6 * gauge.unit
            width: groove.width + 12 * gauge.unit
            height: Math.max(1, 2 * gauge.unit)
            y: column.levelY(gauge.markerLevelPoint) - height / 2
            color: gauge.markerColor
        }
    }
}
