import QtQuick
import wcomboselection

// One colour swatch per room combination; the chosen one is ringed in the accent colour.
Item {
    id: root
    visible: false
    width: 75
    height: 20
    z: 1

    property string text: ""

    Row {
        id: swatches
        anchors.fill: parent
        anchors.leftMargin: wwidget.sideMargins
        anchors.rightMargin: wwidget.sideMargins
        spacing: Math.max(2, root.height * 0.1)

        Repeater {
            model: wwidget.comboColors

            Rectangle {
                required property string modelData
                required property int index
                readonly property bool chosen: index === wwidget.selectedIndex

                width: Math.max(1, (swatches.width - swatches.spacing * (wwidget.count - 1))
                                / Math.max(1, wwidget.count))
                height: swatches.height
                radius: intrf.controlRadius
                color: modelData
                border.color: chosen ? intrf.accentColor : intrf.linkInActive
                border.width: Math.max(1, (chosen ? 3 : 1) * intrf.pixelScale)

                MouseArea {
                    anchors.fill: parent
                    enabled: !intrf.editModeEnable
                    onClicked: wwidget.selectorClicked(parent.index)
                }
            }
        }
    }

    WComboSelection {
        id: wwidget
        objectName: "widget"
    }
}
