import QtQuick
import wcomboselection

// One colour swatch per room combination; the chosen one is ringed in the accent colour.
Item {
    id: root
    visible: false
    width: 75
    height: 20
    z: 1
    activeFocusOnTab: true

    property string text: ""

    function choose(index) {
        if (index >= 0 && index < wwidget.count)
            wwidget.selectorClicked(index)
    }

    Accessible.role: Accessible.List
    Accessible.name: text || wwidget.caption || qsTr("Room combinations")

    Keys.enabled: !intrf.editModeEnable
    Keys.onPressed: (event) => {
        if (event.key === Qt.Key_Up || event.key === Qt.Key_Left)
            choose(wwidget.selectedIndex - 1)
        else if (event.key === Qt.Key_Down || event.key === Qt.Key_Right)
            choose(wwidget.selectedIndex + 1)
        else
            return
        event.accepted = true
    }

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
                Accessible.role: Accessible.ListItem
                Accessible.name: qsTr("Combination %1").arg(index + 1)
                Accessible.selectable: true
                Accessible.selected: chosen
                Accessible.onPressAction: root.choose(index)

                MouseArea {
                    anchors.fill: parent
                    enabled: !intrf.editModeEnable
                    onClicked: wwidget.selectorClicked(parent.index)
                }
            }
        }
    }

    FocusRing {}

    WComboSelection {
        id: wwidget
        objectName: "widget"
    }
}
