import QtQuick
import wslider

// A fader.
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
    property bool bipolar: false
    property color knobColor: "#ffffff"

    WSlider {
        id: wwidget
        objectName: "widget"
    }
}
