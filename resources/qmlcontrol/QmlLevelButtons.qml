import QtQuick
import wlevelbuttons

// Plus and minus buttons with a value read-out.
Item {
    id: root
    visible: false
    width: 75
    height: 20
    z: 1

    property string text: ""
    property real value: 0
    property real minimumValue: 0
    property real maximumValue: 100
    property color knobColor: "#ffffff"
    property bool hasBorder: false
    property bool isCircularEnabled: false
    property string valueText: ""

    WLevelButtons {
        id: wwidget
        objectName: "widget"
    }
}
