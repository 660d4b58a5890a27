import QtQuick

// The scale beside a meter's bar: the range and the units caption.
Item {
    id: gauge

    property real minimum: -60
    property real maximum: 0
    property string unitsText: "dBFS"

    Text {
        anchors { left: parent.left; right: parent.right; top: parent.top }
        text: gauge.maximum
        color: intrf.textColor
        font.family: "Helvetica"
        font.pixelSize: Math.max(1, gauge.height * 0.06)
        horizontalAlignment: Text.AlignRight
    }

    Text {
        anchors { left: parent.left; right: parent.right; bottom: units.top }
        text: gauge.minimum
        color: intrf.textColor
        font.family: "Helvetica"
        font.pixelSize: Math.max(1, gauge.height * 0.06)
        horizontalAlignment: Text.AlignRight
    }

    Text {
        id: units
        anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
        text: gauge.unitsText
        color: intrf.textColor
        font.family: "Helvetica"
        font.pixelSize: Math.max(1, gauge.height * 0.06)
        horizontalAlignment: Text.AlignHCenter
    }
}
