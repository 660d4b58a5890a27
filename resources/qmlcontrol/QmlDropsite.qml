import QtQuick
import wdropsite

// An area on which a control can be dropped.
Item {
    id: root
    visible: false
    width: 200
    height: 200
    z: 1

    property string text: ""

    WDropSite {
        id: wwidget
        objectName: "widget"
    }
}
