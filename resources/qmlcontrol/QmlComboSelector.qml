import QtQuick
import wcomboselection

// One colour swatch per room combination.
Item {
    id: root
    visible: false
    width: 75
    height: 20
    z: 1

    property string text: ""

    WComboSelection {
        id: wwidget
        objectName: "widget"
    }
}
